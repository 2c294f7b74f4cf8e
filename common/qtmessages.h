// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// Qt's own lines (audio servers, fonts, runtime folders) are no theme's business: they go into
// the program's debug log when debug is on, and only real errors (critical, fatal) reach
// standard error, so what an author reads there is the program's own messages.
//
// debugLog writes a line to the program's debug log when debug is on, and does nothing
// otherwise. program names the lines on standard error.
using DebugLogWriter = void (*)(const QString& line);
void installQtMessageRoute(const char* program, DebugLogWriter debugLog);
