// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QRect>

// How far a drawing is from a reference drawing of the same picture, in percent (0 the same,
// 100 as far apart as black from white everywhere). Both are put on white, cut to what they
// show, brought to one small size and compared pixel by pixel: a shift of a pixel or another
// smoothing of a font counts little, a missing, misplaced or wrongly coloured part much. Two
// empty pictures are the same; one empty and one not are 100 apart.
double pictureDifference(const QImage& ours, const QImage& reference);

// The part of a picture that is not white, after putting it on white.
QRect contentRect(const QImage& image);
QImage onWhite(const QImage& image);

// For pictures that should be the same pixel for pixel (bitmaps): the largest difference of one
// colour channel after putting both on white, and how many pixels differ by more than tolerance.
// A different size is the largest difference everywhere.
struct PixelDifference {
    int largest = 0;
    qint64 differing = 0;
    qint64 pixels = 0;
};
PixelDifference pixelDifference(const QImage& ours, const QImage& reference, int tolerance = 2);
