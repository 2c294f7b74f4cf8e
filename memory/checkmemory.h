// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QStringList>

class ThemeReport;

// Reads memory.ini and the main, global, special, card and list files it names as start-up does,
// without windows or sounds, and reports every problem with its file and line: what start-up
// would report through memHandleError (with the same text), missing and broken pictures and
// sounds, unknown sections and keys, values that are not numbers, keys that have no effect where
// they stand, and a board that does not fit its layout.
void checkMemoryConfiguration(const QString& path, ThemeReport& report);

// twinturn --check: finds memory.ini as start-up does, prints the report, returns the exit status.
int runMemoryCheck(const QStringList& configuration);
