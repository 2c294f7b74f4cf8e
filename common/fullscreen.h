// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QSize>
#include <QStringList>

// The uniform factor that makes a window of the design size as large as fits on the screen;
// 1 when it fits only as it is (or not at all).
double fullscreenFactor(QSize screen, QSize design);

// Before the program's QApplication exists: when the configuration asks for full screen, Qt's
// scale factor is set so that every window of the program (dialogs and help screens too) grows
// by the same factor and pixel hits stay exact. An adult's own QT_SCALE_FACTOR is left alone.
// configPath: the configuration start-up found; files keeps what is read of it for start-up.
class IniFiles;
using DesignSize = QSize (*)(const QString& configPath, QSize screen, IniFiles& files);
void prepareFullscreen(int argc, char** argv, const QString& configPath, IniFiles& files, DesignSize design);
