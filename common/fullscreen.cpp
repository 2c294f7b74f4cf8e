// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fullscreen.h"

#include "common/classroom.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

double fullscreenFactor(QSize screen, QSize design)
{
    if (design.isEmpty() || screen.isEmpty())
        return 1;
    const double f = std::min(double(screen.width()) / design.width(), double(screen.height()) / design.height());
    // Two decimals: Qt rounds the factor anyway, and a window a pixel too large would not fit.
    return std::max(1.0, std::floor(f * 100) / 100);
}

void prepareFullscreen(int argc, char** argv, const QString& path, IniFiles& files, DesignSize design)
{
    if (!design || !qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR") || path.isEmpty() || !readClassroomSettings(path, &files).fullscreen)
        return;
    // The probe takes the options Qt knows out of what it is given: the program's own
    // application must still see them.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    int count = argc;
    double factor = 1;
    {
        QGuiApplication probe(count, args.data());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size();
            const QSize drawn = design(path, size, files);
            factor = fullscreenFactor(size, drawn);
            // A program that lays itself out for its screen must find the same layout on the
            // smaller screen it will see; otherwise it stays as it is.
            if (factor > 1 && design(path, QSize(int(size.width() / factor), int(size.height() / factor)), files) != drawn)
                factor = 1;
        }
    }
    if (factor > 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'f', 2));
}
