// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "bmpwriter.h"

#include <QImage>
#include <QList>
#include <QString>

// Every kind of BMP the programs meet, written by the project's own writer: each bit count, the
// run-length codings with skipped pixels, the OS/2 and Windows headers, top-down rows, and colour
// masks of every width. The pictures have odd sizes so that row padding counts.
struct BitmapVariant {
    QString name; // a file name, "rle8-skips.bmp"
    BmpKind kind;
    QImage image;
};
QList<BitmapVariant> bitmapVariants();

// Indexed8 pictures with colour tables of 2, 16 and 256 entries; colour skipIndex marks the
// pixels a run-length file leaves out: the right end of rows, the middle of rows, a block across
// rows and the whole top, so that end-of-line, delta and end-of-bitmap codes all occur.
QImage palettePicture(int colors, int skipIndex = -1);
// A picture of every red, green and blue level in steps, with white, black and an alpha ramp.
QImage colourPicture(bool withAlpha);
