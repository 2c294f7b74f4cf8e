// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QPoint>
#include <QSize>
#include <Qt>

// Painting with the keyboard: where the arrow keys take the drawing cursor and the palette's
// pick. Pure geometry on the canvas size and the palette's picture, so any theme's palette works.

// A few pixels for an arrow, more with Shift, and a switch's steering step.
constexpr int kCursorStep = 4;
constexpr int kCursorShiftStep = 20;
constexpr int kSteerStep = 20;

// The cursor moved step pixels by an arrow key, kept on the canvas.
QPoint pntMoveCursor(QPoint at, int key, int step, QSize canvas);

// On the palette picture: the middle of the next colour field that way from at (a line of one or
// two pixels between fields is passed over; in a smooth run of colours, a few pixels on); at
// itself at the edge.
QPoint pntPaletteStep(const QImage& palette, QPoint at, int key);
// The next colour for a switch: to the right, then the next row down, then the first again.
QPoint pntPaletteNext(const QImage& palette, QPoint at);
// Where the palette's pick starts: the middle of its first colour field.
QPoint pntPaletteFirst(const QImage& palette);

// A word for a colour a child knows ("red", "light blue"): the nearest of a few named colours.
QString pntColourName(uint32_t bgr);
