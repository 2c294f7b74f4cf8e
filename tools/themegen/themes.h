// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// Each writes one sample theme's pictures and sounds under out (the program folder).
void generateBrushboxTheme(const QString& out);
// The paint window's background, buttons and palette (called by generateBrushboxTheme).
void generatePaintWindowTheme(const QString& out);
// The colouring pictures of the Brushbox theme's supplied catalogs, with their companions.
void generateBrushboxPictures(const QString& out);
// The open and save dialogs' backgrounds, buttons and sounds.
void generateBrushboxDialogs(const QString& out);
void generateTwinturnTheme(const QString& out);
// The programs' desktop icons, as hicolor/SIZExSIZE/apps/NAME.png under out.
void generateDesktopIcons(const QString& out);
