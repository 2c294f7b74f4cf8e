// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "bitmapcorpus.h"

QImage palettePicture(int colors, int skipIndex)
{
    QImage img(37, 23, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (int i = 0; i < colors; ++i)
        table << qRgb((i * 97 + 13) % 256, (i * 57 + 200) % 256, (i * 31 + 7) % 256);
    img.setColorTable(table);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            // Runs of one colour, then single pixels of many.
            const int v = x < 12 ? y / 3 : x < 20 ? x + y : (x * 7 + y * 3) / 4;
            img.setPixel(x, y, uint(colors > 2 ? 1 + v % (colors - 1) : v % 2));
        }
    if (skipIndex >= 0) {
        auto skip = [&](int x0, int y0, int x1, int y1) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x)
                    img.setPixel(x, y, uint(skipIndex));
        };
        skip(0, 0, 36, 2);    // the top rows: the bitmap ends early
        skip(30, 10, 36, 12); // row ends: end of line
        skip(5, 15, 9, 15);   // inside a row: a delta to the right
        skip(14, 17, 36, 19); // across rows: a delta up and right
        skip(0, 20, 3, 21);
    }
    return img;
}

QImage colourPicture(bool withAlpha)
{
    QImage img(41, 19, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int level = std::min(255, x * 255 / 32);
            QRgb c = y < 4 ? qRgb(level, 0, 0) : y < 8 ? qRgb(0, level, 0) : y < 12 ? qRgb(0, 0, level)
                                                                            : qRgb(level, level, 255 - level);
            if (x >= 36)
                c = y % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            if (withAlpha)
                c = qRgba(qRed(c), qGreen(c), qBlue(c), y >= 16 ? 255 - x * 6 : 255);
            img.setPixel(x, y, c);
        }
    return img;
}

QList<BitmapVariant> bitmapVariants()
{
    QList<BitmapVariant> v;
    auto add = [&v](const char* name, const QImage& image, BmpKind kind) { v.push_back({QString::fromLatin1(name) + QStringLiteral(".bmp"), kind, image}); };
    auto palette = [](int header, int bits, int compression = 0, bool topDown = false, int skip = -1) {
        BmpKind s;
        s.headerSize = header, s.bits = bits, s.compression = compression, s.topDown = topDown, s.skipIndex = skip;
        return s;
    };
    auto masks = [](int bits, int compression, quint32 r, quint32 g, quint32 b, quint32 a = 0, int header = 40, bool topDown = false) {
        BmpKind s;
        s.headerSize = header, s.bits = bits, s.compression = compression, s.topDown = topDown;
        s.masks[0] = r, s.masks[1] = g, s.masks[2] = b, s.masks[3] = a;
        return s;
    };
    const QImage mono = palettePicture(2), sixteen = palettePicture(16), full = palettePicture(256);
    add("pal1", mono, palette(40, 1));
    add("pal4", sixteen, palette(40, 4));
    add("pal8", full, palette(40, 8));
    add("pal8-topdown", full, palette(40, 8, 0, true));
    add("rle8", full, palette(40, 8, 1));
    add("rle8-skips", palettePicture(256, 7), palette(40, 8, 1, false, 7));
    add("rle4", sixteen, palette(40, 4, 2));
    add("rle4-skips", palettePicture(16, 5), palette(40, 4, 2, false, 5));
    BmpKind encodedOnly = palette(40, 8, 1, false, 3);
    encodedOnly.absolute = false;
    add("rle8-skips-runs", palettePicture(256, 3), encodedOnly);
    add("os2v1-pal1", mono, palette(12, 1));
    add("os2v1-pal4", sixteen, palette(12, 4));
    add("os2v1-pal8", full, palette(12, 8));
    add("os2v1-rgb24", colourPicture(false), palette(12, 24));
    add("os2v2-16-pal8", full, palette(16, 8));
    add("os2v2-24-pal4", sixteen, palette(24, 4));
    add("os2v2-64-pal8", full, palette(64, 8));
    add("os2v2-64-rle8", palettePicture(256, 7), palette(64, 8, 1, false, 7));
    add("os2v2-16-rgb24", colourPicture(false), palette(16, 24));
    add("rgb24", colourPicture(false), palette(40, 24));
    add("rgb24-topdown", colourPicture(false), palette(40, 24, 0, true));
    add("v3-52-pal8", full, palette(52, 8));
    add("v4-pal8", full, palette(108, 8));
    add("v5-rgb24", colourPicture(false), palette(124, 24));
    add("rgb16-555", colourPicture(false), palette(40, 16));
    add("rgb32-888", colourPicture(false), palette(40, 32));
    add("rgb32-topdown", colourPicture(false), palette(40, 32, 0, true));
    const QImage colour = colourPicture(false), alpha = colourPicture(true);
    add("mask16-565", colour, masks(16, 3, 0xF800, 0x07E0, 0x001F));
    add("mask16-555", colour, masks(16, 3, 0x7C00, 0x03E0, 0x001F));
    add("mask16-444", colour, masks(16, 3, 0x0F00, 0x00F0, 0x000F));
    add("mask16-664", colour, masks(16, 3, 0xFC00, 0x03F0, 0x000F));
    add("mask16-1555", alpha, masks(16, 6, 0x7C00, 0x03E0, 0x001F, 0x8000));
    add("mask16-4444-v5", alpha, masks(16, 3, 0x0F00, 0x00F0, 0x000F, 0xF000, 124));
    add("mask32-888", colour, masks(32, 3, 0xFF0000, 0xFF00, 0xFF));
    add("mask32-bgr", colour, masks(32, 3, 0xFF, 0xFF00, 0xFF0000));
    add("mask32-101010", colour, masks(32, 3, 0x3FF00000, 0x000FFC00, 0x000003FF));
    add("mask32-2101010-v5", alpha, masks(32, 3, 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000, 124));
    add("mask32-111110", colour, masks(32, 3, 0xFFE00000, 0x001FFC00, 0x000003FF));
    add("mask32-161616-topdown", colour, masks(32, 3, 0xFFFF0000, 0x0000FFFF, 0x00000000, 0, 40, true));
    add("mask32-8888-v4", alpha, masks(32, 3, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 108));
    add("mask32-8888-v3", alpha, masks(32, 6, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 56));
    add("mask32-8888-alphabitfields", alpha, masks(32, 6, 0xFF0000, 0xFF00, 0xFF, 0xFF000000));
    return v;
}
