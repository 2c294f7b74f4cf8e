// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/classroom.h"

#include "common/classroomkeys.h"
#include "common/inireader.h"
#include "common/math32.h"
#include "platform/singleinstance.h"
#include "platform/soundmute.h"

#include <algorithm>
#include <cstdio>

namespace {
bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
}

bool classroomKey(ClassroomSettings& s, const QString& key, const QString& value)
{
    if (is(key, "fullscreen")) s.fullscreen = mathToBool(value);
    else if (is(key, "noquit")) s.noquit = mathToBool(value);
    else if (is(key, "singleinstance")) s.singleinstance = mathToBool(value);
    else if (is(key, "mute")) s.mute = mathToBool(value);
    else if (is(key, "print")) s.print = mathToBool(value);
    else if (is(key, "printdelay")) s.printdelay = std::max(0, int(mathToInt16(value)));
    else if (is(key, "printwait")) s.printwait = value;
    else if (is(key, "keeppainting")) s.keeppainting = mathToBool(value);
    else return false;
    return true;
}

ClassroomSettings readClassroomSettings(const QString& path)
{
    ClassroomSettings settings;
    IniReader reader;
    if (!reader.open(path))
        return settings;
    QString section;
    while (!reader.atEnd()) {
        const QString item = reader.readItem();
        if (fioIsSection(item))
            section = fioGetSection(item);
        else if (is(section, "classroom"))
            classroomKey(settings, fioGetKey(item), fioGetValue(item));
    }
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
