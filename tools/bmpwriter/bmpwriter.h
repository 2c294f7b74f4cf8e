// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QImage>

// Writes BMP files of every kind for the tests: any header, bit count, compression and colour
// masks, top-down rows, and run-length codes that skip pixels.
struct BmpKind {
    int headerSize = 40;   // 12 (OS/2 1.x), 16 to 64 (OS/2 2.x), 40, 52, 56, 108 (V4) or 124 (V5)
    int bits = 24;         // 1, 4, 8, 16, 24 or 32
    int compression = 0;   // 0 none, 1 RLE8, 2 RLE4, 3 colour masks, 6 colour masks with alpha
    bool topDown = false;
    quint32 masks[4] = {}; // red, green, blue, alpha, for 16 and 32 bits with compression 3 or 6
    int skipIndex = -1;    // run-length coding leaves the pixels of this colour index out
    bool absolute = true;  // run-length coding may use absolute runs of differing pixels
};

// image: Indexed8 with its colour table for 1, 4 and 8 bits; any format for 16, 24 and 32.
QByteArray bmpWrite(const QImage& image, const BmpKind& kind);

// What a correct reader shows for that file, as RGB32 (ARGB32 with an alpha mask): skipped pixels
// take colour 0 of the table, and each channel is rounded through its mask.
QImage bmpExpected(const QImage& image, const BmpKind& kind);
