// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fullscreen.h"

#include "common/classroom.h"
#include "common/game32.h"

#include <QCoreApplication>
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

void prepareFullscreen(int argc, char** argv, const QString& configName, const QStringList& configuration, DesignSize design)
{
    if (!design || !qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        return;
    // The probes take the options Qt knows out of what they are given: the program's own
    // application must still see them.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    int count = argc;
    QString path;
    {
        // The configuration is found as the program finds it, which needs an application; one
        // without windows costs nothing to make.
        std::vector<char*> copy = args;
        QCoreApplication probe(count, copy.data());
        path = gamFindConfiguration(configName, configuration).path;
        if (path.isEmpty() || !readClassroomSettings(path).fullscreen)
            return;
    }
    double factor = 1;
    {
        count = argc;
        QGuiApplication probe(count, args.data());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size();
            const QSize drawn = design(path, size);
            factor = fullscreenFactor(size, drawn);
            // A program that lays itself out for its screen must find the same layout on the
            // smaller screen it will see; otherwise it stays as it is.
            if (factor > 1 && design(path, QSize(int(size.width() / factor), int(size.height() / factor))) != drawn)
                factor = 1;
        }
    }
    if (factor > 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(factor, 'f', 2));
}
