// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The floor of the start-up benchmark: a plain Qt window of the paint window's size, started the
// way the programs start (the same application object and start-up probe).
#include "platform/startupprobe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installStartupProbe();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(641, 481);
    window.show();
    return QApplication::exec();
}
