// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// Reads the paint configuration at strFile into PaintSettings. Returns false when the program
// must end (a fatal configuration problem has been shown, or the child ended it at the splash).
bool OpenINI(const QString& strFile);

// Clears PaintSettings and the start-up flags, for a fresh read.
void resetPaintSettings();

// The caption of the program's boxes.
QString pntAboutCaption();
