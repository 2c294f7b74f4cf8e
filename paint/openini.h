// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/game32.h"
#include "common/keytable.h"
#include "paint/paintsettings.h"

#include <QString>

class IniFiles;

// Reads the paint configuration at strFile into PaintSettings, showing every box start-up shows
// for it. Returns false when the program must end (a fatal configuration problem has been shown,
// or the child ended it at the splash). files holds what start-up has read already; taken says
// why this file was taken, for the debug log.
bool OpenINI(const QString& strFile, IniFiles* files = nullptr, const ConfigurationFile* taken = nullptr);

// The one reader of zypaint.ini, at found.file(): live (start-up) it fills settings and acts as it
// reads; checking (--check) it only looks and tells found everything. False when start-up ends.
bool pntReadConfiguration(PaintSettingsRecord& settings, Findings& found, IniFiles& files,
                          const ConfigurationFile* taken = nullptr);

// The table zypaint.ini is read by, its rows filling a record of their own.
KeyTable pntConfigurationTable();

// Clears PaintSettings and the start-up flags, for a fresh read.
void resetPaintSettings();

// The caption of the program's boxes.
QString pntAboutCaption();
