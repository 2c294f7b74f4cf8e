// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/game32.h"
#include "common/inireader.h"

#include <QSize>
#include <QStringList>

// What start-up has learnt before the program's windows: the configuration found, once, and the
// files read so far, kept so that none is opened twice.
struct StartupRead {
    ConfigurationFile found;
    IniFiles files;
};

// What differs between the two programs' entries.
struct ProgramEntry {
    const char* command;    // "brushbox"
    const char* title;      // "Brushbox": the application name, the title of its boxes
    const char* configName; // "zypaint.ini"
    const char* summary;    // one line for --help
    int (*check)(const QStringList& configuration);
    int (*run)(StartupRead& read);
    void (*debugLog)(const QString& line); // writes to the debug log when debug is on
    // The size the program's window is drawn for on that screen with that configuration, scaled
    // up to the screen under [classroom] fullscreen; empty when it already fills the screen.
    QSize (*design)(const QString& configPath, QSize screen, IniFiles& files) = nullptr;
};

// The whole of main(): options first (no display needed for them), then the checker without
// windows, or the program itself.
int programMain(int argc, char** argv, const ProgramEntry& entry);
