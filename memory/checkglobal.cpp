// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checker.h"

#include "common/math32.h"

#include <algorithm>
#include <utility>

namespace memcheck {

void MemoryChecker::readGlobal()
{
    QVector<Item> items;
    if (!openData(m_global, "global", 6, m_globalFile, items))
        return;
    walk(
        m_globalFile, items,
        [this](const At& at, const QString& name) {
            if (!is(name, "text list"))
                problem(at, QStringLiteral("section [%1] means nothing in the global file: the keys after it are card settings%2")
                                .arg(name, suggestion(name, {QStringLiteral("text list")})));
        },
        [](const QString& section) {
            if (is(section, "text list"))
                return Scope{&kTextListKeys, QStringLiteral("[text list]"), Scope::Report};
            return Scope{&kCardKeys, QStringLiteral("the card settings"), Scope::Report};
        },
        [this](const At& at, const QString& section, const QString& key, const QString& value, const QString& what) {
            if (section == QLatin1String("text list"))
                textListKey(at, key, value, what);
            else
                cardKey(at, key, value, what);
        });
    finishGlobal();
}

void MemoryChecker::cardKey(const At& at, const QString& key, const QString& value, const QString& what)
{
    const Ref ref{value, at, true};
    if (key == QLatin1String("dissapear")) {
        const int n = mathToInt32(value);
        if (n < 0 || n > 3)
            problem(at, QStringLiteral("%1: %2 is none of 0 (stay), 1 (vanish), 2 (fly off) and 3 (shrink); it works as 0")
                            .arg(what).arg(n));
    } else if (key == QLatin1String("turnsound")) {
        m_turnSound = ref;
    } else if (key == QLatin1String("fontname")) {
        m_cardFontNamed = true;
    } else if (key.startsWith(QLatin1String("font"))) {
        if (!m_cardFontNamed)
            problem(at, QStringLiteral("%1 has no effect: it comes before fontname").arg(what));
    } else if (key == QLatin1String("wordwrap") || key == QLatin1String("autosize")) {
        problem(at, QStringLiteral("%1 has no effect: a card's text is always one centred line").arg(what));
    } else if (key == QLatin1String("cardsx")) {
        m_cardsX = ref;
    } else if (key == QLatin1String("cardsy")) {
        m_cardsY = ref;
    } else if (key == QLatin1String("cardwidth")) {
        m_cardWidth = ref;
    } else if (key == QLatin1String("cardheight")) {
        m_cardHeight = ref;
    } else if (key == QLatin1String("picture")) {
        if (m_appType == 1)
            problem(at, QStringLiteral("%1 has no effect: app=match shows every card's own picture").arg(what));
        else
            m_cardBack = ref;
    } else if (key == QLatin1String("samenamesound")) {
        m_sameNameSound = mathToBool(value);
    } else if (key == QLatin1String("border")) {
        m_border = mathToBool(value);
    }
}

void MemoryChecker::textListKey(const At& at, const QString& key, const QString& value, const QString& what)
{
    const Ref ref{value, at, true};
    if (key == QLatin1String("active")) {
        m_textActive = mathToBool(value);
        m_textActiveAt = at;
    } else if (key == QLatin1String("pictureslide")) {
        problem(at, QStringLiteral("%1 has no effect").arg(what));
    } else if (key.startsWith(QLatin1String("font"))) {
        if (!m_textActive) {
            problem(at, QStringLiteral("%1 has no effect: it comes before active=1").arg(what));
        } else if (key == QLatin1String("fontname")) {
            m_textFont.name = value.trimmed();
            m_textFontNamed = true;
        } else if (!m_textFontNamed) {
            problem(at, QStringLiteral("%1 has no effect: it comes before fontname").arg(what));
        } else if (key == QLatin1String("fontsize")) {
            const double size = mathLeadingNumber(value);
            if (size > 0)
                m_textFont.size = std::min(size, 200.0);
        } else if (key == QLatin1String("fontbold")) {
            m_textFont.bold = mathToBool(value);
        } else {
            m_textFont.italic = mathToBool(value);
        }
    } else if (key == QLatin1String("sound")) {
        m_textSound = ref;
    } else if (key == QLatin1String("top")) {
        m_textTop = Ref{value, at, true};
    } else if (key == QLatin1String("left")) {
        m_textLeft = mathToInt32(value);
    } else if (key == QLatin1String("width")) {
        m_textWidth = mathToInt32(value);
    } else if (key == QLatin1String("space")) {
        m_textSpace = mathToInt32(value);
    }
}

void MemoryChecker::finishGlobal()
{
    if (!m_turnSound.value.isEmpty())
        sound(m_turnSound.at, QStringLiteral("turnsound in the card settings"), m_sfx.value + m_turnSound.value, 202);
    if (m_cardBack.set && !m_cardBack.value.isEmpty())
        picture(m_cardBack.at, QStringLiteral("picture in the card settings"), m_gfx.value, m_cardBack.value, 101);
    else if (m_appType == 0 && !m_border)
        problem({m_globalFile, 0}, QStringLiteral("the card settings name no picture for the card back and no border: "
                                                  "face-down cards show only a plain built-in back"));
    if (m_textActive && !m_textSound.value.isEmpty())
        sound(m_textSound.at, QStringLiteral("sound in [text list]"), m_sfx.value + m_textSound.value, 204);
    for (const auto& [ref, key] : {std::pair{&m_cardWidth, "cardwidth"}, std::pair{&m_cardHeight, "cardheight"}})
        if (mathToInt32(ref->value) <= 0)
            problem(ref->set ? ref->at : At{m_globalFile, 0},
                    QStringLiteral("%1 in the card settings is %2: the cards cannot be seen")
                        .arg(QLatin1String(key), ref->set ? QString::number(mathToInt32(ref->value)) : QStringLiteral("not set")));
    m_globalRead = true;
}

} // namespace memcheck
