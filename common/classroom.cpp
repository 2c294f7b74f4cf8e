// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/classroom.h"

#include "common/classroomkeys.h"
#include "common/inireader.h"
#include "common/math32.h"
#include "platform/singleinstance.h"
#include "platform/soundmute.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

QVector<KeyRow> classroomRows(ClassroomSettings& s, bool brushbox)
{
    QVector<KeyRow> rows = {
        {"fullscreen", KeyKind::Flag, [&s](const KeyLine& k) { s.fullscreen = mathToBool(k.value); }},
        {"noquit", KeyKind::Flag, [&s](const KeyLine& k) { s.noquit = mathToBool(k.value); }},
        {"singleinstance", KeyKind::Flag, [&s](const KeyLine& k) { s.singleinstance = mathToBool(k.value); }},
        {"mute", KeyKind::Flag, [&s](const KeyLine& k) { s.mute = mathToBool(k.value); }},
    };
    if (!brushbox)
        return rows;
    rows << KeyRow{"print", KeyKind::Flag, [&s](const KeyLine& k) { s.print = mathToBool(k.value); }}
         << KeyRow{"printdelay", KeyKind::Short, [&s](const KeyLine& k) { s.printdelay = std::max(0, int(mathToInt16(k.value))); },
                   [](const KeyLine& k) {
                       if (mathLeadingNumber(k.value) < 0)
                           return QStringLiteral("%1: %2 is below 0 and reads as 0, no rest between prints").arg(k.what, k.value);
                       // "1 minute" is one second: only the number counts.
                       static const QRegularExpression number(QStringLiteral("^\\s*[-+]?[0-9]*\\.?[0-9]*\\s*$"));
                       if (looksNumeric(k.value) && !number.match(k.value).hasMatch())
                           return QStringLiteral("%1: '%2' reads as %3: the delay is a number of seconds, and the words after it "
                                                 "count for nothing")
                               .arg(k.what, k.value.trimmed())
                               .arg(std::max(0, int(mathToInt16(k.value))));
                       return QString();
                   }}
         << KeyRow{"printwait", KeyKind::Text, [&s](const KeyLine& k) { s.printwait = k.value; }}
         << KeyRow{"keeppainting", KeyKind::Flag, [&s](const KeyLine& k) { s.keeppainting = mathToBool(k.value); }};
    return rows;
}

ClassroomSettings readClassroomSettings(const QString& path, IniFiles* files)
{
    ClassroomSettings settings;
    IniFiles own;
    IniReader reader;
    if (!(files ? files : &own)->open(reader, path))
        return settings;
    const KeyTable table{{{{QStringLiteral("classroom")}, classroomRows(settings, true)}}};
    Findings quiet(path, [](const Finding&) { return true; }, false);
    walkKeys(reader, table, quiet);
    return settings;
}

bool startClassroom(const ClassroomSettings& settings, const QString& program, std::function<void()> endProgram)
{
    // No window for a copy that ends here: an adult at a terminal learns why nothing new opened.
    switch (settings.singleinstance ? claimSingleInstance(program) : SingleInstance::Claim::Run) {
    case SingleInstance::Claim::Run:
        break;
    case SingleInstance::Claim::Raised:
        std::fprintf(stderr, "%s: already running; its window was brought to the front\n", qUtf8Printable(program));
        return false;
    case SingleInstance::Claim::NoAnswer:
        std::fprintf(stderr, "%s: already running, but it does not answer; no second copy was started\n", qUtf8Printable(program));
        return false;
    }
    SoundMute::instance().setMuted(settings.mute);
    installClassroomKeys(settings.noquit ? std::move(endProgram) : std::function<void()>());
    return true;
}
