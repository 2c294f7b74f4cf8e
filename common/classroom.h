// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/keytable.h"

#include <QString>
#include <functional>

class IniFiles;

// What a teacher sets in the [classroom] section of either program's configuration. Every key
// but singleinstance and print is off unless the theme turns it on, so a theme without the
// section behaves as it always did.
struct ClassroomSettings {
    bool fullscreen = false;
    bool noquit = false;
    bool singleinstance = true;
    bool mute = false;
    // Brushbox only.
    bool print = true;
    int printdelay = 0; // seconds between two prints; never negative
    QString printwait;  // said when a print is asked for too soon; nothing when empty
    bool keeppainting = false; // the canvas is kept in the system folder from one run to the next
    bool operator==(const ClassroomSettings&) const = default;
};

// The rows of [classroom], filling settings: every key for Brushbox, the first four for Twinturn.
QVector<KeyRow> classroomRows(ClassroomSettings& settings, bool brushbox);

// The [classroom] section of a configuration file, read before anything else of it: whether
// to start at all must be known before a splash screen shows. files keeps what it read for
// start-up.
ClassroomSettings readClassroomSettings(const QString& path, IniFiles* files = nullptr);

// The start of a program under these settings: a copy of the same program already running for
// this user is brought to the front and false returned (this copy should end); otherwise the
// sound starts muted when asked, and Ctrl+M (mute) and, with noquit, Ctrl+Shift+Q (end) work
// in every window from now on.
bool startClassroom(const ClassroomSettings& settings, const QString& program, std::function<void()> endProgram);
