// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/gfx.h"
#include "common/gfxfill.h"
#include "platform/picturebox.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

struct Canvas {
    PictureBox box;
    explicit Canvas(int w = 100, int h = 100)
    {
        box.setBounds(0, 0, w, h);
        box.setBackColor(kWhite);
    }
    QSet<uint32_t> colours() const
    {
        QSet<uint32_t> s;
        const QImage& img = box.image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                s.insert(rgbToBgr(img.pixel(x, y)));
        return s;
    }
};
}

TEST(FloodFill, FillsTheAreaBoundedByAnotherColourAndNothingElse)
{
    Canvas c;
    c.box.setForeColor(kRed);
    c.box.Line(20, 20, 80, 20);
    c.box.Line(80, 20, 80, 80);
    c.box.Line(80, 80, 20, 80);
    c.box.Line(20, 80, 20, 20);
    c.box.setFillColor(kBlue);
    gfxFloodFill(c.box, 50, 50);
    for (const auto& [x, y, colour] : {std::tuple{50, 50, kBlue}, {21, 21, kBlue}, {79, 79, kBlue}, {20, 50, kRed},
                                       {10, 10, kWhite}, {90, 50, kWhite}})
        EXPECT_EQ(c.box.Point(x, y), colour) << x << "," << y;
    EXPECT_EQ(c.box.FillStyle(), int(PictureBox::FillSolid));
    EXPECT_EQ(c.box.DrawMode(), int(PictureBox::DrawModeCopyPen));
}

TEST(FloodFill, OnTheFillColourOrOutsideChangesNothing)
{
    Canvas c;
    c.box.setForeColor(kRed);
    c.box.setDrawWidth(5);
    c.box.Line(10, 10, 90, 90);
    const QImage before = c.box.image();
    c.box.setFillColor(kWhite);
    gfxFloodFill(c.box, 5, 80);
    EXPECT_EQ(c.box.image(), before);
    c.box.setFillColor(kBlue);
    gfxFloodFill(c.box, -1, 50);
    gfxFloodFill(c.box, 50, 100);
    EXPECT_EQ(c.box.image(), before);
    gfxFloodFill(c.box, 1e30, -1e30);
    EXPECT_EQ(c.box.image(), before);
    QImage whole(1, 1, QImage::Format_RGB32);
    whole.fill(Qt::white);
    EXPECT_EQ(gfxFillArea(whole, 0, 0, qRgb(255, 255, 255)), 0);
}

TEST(Surface, DrawingIsPixelExactSoAFillStopsAtTheStroke)
{
    Canvas c(120, 120);
    c.box.setForeColor(kRed);
    c.box.setDrawWidth(5);
    c.box.Circle(60, 60, 40);
    c.box.Line(10, 100, 110, 15);
    c.box.PSet(30, 30);
    c.box.setFillColor(kBlue);
    ASSERT_EQ(c.box.Point(60, 80), kWhite);
    gfxFloodFill(c.box, 60, 80);
    gfxFloodFill(c.box, 2, 2);
    // Only the three colours drawn exist: no blended edge pixel a fill would stop short of.
    EXPECT_EQ(c.colours(), (QSet<uint32_t>{kRed, kBlue, kWhite}));
}

TEST(Surface, WideLinesHaveRoundEnds)
{
    Canvas c;
    c.box.setForeColor(kRed);
    c.box.setDrawWidth(9);
    c.box.Line(40, 50, 60, 50);
    EXPECT_EQ(c.box.CurrentX(), 60);
    // A dot of the pen width is round too.
    c.box.PSet(20, 20);
    // The line goes on past its end point, but a square end would cover the corner.
    for (const auto& [x, y, colour] : {std::tuple{36, 50, kRed}, {36, 46, kWhite}, {50, 46, kRed}, {20, 20, kRed},
                                       {16, 20, kRed}, {16, 16, kWhite}})
        EXPECT_EQ(c.box.Point(x, y), colour) << x << "," << y;
}

TEST(Surface, ClsKeepsThePictureAndOutsidePointsReadAsMinusOne)
{
    Canvas c(20, 20);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(0, 255, 0));
    c.box.setPicture(picture);
    c.box.PSet(15, 15, kRed);
    c.box.Cls();
    EXPECT_EQ(c.box.Point(5, 5), kGreen);
    EXPECT_EQ(c.box.Point(15, 15), kWhite);
    // Outside, however far or not a number at all.
    for (const double x : {-1.0, 20.0, 1e30, std::nan("")})
        EXPECT_EQ(c.box.Point(x, 0), -1) << x;
    c.box.PSet(-1e30, 1e30, kRed);
    EXPECT_FALSE(c.colours().contains(kRed));
}

TEST(ShrinkPicture, SamplesEveryTenthPixelOf640x480Into64x48)
{
    PictureBox source, destination;
    source.setBounds(0, 0, 640, 480);
    destination.setBounds(0, 0, 64, 48);
    QImage& img = source.imageForWriting();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    gfxShrinkPicture(source, destination);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(destination.Point(x, y), source.Point(10 * x, 10 * y)) << x << "," << y;
}

TEST(ShrinkPicture, ALargerDestinationTakesTheFirstColumnAndRow)
{
    PictureBox source, destination;
    source.setBounds(0, 0, 50, 200);
    destination.setBounds(0, 0, 100, 100);
    source.setBackColor(kWhite);
    source.PSet(0, 0, kRed);
    source.PSet(0, 2, kBlue);
    gfxShrinkPicture(source, destination);
    EXPECT_EQ(destination.Point(99, 0), kRed);  // kx = 0: every column is column 0
    EXPECT_EQ(destination.Point(99, 1), kBlue); // ky = 2
}

TEST(PrintShadowed, OnlyATextPrintsAtThePositionInThePenColourWithABlackShadow)
{
    Canvas c(200, 60);
    c.box.setFontSize(14);
    c.box.setForeColor(kRed);
    c.box.setCurrentX(20);
    c.box.setCurrentY(10);
    gfxPrintShadowed(c.box, QStringLiteral("W 12"));
    const QSet<uint32_t> seen = c.colours();
    EXPECT_TRUE(seen.contains(kRed));
    EXPECT_TRUE(seen.contains(0u));
    EXPECT_EQ(seen.size(), 3) << "text must not be smoothed";
    EXPECT_EQ(c.box.ForeColor(), kRed);
    EXPECT_EQ(c.box.CurrentX(), 0);
    EXPECT_GT(c.box.CurrentY(), 10);
    // Nothing left of x - 1 or above y - 1.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 18; ++x)
            ASSERT_EQ(c.box.Point(x, y), kWhite);
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(c.box.Point(x, 8), kWhite);
}

TEST(PrintShadowed, GivenValuesAreUsedAndThePenEndsAsTheTextColour)
{
    Canvas c(200, 60);
    gfxPrintShadowed(c.box, QStringLiteral("7"), 50, 20, kBlue, kGreen);
    const QSet<uint32_t> seen = c.colours();
    EXPECT_TRUE(seen.contains(kBlue));
    EXPECT_TRUE(seen.contains(kGreen));
    EXPECT_FALSE(seen.contains(0u));
    EXPECT_EQ(c.box.ForeColor(), kBlue);
}

TEST(ColorCount, IsTwoToTheBitsTimesPlanesAndNeverOverflows)
{
    for (const auto& [bits, planes, count] : {std::tuple{8, 1, 256}, {4, 1, 16}, {1, 1, 2}, {8, 2, 512}, {16, 1, 65536},
                                              {24, 1, 16777216}, {32, 1, 16777216}})
        EXPECT_EQ(gfxColorCount(bits, planes), count) << bits << " " << planes;
    EXPECT_GT(gfxColorCount(64, 255), 0);
    gfxSetDepthForTests(8);
    EXPECT_EQ(gfxGetColorCount(nullptr), 256);
    gfxSetDepthForTests(0);
    PictureBox box;
    EXPECT_GT(gfxGetColorCount(&box), 256);
}

TEST(DisplayColor, FewColourDisplaysSnapToTheirOwnColours)
{
    // With 16 colours the nearest standard one; with 256 the nearest on the colour cube.
    for (const auto& [colour, count, shown] : {std::tuple{0x2020E0u, 0, 0x2020E0u}, {0x2020E0u, 16777216, 0x2020E0u},
                                               {0x2020E0u, 16, 0x0000FFu}, {0x7F7F7Fu, 16, 0x808080u},
                                               {0x3399FFu, 256, 0x3399FFu}, {0x3298FEu, 256, 0x3399FFu}})
        EXPECT_EQ(displayColor(colour, count), shown) << std::hex << colour << " " << count;
    PictureBox snap;
    snap.setBounds(0, 0, 25, 33);
    snap.setDisplayColorCount(16);
    snap.setBackColor(0x2020E0);
    EXPECT_EQ(snap.Point(4, 4), 0x0000FF);
}

TEST(FloodFill, AgreesWithAPlainFourWayFillOnRandomPictures)
{
    // A slow, obviously right fill to hold the fast one to.
    auto reference = [](QImage& img, int x, int y, QRgb fill) {
        const QRgb target = img.pixel(x, y) & 0xFFFFFF;
        if (target == (fill & 0xFFFFFF))
            return;
        std::vector<QPoint> todo{{x, y}};
        while (!todo.empty()) {
            const QPoint p = todo.back();
            todo.pop_back();
            if (!img.rect().contains(p) || (img.pixel(p) & 0xFFFFFF) != target)
                continue;
            img.setPixel(p, fill);
            todo.insert(todo.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
        }
    };
    unsigned seed = 7;
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 16) & 0x7FFF; };
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + int(next() % 40), h = 1 + int(next() % 40);
        const int density = int(next() % 60); // percent of wall pixels
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixel(x, y, int(next() % 100) < density ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        const int sx = int(next() % w), sy = int(next() % h);
        QImage expected = img;
        reference(expected, sx, sy, qRgb(200, 10, 10));
        const QImage before = img;
        const qint64 painted = gfxFillArea(img, sx, sy, qRgb(200, 10, 10));
        ASSERT_EQ(img, expected) << "round " << round << " " << w << "x" << h << " from " << sx << "," << sy;
        qint64 changed = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                changed += img.pixel(x, y) != before.pixel(x, y);
        ASSERT_EQ(painted, changed) << "round " << round;
    }
}

