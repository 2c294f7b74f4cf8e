// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The program-wide values of Twinturn.
extern bool bolDebug;      // log lines are written while set
extern QString memFile;    // the configuration file in use
extern bool bolStartFailed; // a set-up step of the game window failed

struct StartupRead;
class IniFiles;

// The start of Twinturn on the configuration found; returns the process's exit status.
int Main(StartupRead& read);
// Checks strFile and shows the game window modally; true when its set-up succeeded.
bool Memory(const QString& strFile, IniFiles* files = nullptr);

class frm_MemoryGame;
// The same start-up up to the laid-out window, which show then runs: every box start-up can show
// for a theme is shown here.
// files: what start-up has read already.
bool memStartUp(const QString& strFile, const std::function<void(frm_MemoryGame& window)>& show, IniFiles* files = nullptr);
