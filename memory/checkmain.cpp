// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checker.h"

#include "common/math32.h"
#include "common/string32.h"

#include <algorithm>

namespace memcheck {

void MemoryChecker::readMain()
{
    QVector<Item> items;
    if (!openData(m_main, "main", 5, m_mainFile, items))
        return;
    walk(
        m_mainFile, items,
        [this](const At& at, const QString& name) {
            if (!mainSections().contains(name, Qt::CaseInsensitive))
                problem(at, QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, mainSections())));
        },
        [](const QString& section) {
            const QString where = QStringLiteral("[%1]").arg(section);
            if (section.isEmpty())
                return Scope{&kNoKeys, QString(), Scope::BeforeSection};
            if (is(section, "splash screen"))
                return Scope{&kSplashKeys, where, Scope::Report};
            if (is(section, "interface"))
                return Scope{&kInterfaceKeys, where, Scope::Report};
            if (is(section, "help"))
                return Scope{&kHelpKeys, where, Scope::Report};
            if (is(section, "line"))
                return Scope{&kLineKeys, where, Scope::Report};
            if (is(section, "players"))
                return Scope{&kPlayersKeys, where, Scope::Report};
            if (counterOf(section) >= 0)
                return Scope{&kCounterKeys, where, Scope::Report};
            return Scope{&kNoKeys, where, Scope::Silent};
        },
        [this](const At& at, const QString& section, const QString& key, const QString& value, const QString& what) {
            mainKey(at, section, key, value, what);
        });
    finishMain();
}

void MemoryChecker::mainKey(const At& at, const QString& section, const QString& key, const QString& value, const QString& what)
{
    const Ref ref{value, at, true};
    if (section == QLatin1String("splash screen")) {
        if (key == QLatin1String("active")) {
            if (mathLeadingNumber(value) == 1) {
                if (!m_splashAt.line)
                    m_splashAt = at;
            } else if (looksNumeric(value) && mathLeadingNumber(value) != 0) {
                problem(at, QStringLiteral("%1: only 1 shows the splash, %2 does not").arg(what, value.trimmed()));
            }
        } else if (key == QLatin1String("picture")) {
            problem(at, QStringLiteral("%1 has no effect: the memory game's splash shows no picture").arg(what));
        } else {
            if (m_splashAt.line)
                m_afterSplash << key;
            if (key == QLatin1String("windowstate") && !value.trimmed().isEmpty() && !is(value.trimmed(), "maximized"))
                problem(at, QStringLiteral("%1: only 'maximized' has an effect").arg(what));
        }
    } else if (section == QLatin1String("interface")) {
        if (key == QLatin1String("pictures")) {
            m_pictures = ref;
            if (!strGetTab(value, 6).isEmpty())
                problem(at, QStringLiteral("%1: only five pictures are read, one for each screen size; '%2' and after "
                                           "have no effect").arg(what, strGetTab(value, 6)));
        } else if (key != QLatin1String("backcolor")) {
            m_interface[key] = ref;
        }
    } else if (section == QLatin1String("help")) {
        if (key == QLatin1String("picture"))
            m_helpPicture = ref;
        else
            m_helpActive = ref;
    } else if (section == QLatin1String("players")) {
        playersKey(at, key, value, what);
    } else if (const int c = counterOf(section); c >= 0) {
        counterKey(c, at, key, value, what);
    }
}

void MemoryChecker::playersKey(const At& at, const QString& key, const QString& value, const QString& what)
{
    if (key == QLatin1String("players")) {
        m_players = Ref{value, at, true};
    } else if (key == QLatin1String("picture")) {
        m_playerPicture = Ref{value, at, true};
    } else if (key == QLatin1String("namefont")) {
        m_nameFontNamed = true;
    } else if (key == QLatin1String("scorefont")) {
        m_scoreFontNamed = true;
    } else if (key.startsWith(QLatin1String("namefont")) && !m_nameFontNamed) {
        problem(at, QStringLiteral("%1 has no effect: it comes before namefont").arg(what));
    } else if (key.startsWith(QLatin1String("scorefont")) && !m_scoreFontNamed) {
        problem(at, QStringLiteral("%1 has no effect: it comes before scorefont").arg(what));
    }
}

void MemoryChecker::counterKey(int c, const At& at, const QString& key, const QString& value, const QString& what)
{
    Counter& ctr = m_counters[c];
    if (key == QLatin1String("active")) {
        ctr.active = mathToBool(value);
        ctr.activeAt = at;
    } else if (key == QLatin1String("order")) {
        const int n = mathToInt32(value);
        ctr.order = std::clamp(n - 1, 0, 5);
        ctr.orderSet = true;
        if (n < 1 || n > 6)
            problem(at, QStringLiteral("%1: %2 is outside 1 to 6; the counter takes place %3").arg(what).arg(n).arg(ctr.order + 1));
    } else if (key == QLatin1String("picture")) {
        ctr.picture = Ref{value, at, true};
    } else if (key.startsWith(QLatin1String("font")) && !(ctr.active && ctr.orderSet)) {
        problem(at, QStringLiteral("%1 has no effect: it comes before %2").arg(what, ctr.active ? QStringLiteral("order")
                                                                                                 : QStringLiteral("active=1 and order")));
    }
}

void MemoryChecker::finishMain()
{
    if (!m_afterSplash.isEmpty())
        problem(m_splashAt, QStringLiteral("active in [splash screen] shows the splash at once; the keys after it (%1) come too late")
                                .arg(m_afterSplash.join(QStringLiteral(", "))));
    const QString& gfx = m_gfx.value;
    const QString& sfx = m_sfx.value;
    std::array<int, 6> placeOf;
    placeOf.fill(-1);
    for (int c = 0; c < 6; ++c) {
        const Counter& ctr = m_counters[c];
        if (!ctr.active)
            continue;
        const QString name = QString::fromLatin1(kCounterSections[c]);
        if (ctr.picture.set && !ctr.picture.value.isEmpty())
            picture(ctr.picture.at, QStringLiteral("picture in [%1]").arg(name), gfx, ctr.picture.value, 102);
        if (placeOf[ctr.order] >= 0)
            problem(ctr.activeAt, QStringLiteral("[%1] shows in the same place as [%2] (order %3)")
                                      .arg(name, QLatin1String(kCounterSections[placeOf[ctr.order]]))
                                      .arg(ctr.order + 1));
        else
            placeOf[ctr.order] = c;
    }
    auto file = [this](const char* key) { return m_interface.value(QString::fromLatin1(key)); };
    auto what = [](const char* key) { return QStringLiteral("%1 in [interface]").arg(QLatin1String(key)); };
    if (const Ref q = file("quitpicture"); !q.value.isEmpty())
        picture(q.at, what("quitpicture"), gfx, q.value, 103);
    for (const char* key : {"endgoodpicture", "endbadpicture"})
        if (const Ref p = file(key); !p.value.isEmpty())
            picture(p.at, what(key), gfx, p.value, 0);
    if (const Ref s = file("endgoodsound"); !s.value.isEmpty())
        sound(s.at, what("endgoodsound"), sfx + s.value, 200);
    if (const Ref s = file("endbadsound"); !s.value.isEmpty())
        sound(s.at, what("endbadsound"), sfx + s.value, 201);
    const Ref match = file("matchsound"), noMatch = file("nomatchsound");
    if (!match.value.isEmpty()) {
        if (!fioFileExists(sfx + match.value)) {
            startup(match.at, what("matchsound"), 205, sfx + match.value);
        } else {
            sound(match.at, what("matchsound"), sfx + match.value, 205);
            if (noMatch.value.isEmpty())
                startup(match.at, QStringLiteral("matchsound in [interface] without nomatchsound"), 206, sfx);
            else
                sound(noMatch.at, what("nomatchsound"), sfx + noMatch.value, 206);
        }
    } else if (!noMatch.value.isEmpty()) {
        problem(noMatch.at, QStringLiteral("nomatchsound in [interface] has no effect without matchsound"));
    }
    if (m_playerPicture.set && !m_playerPicture.value.isEmpty()) {
        // Start-up looks for the picture once for each player's panel.
        const int panels = m_players.set ? std::clamp(mathToInt32(m_players.value), 1, 4) : 1;
        picture(m_playerPicture.at, QStringLiteral("picture in [players]"), gfx, m_playerPicture.value, 104,
                panels > 1 ? QStringLiteral("shown once for each of the %1 players").arg(panels) : QString());
    }
    if (m_players.set && mathToInt32(m_players.value) > 4)
        startup(m_players.at, QStringLiteral("players in [players]"), 15, QString::number(mathToInt32(m_players.value)));
    if (m_helpActive.set && mathToBool(m_helpActive.value)) {
        if (m_helpPicture.value.isEmpty())
            problem(m_helpActive.at, QStringLiteral("help is on, but [help] names no picture: F1 shows an empty window"));
        else
            picture(m_helpPicture.at, QStringLiteral("picture in [help]"), gfx, m_helpPicture.value, 0);
    }
}

} // namespace memcheck
