// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memkeys.h"

#include "common/math32.h"

namespace memkeys {

namespace {
bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
}

const QVector<KeyRule> kIniAnywhere = {{"app", Kind::Text}, {"debug", Kind::Flag}};
const QVector<KeyRule> kIniPaths = {{"gfx", Kind::Folder}, {"sfx", Kind::Folder}, {"data", Kind::Folder},
                                    {"card", Kind::Folder}, {"app", Kind::Text},   {"debug", Kind::Flag}};
const QVector<KeyRule> kIniFiles = {{"main", Kind::File},    {"global", Kind::File}, {"cards", Kind::File}, {"listfile", Kind::File},
                                    {"special", Kind::File}, {"app", Kind::Text},    {"debug", Kind::Flag}};
const QVector<KeyRule> kIniClassroom = {{"fullscreen", Kind::Flag}, {"noquit", Kind::Flag}, {"singleinstance", Kind::Flag},
                                        {"mute", Kind::Flag},       {"app", Kind::Text},    {"debug", Kind::Flag}};

const QVector<KeyRule> kSplashKeys = {
    {"active", Kind::Number}, {"backcolor", Kind::Colour}, {"windowstate", Kind::Text}, {"picture", Kind::Ignored}};
const QVector<KeyRule> kInterfaceKeys = {{"pictures", Kind::Pictures},     {"backcolor", Kind::Colour},
                                         {"quitpicture", Kind::Picture},   {"endgoodpicture", Kind::Picture},
                                         {"endbadpicture", Kind::Picture}, {"endgoodsound", Kind::Sound},
                                         {"endbadsound", Kind::Sound},     {"matchsound", Kind::Sound},
                                         {"nomatchsound", Kind::Sound}};
const QVector<KeyRule> kHelpKeys = {{"picture", Kind::Picture}, {"active", Kind::Flag}};
const QVector<KeyRule> kLineKeys = {{"active", Kind::Flag}, {"color", Kind::Colour}, {"width", Kind::Number}};
const QVector<KeyRule> kPlayersKeys = {
    {"players", Kind::Number},        {"defaultname", Kind::Text},      {"picture", Kind::Picture},
    {"namefont", Kind::Text},         {"namefontsize", Kind::Number},   {"namefontbold", Kind::Flag},
    {"namefontitalic", Kind::Flag},   {"nameforecolor", Kind::Colour},  {"scorefont", Kind::Text},
    {"scorefontsize", Kind::Number},  {"scorefontbold", Kind::Flag},    {"scorefontitalic", Kind::Flag},
    {"scoreforecolor", Kind::Colour}, {"dimcolor", Kind::Colour}};
const QVector<KeyRule> kCounterKeys = {{"active", Kind::Flag},     {"order", Kind::Number},    {"condition", Kind::Number},
                                       {"picture", Kind::Picture}, {"fontname", Kind::Text},   {"fontsize", Kind::Number},
                                       {"fontbold", Kind::Flag},   {"fontitalic", Kind::Flag}, {"forecolor", Kind::Colour},
                                       {"placex", Kind::Number},   {"placey", Kind::Number}};
const char* const kCounterSections[6] = {"timer", "countdown", "cards made", "cards left", "tries made", "tries left"};

const QVector<KeyRule> kCardKeys = {{"dissapear", Kind::Number},   {"turnsound", Kind::Sound},    {"fontname", Kind::Text},
                                    {"fontsize", Kind::Number},    {"fontbold", Kind::Flag},      {"fontitalic", Kind::Flag},
                                    {"forecolor", Kind::Colour},   {"wordwrap", Kind::Ignored},   {"autosize", Kind::Ignored},
                                    {"cardsx", Kind::Number},      {"cardsy", Kind::Number},      {"cardwidth", Kind::Number},
                                    {"cardheight", Kind::Number},  {"border", Kind::Flag},        {"picture", Kind::Picture},
                                    {"samenamesound", Kind::Flag}};
const QVector<KeyRule> kTextListKeys = {{"active", Kind::Flag},      {"pictureslide", Kind::Ignored}, {"fontname", Kind::Text},
                                        {"fontsize", Kind::Number},  {"fontbold", Kind::Flag},        {"fontitalic", Kind::Flag},
                                        {"forecolor", Kind::Colour}, {"selectcolor", Kind::Colour},   {"dimcolor", Kind::Colour},
                                        {"destroy", Kind::Flag},     {"sound", Kind::Sound},          {"top", Kind::Number},
                                        {"left", Kind::Number},      {"width", Kind::Number},         {"space", Kind::Number}};
const QVector<KeyRule> kSpecialKeys = {{"pictures", Kind::Pictures}};
const QVector<KeyRule> kNoKeys;

QStringList keysOf(const QVector<KeyRule>& rules)
{
    QStringList k;
    for (const KeyRule& s : rules)
        k << QString::fromLatin1(s.key);
    return k;
}

const KeyRule* findKey(const QVector<KeyRule>& rules, const QString& key)
{
    for (const KeyRule& s : rules)
        if (is(key, s.key))
            return &s;
    return nullptr;
}

QStringList mainSections()
{
    QStringList s = {QStringLiteral("splash screen"), QStringLiteral("interface"), QStringLiteral("help"),
                     QStringLiteral("line"), QStringLiteral("players")};
    for (const char* c : kCounterSections)
        s << QString::fromLatin1(c);
    return s;
}

int counterOf(const QString& section)
{
    for (int i = 0; i < 6; ++i)
        if (is(section, kCounterSections[i]))
            return i;
    return -1;
}

int gridSide(double value)
{
    const double r = mathRoundHalfEven(value);
    if (!(r >= 1))
        return 0;
    return r > 10000 ? 10000 : int(r);
}

} // namespace memkeys
