// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/ending.h"

#include "common/game32.h"

#include <QApplication>
#include <QWidget>

namespace {
std::function<void()>& handler()
{
    static std::function<void()> h;
    return h;
}
}

void setEndProgramHandler(std::function<void()> h) { handler() = std::move(h); }

void pntEndProgram()
{
    bolEndRequested = true;
    if (handler()) {
        handler()();
        return;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}
