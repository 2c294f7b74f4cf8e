// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "themes.h"

#include <QGuiApplication>
#include <cstdio>

// Writes the pictures and sounds of the sample themes into the given folder.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--icons") {
        generateDesktopIcons(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: themegen OUTPUT-FOLDER\n       themegen --icons ICON-FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    generateBrushboxTheme(out);
    generateBrushboxPictures(out);
    generateBrushboxDialogs(out);
    generateTwinturnTheme(out);
    return 0;
}
