// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QStringList>
#include <functional>

struct StartupRead;

// The start of Brushbox: reads the configuration found, builds the window and runs it. Returns
// the process's exit status.
int Main(StartupRead& read);

class frm_Paint;
class IniFiles;
struct ConfigurationFile;

// Start-up from the configuration file at strFile to the dressed window, which show then runs:
// every box start-up can show for a theme is shown here. files and taken: what OpenINI takes.
// Returns the exit status.
int pntStartUp(const QString& strFile, const std::function<void(frm_Paint& window)>& show, IniFiles* files = nullptr,
               const ConfigurationFile* taken = nullptr);
