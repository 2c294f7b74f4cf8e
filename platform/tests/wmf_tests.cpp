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
    const QImage img = play(w);
    EXPECT_EQ(at(img, 25, 25), kRed);
    EXPECT_EQ(at(img, 75, 25), kWhite);
    EXPECT_EQ(at(img, 25, 75), kWhite);
    EXPECT_EQ(at(img, 0, 10), kBlack); // the outline
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
    EXPECT_EQ(at(img, 10, 20), kBlue);
    EXPECT_EQ(at(img, 45, 20), kWhite);

    WmfWriter noSize;
    noSize.rectangle(QRect(0, 0, 10, 10));
    EXPECT_TRUE(wmfRead(noSize.bytes(false), &error).isNull());
    EXPECT_TRUE(error.contains(QLatin1String("no size"))) << qPrintable(error);
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
    EXPECT_EQ(at(img, kWmfMaxSide / 4, 3), kRed);
    EXPECT_EQ(at(img, kWmfMaxSide * 3 / 4, 3), kWhite);
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
    const QImage img = play(w);
    EXPECT_EQ(at(img, 25, 25), kGreen);
    EXPECT_EQ(at(img, 2, 2), kWhite); // outside the ellipse's curve
    EXPECT_EQ(at(img, 75, 25), kGreen);
    EXPECT_EQ(at(img, 51, 1), kWhite); // cut off by the rounded corner
    EXPECT_EQ(at(img, 20, 75), kGreen);
    EXPECT_EQ(at(img, 3, 95), kWhite);
    EXPECT_EQ(at(img, 0, 25), kBlack);
}

TEST(Wmf, PolyPolygonFollowsTheFillMode)
{
    const QVector<QVector<QPoint>> nested{{QPoint(0, 0), QPoint(99, 0), QPoint(99, 99), QPoint(0, 99)},
                                          {QPoint(30, 30), QPoint(70, 30), QPoint(70, 70), QPoint(30, 70)}};
    WmfWriter alternate;
    solid(alternate, Qt::red);
    alternate.polyPolygon(nested);
    QImage img = play(alternate);
    EXPECT_EQ(at(img, 10, 10), kRed);
    EXPECT_EQ(at(img, 50, 50), kWhite); // the hole

    WmfWriter winding;
    solid(winding, Qt::red);
    winding.setPolyFillMode(2);
    winding.polyPolygon(nested);
    img = play(winding);
    EXPECT_EQ(at(img, 50, 50), kRed);
}

TEST(Wmf, LinesAndPolylinesUseTheCurrentPen)
{
    WmfWriter w;
    w.select(w.createPen(0, 3, Qt::blue));
    w.moveTo(10, 10);
    w.lineTo(90, 10);
    w.lineTo(90, 90); // from where the last line ended
    w.polyline({QPoint(10, 50), QPoint(50, 50)});
    const QImage img = play(w);
    EXPECT_EQ(at(img, 50, 10), kBlue);
    EXPECT_EQ(at(img, 50, 11), kBlue); // three pixels wide
    EXPECT_EQ(at(img, 50, 14), kWhite);
    EXPECT_EQ(at(img, 90, 50), kBlue);
    EXPECT_EQ(at(img, 30, 50), kBlue);
    EXPECT_EQ(at(img, 50, 55), kWhite);
    EXPECT_EQ(at(img, 10, 90), kWhite); // a polyline is not closed

    // A wide mitred pen: a corner within GDI's miter limit of 10 keeps its point; a line that
    // turns back on itself is bevelled, not drawn as a spike past its end.
    WmfWriter m;
    m.select(m.createPen(0x2000, 8, Qt::black));
    m.polyline({QPoint(10, 30), QPoint(60, 30), QPoint(10, 31)});
    m.polyline({QPoint(10, 60), QPoint(50, 60), QPoint(10, 90)});
    const QImage mitred = play(m);
    EXPECT_EQ(at(mitred, 63, 30), kWhite) << "spike beyond the turn";
    EXPECT_EQ(at(mitred, 55, 60), kBlack) << "the point of the sharp corner";
}

TEST(Wmf, ArcsPiesAndChordsRunCounterClockwiseFromStartToEnd)
{
    // A quarter from 3 o'clock to 12 o'clock of the circle filling the page.
    const QPoint three(100, 50), twelve(50, 0);
    WmfWriter pie;
    solid(pie, Qt::red);
    pie.pie(kPage, three, twelve);
    QImage img = play(pie);
    EXPECT_EQ(at(img, 75, 25), kRed);
    EXPECT_EQ(at(img, 25, 25), kWhite);
    EXPECT_EQ(at(img, 75, 75), kWhite);
    EXPECT_EQ(at(img, 25, 75), kWhite);

    // Swapping the ends gives the other three quarters.
    WmfWriter rest;
    solid(rest, Qt::red);
    rest.pie(kPage, twelve, three);
    img = play(rest);
    EXPECT_EQ(at(img, 75, 25), kWhite);
    EXPECT_EQ(at(img, 25, 25), kRed);
    EXPECT_EQ(at(img, 75, 75), kRed);

    WmfWriter chord;
    solid(chord, Qt::red);
    chord.chord(kPage, three, twelve);
    img = play(chord);
    EXPECT_EQ(at(img, 82, 18), kRed);
    EXPECT_EQ(at(img, 60, 40), kWhite); // the centre's side of the chord

    WmfWriter arc;
    arc.select(arc.createPen(0, 3, Qt::black));
    arc.arc(kPage, three, twelve);
    img = play(arc);
    EXPECT_EQ(at(img, 85, 15), kBlack);
    EXPECT_EQ(at(img, 15, 85), kWhite);
    EXPECT_EQ(at(img, 75, 25), kWhite); // only the curve
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
    const QImage img = play(w);
    EXPECT_EQ(at(img, 25, 25), kGreen);
    EXPECT_EQ(at(img, 75, 25), kBlue);
    EXPECT_EQ(at(img, 25, 75), kBlue);
    EXPECT_EQ(at(img, 0, 25), kGreen); // no outline
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
    const QImage img = play(w);
    EXPECT_EQ(at(img, 25, 25), kBlue);
    EXPECT_EQ(at(img, 75, 25), kWhite);
    EXPECT_EQ(at(img, 75, 75), kRed);
    EXPECT_EQ(at(img, 5, 55), kRed);
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
        QString error;
        const QImage img = play(*w, &error);
        ASSERT_FALSE(img.isNull()) << qPrintable(error);
        const int q = w == &stretch ? 25 : 12;
        EXPECT_EQ(at(img, q, q), kRed);
        EXPECT_EQ(at(img, 3 * q, q), kGreen);
        EXPECT_EQ(at(img, q, 3 * q), kBlue);
        EXPECT_EQ(at(img, 3 * q, 3 * q), kBlack);
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
    EXPECT_EQ(at(img, 25, 75), kBlue);
    EXPECT_EQ(at(img, 75, 75), kBlack);
}

TEST(Wmf, BrokenBitmapsAreSkipped)
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
    w.rectangle(QRect(40, 40, 20, 20));
    QString error;
    const QImage img = play(w, &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(at(img, 10, 10), kWhite);
    EXPECT_EQ(at(img, 50, 50), kGreen);
}

TEST(Wmf, UnknownAndShortRecordsAreSkipped)
{
    WmfWriter w;
    solid(w, Qt::red);
    w.record(0x0A32, {1, 2, 3, 4, 5, 6, 7});         // text, not drawn
    w.record(0x7777, {9, 9});                          // not a record at all
    w.record(0x041B, {10, 10});                        // a rectangle with half its corners
    w.record(0x0324, {500, 0, 0, 99, 0, 99, 99});      // 500 points claimed, 3 given
    w.record(0x0538, {2, 3, 30000, 0, 0, 10, 0, 0, 10}); // a second polygon far past the end
    w.rectangle(QRect(50, 50, 50, 50));
    QString error;
    const QImage img = play(w, &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(at(img, 75, 75), kRed);
    EXPECT_EQ(at(img, 5, 5), kWhite);
    EXPECT_EQ(at(img, 90, 10), kWhite);
}

TEST(Wmf, CutAndBrokenFilesAreRefused)
{
    WmfWriter w;
    solid(w, Qt::red);
    w.rectangle(QRect(0, 0, 50, 50));
    const QByteArray good = w.bytes(true, kPage, kWmfPixelsPerInch);
    QString error;
    EXPECT_TRUE(wmfRead(good.left(good.size() - 10), &error).isNull());
    EXPECT_TRUE(error.contains(QLatin1String("cut short"))) << qPrintable(error);
    EXPECT_TRUE(wmfRead(good.left(30), &error).isNull());
    EXPECT_TRUE(wmfRead(good.left(10), &error).isNull());
    EXPECT_TRUE(wmfRead(QByteArray(), &error).isNull());
    EXPECT_TRUE(error.contains(QLatin1String("not a Windows metafile"))) << qPrintable(error);
    EXPECT_TRUE(wmfRead(QByteArray("GIF89a and then some more bytes than a header"), &error).isNull());

    QByteArray zero = good;
    const int firstRecord = 22 + 18;
    zero[firstRecord] = zero[firstRecord + 1] = zero[firstRecord + 2] = zero[firstRecord + 3] = 0;
    EXPECT_TRUE(wmfRead(zero, &error).isNull());
    EXPECT_TRUE(error.contains(QLatin1String("broken record"))) << qPrintable(error);

    QByteArray huge = good;
    huge[firstRecord + 3] = char(0x7F); // a record claiming a gigabyte
    EXPECT_TRUE(wmfRead(huge, &error).isNull());

    // Records that end with the data but no closing record are still a picture.
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
    EXPECT_TRUE(error.contains(QLatin1String("draws far more"))) << qPrintable(error);
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
    folders.write(QStringLiteral("fish.WMF"), w.bytes(true, kPage, kWmfPixelsPerInch));
    folders.write(QStringLiteral("empty.wmf"), WmfWriter().bytes(true, QRect(0, 0, 0, 9000), 96));
    QString error;
    const QImage img = loadPicture(folders.path(QStringLiteral("fish.wmf")), &error);
    ASSERT_FALSE(img.isNull()) << qPrintable(error);
    EXPECT_EQ(img.size(), QSize(100, 100));
    EXPECT_EQ(at(img, 50, 50), kBlue);
    EXPECT_TRUE(loadPicture(folders.path(QStringLiteral("empty.wmf")), &error).isNull());
    EXPECT_TRUE(error.contains(QLatin1String("empty.wmf")) && error.contains(QLatin1String("empty size")))
        << qPrintable(error);
    // Shown larger, it is drawn larger, not stretched.
    const QImage large = loadPicture(folders.path(QStringLiteral("fish.wmf")), &error, QSize(300, 200));
    EXPECT_EQ(large.size(), QSize(300, 200));
    EXPECT_EQ(at(large, 0, 100), kBlack);
    EXPECT_EQ(at(large, 1, 100), kBlack); // an outline of one unit, three pixels wide, on the edge
    EXPECT_EQ(at(large, 3, 100), kBlue);
}
