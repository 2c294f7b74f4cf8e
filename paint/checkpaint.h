// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QStringList>

class ThemeReport;

// Reads a paint configuration as start-up does, without windows or sounds, and reports every
// problem: missing folders and files, pictures and sounds that do not decode, unknown sections
// and keys, values that are not numbers, keys that come too late or too early to have an effect.
void checkPaintConfiguration(const QString& path, ThemeReport& report);

// brushbox --check: finds the file as start-up does, prints the report, returns the exit status.
int runPaintCheck(const QStringList& configuration);
