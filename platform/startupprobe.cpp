// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {
class FirstPaint : public QObject {
public:
    explicit FirstPaint(qint64 launchNs) : m_launchNs(launchNs) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && watched->isWidgetType()) {
            const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::system_clock::now().time_since_epoch()).count();
            std::fprintf(stderr, "first-paint %.1f\n", double(now - m_launchNs) / 1e6);
            std::fflush(stderr);
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    qint64 m_launchNs;
};
}

void installStartupProbe()
{
    bool ok = false;
    const qint64 launch = qEnvironmentVariable("BB_LAUNCH_NS").toLongLong(&ok);
    if (ok && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(new FirstPaint(launch));
}
