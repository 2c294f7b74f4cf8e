// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QMargins>
#include <QRect>

class QWidget;

// The frame (title bar and borders) a window manager will draw around a top-level window, asked
// of it before the window is shown; none without a window manager, or where it does not say.
QMargins expectedFrame(QWidget* window);

// The inside a window may have on its screen with that frame around it: the screen's work area
// (without panels) less the frame.
QRect insideOfWorkArea(QWidget* window);
