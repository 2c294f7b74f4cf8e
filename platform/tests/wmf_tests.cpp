// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/picture.h"
#include "testsupport/testsupport.h"
#include "wmfpage.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(Wmf, PlaceableSizeFollowsBoundingBoxAndInch)
{
    WmfWriter w;
    QString error;
    // One inch at 1440 units to the inch is 96 pixels.
    QImage img = wmfRead(w.bytes(true, QRect(0, 0, 1440, 720), 1440), &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(img.size(), QSize(96, 48));
    EXPECT_EQ(at(img, 10, 10), kWhite);
    // A missing inch value counts as 1440.
    img = wmfRead(w.bytes(true, QRect(0, 0, 1440, 1440), 0), &error);
    EXPECT_EQ(img.size(), QSize(96, 96));
}

TEST(Wmf, WindowOriginAndExtentMapOntoThePicture)
{
    WmfWriter w;
    w.setWindowOrg(1000, 2000);
    w.setWindowExt(200, 400);
    solid(w, Qt::red);
    w.rectangle(QRect(1000, 2000, 100, 200)); // the top-left quarter
    expectPixels(play(w), {{25, 25, kRed}, {75, 25, kWhite}, {25, 75, kWhite}, {0, 10, kBlack}});
}

TEST(Wmf, PlainMetafileTakesItsSizeFromTheWindowExtent)
{
    WmfWriter w;
    w.setWindowOrg(-10, -10);
    w.setWindowExt(60, 40);
    solid(w, Qt::blue);
    w.rectangle(QRect(-10, -10, 30, 40));
    QString error;
    const QImage img = wmfRead(w.bytes(false), &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(img.size(), QSize(60, 40));
    expectPixels(img, {{10, 20, kBlue}, {45, 20, kWhite}});

    WmfWriter noSize;
    noSize.rectangle(QRect(0, 0, 10, 10));
    EXPECT_TRUE(wmfRead(noSize.bytes(false), &error).isNull());
    EXPECT_TRUE(error.contains("no size")) << qPrintable(error);
}

TEST(Wmf, OversizedPicturesAreDrawnDown)
{
    // A drawing has no pixels of its own: one larger than allowed is drawn at the largest size.
    WmfWriter w;
    solid(w, Qt::red);
    w.rectangle(QRect(0, 0, 15000, 50));
    QString error;
    QImage img = wmfRead(w.bytes(true, QRect(0, 0, 30000, 100), 96), &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(img.size(), QSize(kWmfMaxSide, 14));
    expectPixels(img, {{kWmfMaxSide / 4, 3, kRed}, {kWmfMaxSide * 3 / 4, 3, kWhite}});
    WmfWriter plain;
    plain.setWindowExt(4800, 1792);
    EXPECT_EQ(wmfRead(plain.bytes(false), &error).size(), QSize(kWmfMaxSide, 1529)) << qPrintable(error);
}

TEST(Wmf, ClosedShapesAreFilledAndOutlined)
{
    WmfWriter w;
    solid(w, Qt::green);
    w.ellipse(QRect(0, 0, 50, 50));
    w.roundRect(QRect(50, 0, 50, 50), 20, 20);
    w.polygon({QPoint(0, 60), QPoint(40, 60), QPoint(20, 99)});
    // Inside each shape, and just outside its curve or corner.
    expectPixels(play(w), {{25, 25, kGreen}, {2, 2, kWhite}, {75, 25, kGreen}, {51, 1, kWhite},
                           {20, 75, kGreen}, {3, 95, kWhite}, {0, 25, kBlack}});
}

TEST(Wmf, PolyPolygonFollowsTheFillMode)
{
    const QVector<QVector<QPoint>> nested{{QPoint(0, 0), QPoint(99, 0), QPoint(99, 99), QPoint(0, 99)},
                                          {QPoint(30, 30), QPoint(70, 30), QPoint(70, 70), QPoint(30, 70)}};
    for (const int mode : {1, 2}) {
        WmfWriter w;
        solid(w, Qt::red);
        if (mode == 2)
            w.setPolyFillMode(2);
        w.polyPolygon(nested);
        // Alternate leaves the inner square a hole; winding fills it.
        expectPixels(play(w), {{10, 10, kRed}, {50, 50, mode == 1 ? kWhite : kRed}});
    }
}

TEST(Wmf, LinesAndPolylinesUseTheCurrentPen)
{
    WmfWriter w;
    w.select(w.createPen(0, 3, Qt::blue));
    w.moveTo(10, 10);
    w.lineTo(90, 10);
    w.lineTo(90, 90); // from where the last line ended
    w.polyline({QPoint(10, 50), QPoint(50, 50)});
    // Three pixels wide; a polyline is not closed.
    expectPixels(play(w), {{50, 10, kBlue}, {50, 11, kBlue}, {50, 14, kWhite}, {90, 50, kBlue},
                           {30, 50, kBlue}, {50, 55, kWhite}, {10, 90, kWhite}});

    // A wide mitred pen: a corner within GDI's miter limit of 10 keeps its point; a line that
    // turns back on itself is bevelled, not drawn as a spike past its end.
    WmfWriter m;
    m.select(m.createPen(0x2000, 8, Qt::black));
    m.polyline({QPoint(10, 30), QPoint(60, 30), QPoint(10, 31)});
    m.polyline({QPoint(10, 60), QPoint(50, 60), QPoint(10, 90)});
    expectPixels(play(m), {{63, 30, kWhite}, {55, 60, kBlack}});
}

TEST(Wmf, ArcsPiesAndChordsRunCounterClockwiseFromStartToEnd)
{
    // A quarter from 3 o'clock to 12 o'clock of the circle filling the page; swapped, the other three.
    const QPoint three(100, 50), twelve(50, 0);
    const struct {
        int kind; // pie, chord, arc
        QPoint from, to;
        std::vector<Px> pixels;
    } cases[] = {
        {0, three, twelve, {{75, 25, kRed}, {25, 25, kWhite}, {75, 75, kWhite}, {25, 75, kWhite}}},
        {0, twelve, three, {{75, 25, kWhite}, {25, 25, kRed}, {75, 75, kRed}}},
        {1, three, twelve, {{82, 18, kRed}, {60, 40, kWhite}}}, // the centre's side of the chord is empty
        {2, three, twelve, {{85, 15, kBlack}, {15, 85, kWhite}, {75, 25, kWhite}}}, // only the curve
    };
    for (const auto& c : cases) {
        WmfWriter w;
        if (c.kind == 2)
            w.select(w.createPen(0, 3, Qt::black));
        else
            solid(w, Qt::red);
        c.kind == 0 ? w.pie(kPage, c.from, c.to) : c.kind == 1 ? w.chord(kPage, c.from, c.to) : w.arc(kPage, c.from, c.to);
        SCOPED_TRACE(c.kind);
        expectPixels(play(w), c.pixels);
    }
}

TEST(Wmf, ObjectsTakeTheLowestFreeSlotAndPlaceholdersCount)
{
    WmfWriter w;
    w.createPen(5, 0, Qt::black);    // slot 0: a null pen, so fills show plainly
    w.createBrush(0, Qt::red);       // slot 1
    w.createPlaceholder();           // slot 2: a font, not drawn but counted
    w.createBrush(0, Qt::green);     // slot 3
    w.select(0);
    w.select(3);
    w.rectangle(QRect(0, 0, 50, 50));
    w.deleteObject(1);
    w.createBrush(0, Qt::blue); // takes slot 1 again
    w.select(1);
    w.rectangle(QRect(50, 0, 50, 50));
    w.deleteObject(1);
    w.select(1); // deleted: the blue brush stays selected
    w.rectangle(QRect(0, 50, 50, 50));
    expectPixels(play(w), {{25, 25, kGreen}, {75, 25, kBlue}, {25, 75, kBlue}, {0, 25, kGreen}}); // no outline
}

TEST(Wmf, RestoreDCBringsBackObjectsAndTheWindow)
{
    WmfWriter w;
    noPen(w);
    const int red = w.createBrush(0, Qt::red);
    const int blue = w.createBrush(0, Qt::blue);
    w.select(red);
    w.saveDC();
    w.select(blue);
    w.setWindowExt(200, 200);
    w.saveDC();
    w.restoreDC(-1);
    w.rectangle(QRect(0, 0, 100, 100)); // blue, in the top-left quarter
    w.restoreDC(1);                     // back to the first level
    w.rectangle(QRect(50, 50, 50, 50)); // red, bottom-right quarter
    w.restoreDC(5);                     // no such level: ignored
    w.restoreDC(-3);
    w.rectangle(QRect(0, 50, 10, 10));
    expectPixels(play(w), {{25, 25, kBlue}, {75, 25, kWhite}, {75, 75, kRed}, {5, 55, kRed}});
}

TEST(Wmf, EmbeddedBitmapsAreStretchedIntoPlace)
{
    QImage four(2, 2, QImage::Format_RGB32);
    four.setPixel(0, 0, 0xFFFF0000);
    four.setPixel(1, 0, 0xFF00FF00);
    four.setPixel(0, 1, 0xFF0000FF);
    four.setPixel(1, 1, 0xFF000000);
    WmfWriter stretch;
    stretch.stretchDib(four, QRect(0, 0, 100, 100));
    WmfWriter blt;
    blt.dibStretchBlt(four, QRect(0, 0, 50, 50));
    for (const WmfWriter* w : {&stretch, &blt}) {
        const int q = w == &stretch ? 25 : 12;
        expectPixels(play(*w), {{q, q, kRed}, {3 * q, q, kGreen}, {q, 3 * q, kBlue}, {3 * q, 3 * q, kBlack}});
    }
    EXPECT_EQ(at(play(blt), 75, 75), kWhite);
}

TEST(Wmf, PatternBrushesHatchesAndPatBlt)
{
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.fill(Qt::red);
    checker.setPixel(1, 0, 0xFF0000FF);
    checker.setPixel(0, 1, 0xFF0000FF);
    WmfWriter w;
    noPen(w);
    w.select(w.recordObject(0x0142, QByteArray("\x05\x00\x00\x00", 4) + WmfWriter::dib(checker)));
    w.rectangle(QRect(0, 0, 50, 50));
    w.record(0x0201, {qint16(0xFF00), 0}); // background colour green
    w.select(w.createBrush(2, Qt::black, 0));
    w.rectangle(QRect(50, 0, 50, 50)); // horizontal hatch on an opaque green ground
    w.select(w.createBrush(0, Qt::blue));
    w.record(0x061D, {0x0021, 0x00F0, 50, 50, 50, 0}); // PatBlt with the brush
    w.record(0x061D, {0x0042, 0x0000, 50, 50, 50, 50}); // black
    const QImage img = play(w);
    EXPECT_NE(at(img, 10, 10), at(img, 11, 10));
    EXPECT_TRUE(at(img, 10, 10) == kRed || at(img, 10, 10) == kBlue);
    int black = 0, green = 0;
    for (int y = 10; y < 40; ++y)
        (at(img, 75, y) == kBlack ? black : green) += 1;
    EXPECT_GT(black, 0);
    EXPECT_GT(green, 0);
    expectPixels(img, {{25, 75, kBlue}, {75, 75, kBlack}});
}

TEST(Wmf, BrokenBitmapsAndRecordsAreSkipped)
{
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray dib = WmfWriter::dib(red);
    dib[4] = char(0xFF); // width 255 with the pixels of 4
    const QByteArray params = stretchDibParams(QSize(4, 4), kPage);
    WmfWriter w;
    w.recordBytes(0x0F43, params + dib);
    w.recordBytes(0x0F43, params + WmfWriter::dib(red).left(30)); // header cut short
    solid(w, Qt::green);
    w.record(0x0A32, {1, 2, 3, 4, 5, 6, 7});             // text, not drawn
    w.record(0x7777, {9, 9});                            // not a record at all
    w.record(0x041B, {10, 10});                          // a rectangle with half its corners
    w.record(0x0324, {500, 0, 0, 99, 0, 99, 99});        // 500 points claimed, 3 given
    w.record(0x0538, {2, 3, 30000, 0, 0, 10, 0, 0, 10}); // a second polygon far past the end
    w.rectangle(QRect(40, 40, 20, 20));
    expectPixels(play(w), {{10, 10, kWhite}, {90, 10, kWhite}, {50, 50, kGreen}});
}

TEST(Wmf, CutAndBrokenFilesAreRefused)
{
    WmfWriter w;
    solid(w, Qt::red);
    w.rectangle(QRect(0, 0, 50, 50));
    const QByteArray good = w.bytes(true, kPage, kWmfPixelsPerInch);
    const int firstRecord = 22 + 18;
    QByteArray zero = good, huge = good;
    zero[firstRecord] = zero[firstRecord + 1] = zero[firstRecord + 2] = zero[firstRecord + 3] = 0;
    huge[firstRecord + 3] = char(0x7F); // a record claiming a gigabyte
    const struct {
        QByteArray bytes;
        const char* cause;
    } cases[] = {
        {good.left(good.size() - 10), "cut short"},
        {good.left(30), ""},
        {good.left(10), ""},
        {QByteArray(), "not a Windows metafile"},
        {"GIF89a and then some more bytes than a header", ""},
        {zero, "broken record"},
        {huge, ""},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_TRUE(wmfRead(c.bytes, &error).isNull()) << c.cause;
        EXPECT_TRUE(error.contains(c.cause)) << qPrintable(error);
    }
    // Records that end with the data but no closing record are still a picture.
    QString error;
    EXPECT_FALSE(wmfRead(good.left(good.size() - 6), &error).isNull()) << qPrintable(error);
}

TEST(Wmf, EndlessPaintingIsRefused)
{
    // Each record paints the whole page; a few hundred are a picture, ten thousand are an attack.
    auto pages = [](int count) {
        WmfWriter w;
        solid(w, Qt::red);
        for (int i = 0; i < count; ++i)
            w.ellipse(QRect(-50, -50, 200, 200));
        return w.bytes(true, kPage, kWmfPixelsPerInch);
    };
    QString error;
    EXPECT_FALSE(wmfRead(pages(300), &error).isNull()) << qPrintable(error);
    EXPECT_TRUE(wmfRead(pages(10000), &error).isNull());
    EXPECT_TRUE(error.contains("draws far more")) << qPrintable(error);
}

TEST(Wmf, MangledFilesNeverCrash)
{
    WmfWriter w;
    solid(w, Qt::red, 4);
    w.setWindowOrg(0, 0);
    w.setWindowExt(100, 100);
    w.saveDC();
    w.ellipse(QRect(0, 0, 40, 40));
    w.pie(kPage, QPoint(0, 0), QPoint(100, 100));
    w.polyPolygon({{QPoint(0, 0), QPoint(9, 0), QPoint(9, 9)}, {QPoint(1, 1), QPoint(5, 5), QPoint(1, 5)}});
    QImage small(3, 3, QImage::Format_RGB32);
    small.fill(Qt::blue);
    w.stretchDib(small, QRect(10, 10, 30, 30));
    w.restoreDC(-1);
    const QByteArray good = w.bytes(true, kPage, kWmfPixelsPerInch);
    QRandomGenerator rng(4);
    int pictures = 0;
    for (int round = 0; round < 1500; ++round) {
        QByteArray bad = good;
        const int flips = 1 + rng.bounded(6);
        for (int i = 0; i < flips; ++i)
            bad[rng.bounded(int(bad.size()))] = char(rng.bounded(256));
        if (round % 5 == 0)
            bad.truncate(rng.bounded(int(bad.size())));
        QString error;
        const QImage img = wmfRead(bad, &error);
        if (img.isNull())
            EXPECT_FALSE(error.isEmpty());
        else
            ++pictures;
    }
    EXPECT_GT(pictures, 0);
}

TEST(Wmf, LoadPictureReadsMetafilesWithoutRegistering)
{
    TestFolders folders;
    WmfWriter w;
    solid(w, Qt::blue);
    w.rectangle(QRect(0, 0, 100, 100));
    folders.write("fish.WMF", w.bytes(true, kPage, kWmfPixelsPerInch));
    folders.write("empty.wmf", WmfWriter().bytes(true, QRect(0, 0, 0, 9000), 96));
    QString error;
    const QImage img = loadPicture(folders.path("fish.wmf"), &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(img.size(), QSize(100, 100));
    EXPECT_EQ(at(img, 50, 50), kBlue);
    EXPECT_TRUE(loadPicture(folders.path("empty.wmf"), &error).isNull());
    EXPECT_TRUE(error.contains("empty.wmf") && error.contains("empty size")) << qPrintable(error);
    // Shown larger, it is drawn larger, not stretched: an outline of one unit is three pixels wide.
    const QImage large = loadPicture(folders.path("fish.wmf"), &error, QSize(300, 200));
    EXPECT_EQ(large.size(), QSize(300, 200));
    expectPixels(large, {{0, 100, kBlack}, {1, 100, kBlack}, {3, 100, kBlue}});
}
