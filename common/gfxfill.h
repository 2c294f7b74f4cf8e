// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>

// Paints every pixel reachable from (x, y) through pixels of the colour found there, moving
// only up, down, left and right, with fill. Colours compare on red, green and blue alone. The
// image must be Format_RGB32 or Format_ARGB32. Returns the number of pixels painted: 0 when the
// point is outside or already has the fill colour.
qint64 gfxFillArea(QImage& image, int x, int y, QRgb fill);
