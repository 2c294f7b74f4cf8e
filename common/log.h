// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// Each writes one line to its log in the system folder, opening and closing the file each time.
// The paint log is emptied once it has grown past 30000 bytes. A log that cannot be written is
// skipped: the programs run on without it.
void pntWriteLog(const QString& text);
void memWriteLog(const QString& text);

// The line writer both use, on any file; cutAt < 0 never empties it.
void writeLogLine(const QString& path, const QString& text, qint64 cutAt);
QString logPath(const QString& name);
