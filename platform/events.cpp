// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/events.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <cmath>

namespace {
double g_pauseScale = 1.0;
}

void setPauseScale(double scale) { g_pauseScale = scale < 0 ? 0 : scale; }
double pauseScale() { return g_pauseScale; }

void doEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void platformSleep(int ms)
{
    const qint64 wanted = std::llround(ms * g_pauseScale);
    if (wanted <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < wanted) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = wanted - clock.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}
