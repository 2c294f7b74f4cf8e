// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// What the metafile tests share: a page to draw on and its pixels read back.
#pragma once
#include "platform/wmf.h"
#include "wmfwriter.h"

#include <QImage>
#include <vector>
#include <gtest/gtest.h>

// A 100 x 100 pixel page: 100 logical units at 96 to the inch, one a pixel.
inline const QRect kPage(0, 0, 100, 100);
constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// The page as the reader draws it; a refusal fails the test that expected a picture.
inline QImage play(const WmfWriter& w, QString* error = nullptr)
{
    QString why;
    const QImage img = wmfRead(w.bytes(true, kPage, kWmfPixelsPerInch), &why);
    EXPECT_FALSE(img.isNull()) << qPrintable(why);
    if (error)
        *error = why;
    return img;
}

inline QRgb at(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

struct Px {
    int x, y;
    QRgb colour;
};
// Each pixel must have its colour; a wrong one is named by its place.
inline void expectPixels(const QImage& img, const std::vector<Px>& pixels)
{
    for (const Px& p : pixels)
        EXPECT_EQ(at(img, p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// A black outline and a fill; a pen of style 5 (null) leaves shapes without an outline.
inline void solid(WmfWriter& w, const QColor& fill, int penWidth = 1)
{
    w.select(w.createPen(0, penWidth, Qt::black));
    w.select(w.createBrush(0, fill));
}
inline void noPen(WmfWriter& w) { w.select(w.createPen(5, 0, Qt::black)); }
inline void noPen(WmfWriter& w, const QColor& fill)
{
    noPen(w);
    w.select(w.createBrush(0, fill));
}

// The parameters of a STRETCHDIB record (0x0F43) that copies all of a source bitmap of the given
// size onto dest; a usage of 1 makes its colours palette entries.
inline QByteArray stretchDibParams(QSize source, const QRect& dest, int usage = 0)
{
    const quint32 srcCopy = 0x00CC0020;
    const int words[] = {int(srcCopy & 0xFFFF), int(srcCopy >> 16), usage, source.height(), source.width(), 0, 0,
                         dest.height(), dest.width(), dest.y(), dest.x()};
    QByteArray params;
    for (const int v : words)
        params.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return params;
}
