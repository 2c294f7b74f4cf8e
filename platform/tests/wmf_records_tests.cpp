// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The records of text, clipping, raster operations, viewports, regions and bitmaps.
#include "bitmapcorpus.h"
#include "bmpwriter.h"
#include "platform/wmfplayer.h"
#include "testsupport/testsupport.h"
#include "wmfpage.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// The pixels of one colour, as their bounding box.
QRect inked(const QImage& img, QRgb color = kBlack)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (at(img, x, y) == color)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

int count(const QImage& img, QRgb color, const QRect& area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += at(img, x, y) == color;
    return n;
}

WmfWriter textPage(int height = -20, int escapement = 0, const QByteArray& face = "Arial")
{
    WmfWriter w;
    w.setBkMode(1);
    WmfWriter::Font f;
    f.face = face;
    f.height = height;
    f.escapement = escapement;
    w.select(w.createFont(f));
    return w;
}

wmf::Font font(const QByteArray& face, int charset = 0, int pitchAndFamily = 0)
{
    wmf::Font f;
    f.face = face;
    f.charset = charset;
    f.pitchAndFamily = pitchAndFamily;
    return f;
}

QString decoded(const QByteArray& bytes, const wmf::Font& f)
{
    QString s;
    for (const wmf::TextUnit& u : wmf::decodeText(bytes, f))
        s += u.text;
    return s;
}

} // namespace

TEST(WmfText, FacesMapToInstalledFontsAndSignsToUnicode)
{
    // An unknown face of the roman family, and one of fixed pitch.
    for (const auto& [f, family] : {std::pair{font("Arial"), "Liberation Sans"}, {font("TIMES NEW ROMAN"), "Liberation Serif"},
                                    {font("Courier New"), "Liberation Mono"}, {font("No Such Face", 0, 0x12), "Liberation Serif"},
                                    {font("No Such Face", 0, 0x31), "Liberation Mono"}})
        EXPECT_EQ(wmf::familyFor(f), family) << f.face.constData();
    const std::tuple<const char*, wmf::Font, const char16_t*> texts[] = {
        {"abp", font("Symbol", 2), u"αβπ"},          {"\xD6\xE5", font("Symbol", 2), u"√∑"},
        {"\xFC\xE8", font("Wingdings", 2), u"✔➡"},    {"\x80\xE9", font("Arial", 0), u"€é"},
        {"\xCC\xE8\xF0", font("Arial", 204), u"Мир"}, {"\xE1\xE2", font("Arial", 161), u"αβ"}};
    for (const auto& [bytes, f, text] : texts)
        EXPECT_EQ(decoded(bytes, f), QString::fromUtf16(text)) << bytes;
    // Two bytes of Shift-JIS are one character that owns both bytes' spacing.
    const auto units = wmf::decodeText("a\x82\xA0" "b", font("MS Gothic", 128));
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[1].text, QStringLiteral(u"あ"));
    EXPECT_EQ(units[1].bytes, 2);
}

TEST(WmfText, TextStandsWhereItsAlignmentPutsIt)
{
    auto box = [](int align) {
        WmfWriter w = textPage();
        w.setTextAlign(align);
        w.textOut(50, 50, "H");
        return inked(play(w));
    };
    const QRect topLeft = box(0), baseline = box(24), bottom = box(8), right = box(2), centre = box(6);
    ASSERT_FALSE(topLeft.isEmpty());
    EXPECT_GE(topLeft.left(), 50);
    EXPECT_GE(topLeft.top(), 50);
    EXPECT_LE(topLeft.bottom(), 50 + 20);
    EXPECT_LE(baseline.bottom(), 50);
    EXPECT_GE(baseline.bottom(), 47);
    EXPECT_LT(bottom.bottom(), baseline.bottom() - 2); // the descent lies below the baseline
    EXPECT_LE(right.right(), 50);
    EXPECT_LT(centre.left(), 50);
    EXPECT_GT(centre.right(), 50);
    EXPECT_EQ(topLeft.size(), baseline.size());
}

TEST(WmfText, HeightSignAndEscapement)
{
    auto box = [](int height, int escapement, const QByteArray& text) {
        WmfWriter w = textPage(height, escapement);
        w.setTextAlign(24);
        w.textOut(20, 80, text);
        return inked(play(w));
    };
    // A negative height is the character's own, a positive one includes the space above it.
    const QRect character = box(-40, 0, "H"), cell = box(40, 0, "H");
    EXPECT_GT(character.height(), cell.height() * 1.05);
    EXPECT_NEAR(character.height(), 40 * 0.716, 2.5); // the capital height of Arial
    const QRect level = box(-16, 0, "HHHH"), upright = box(-16, 900, "HHHH");
    EXPECT_GT(level.width(), level.height() * 2);
    EXPECT_GT(upright.height(), upright.width() * 2);
    EXPECT_LE(upright.bottom(), 80); // turned about its reference point, upwards
}

TEST(WmfText, ExtTextOutBoxesAndSpacing)
{
    WmfWriter w = textPage();
    w.setBkColor(Qt::green);
    w.extTextOut(10, 10, 2, QRect(5, 5, 40, 30), "");        // an opaque box alone
    w.extTextOut(50, 10, 4, QRect(50, 10, 10, 40), "WWWW");  // clipped to ten pixels
    w.extTextOut(10, 60, 0, QRect(), "II", {40, 40});         // the second letter forty to the right
    const QImage img = play(w);
    EXPECT_EQ(count(img, kGreen, QRect(5, 5, 40, 30)), 40 * 30);
    EXPECT_GT(count(img, kBlack, QRect(50, 10, 10, 40)), 10);
    EXPECT_EQ(count(img, kBlack, QRect(61, 0, 39, 50)), 0);
    const QRect first = inked(img.copy(0, 55, 40, 30)), second = inked(img.copy(40, 55, 40, 30));
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.left() + 40 - first.left(), 40);
}

TEST(WmfText, ExtraSpaceJustificationAndTheCurrentPosition)
{
    auto width = [](int extra, int breakExtra, const QByteArray& text) {
        WmfWriter w = textPage(-16);
        w.setTextCharExtra(extra);
        w.setTextJustification(breakExtra, breakExtra ? 1 : 0);
        w.textOut(2, 20, text);
        return inked(play(w)).width();
    };
    const int plain = width(0, 0, "IIII");
    EXPECT_EQ(width(5, 0, "IIII"), plain + 15); // after each letter but the last one that shows
    EXPECT_EQ(width(0, 20, "I I"), width(0, 0, "I I") + 20);

    // With the current position updated, each text continues where the last one ended.
    WmfWriter w = textPage(-16);
    w.setTextAlign(1);
    w.moveTo(2, 20);
    w.textOut(90, 90, "II");
    w.textOut(90, 90, "II");
    const QRect both = inked(play(w));
    EXPECT_EQ(both.width(), width(0, 0, "IIII"));
    EXPECT_LT(both.bottom(), 50);
}

TEST(WmfText, BackgroundColourUnderlineAndStrikeOut)
{
    WmfWriter w;
    w.setBkColor(Qt::green);
    w.setTextColor(Qt::blue);
    WmfWriter::Font f;
    f.height = -20;
    f.underline = true;
    w.select(w.createFont(f));
    w.setTextAlign(24);
    w.textOut(10, 30, "a a");
    f.underline = false;
    f.strikeOut = true;
    w.select(w.createFont(f));
    w.setBkMode(1);
    w.textOut(10, 70, "a a");
    const QImage img = play(w);
    EXPECT_GT(count(img, kGreen, QRect(10, 10, 20, 20)), 50); // opaque background behind the text
    EXPECT_EQ(count(img, kGreen, QRect(10, 50, 30, 30)), 0);  // none when transparent
    // Both lines run across the space between the words, where no letter is.
    const QRect underline = inked(img.copy(0, 30, 100, 6), kBlue);
    const QRect strike = inked(img.copy(0, 55, 100, 15), kBlue);
    EXPECT_GE(underline.width(), 20);
    EXPECT_GE(strike.width(), 20);
}

TEST(WmfClip, RectanglesRegionsAndSavedStates)
{
    WmfWriter w;
    noPen(w, Qt::red);
    w.saveDC();
    w.intersectClipRect(QRect(0, 0, 50, 50));
    w.excludeClipRect(QRect(10, 10, 10, 10));
    w.setWindowOrg(-50, 0); // clipping stays where it was set
    w.rectangle(QRect(-50, 0, 100, 100));
    w.restoreDC(-1); // the clip ends with the saved state
    w.select(w.createBrush(0, Qt::blue));
    const int region = w.createRegion({QRect(60, 60, 10, 10), QRect(80, 60, 10, 10)});
    w.selectClipRegion(region);
    w.rectangle(QRect(50, 50, 50, 50));
    w.offsetClipRgn(0, -50);
    w.rectangle(QRect(50, 0, 50, 50));
    w.selectClipRegion(0x7FFF); // not a region: clipping ends
    w.rectangle(QRect(0, 95, 100, 5));
    // Excluded, outside the clip after the window moved, between the region's rectangles, the moved region.
    expectPixels(play(w), {{5, 5, kRed}, {15, 15, kWhite}, {75, 25, kWhite}, {65, 65, kBlue}, {75, 65, kWhite},
                           {85, 15, kBlue}, {65, 15, kBlue}, {50, 97, kBlue}});
}

TEST(WmfRop, MixesOfThePenAndBrushWithThePicture)
{
    auto over = [](int rop2, const QColor& ground, const QColor& paint) {
        WmfWriter w;
        noPen(w, ground);
        w.rectangle(kPage);
        w.setRop2(rop2);
        w.select(w.createBrush(0, paint));
        w.rectangle(QRect(20, 20, 60, 60));
        return at(play(w), 50, 50);
    };
    const QColor ground(0x12, 0x34, 0x56), paint(0xF0, 0x0F, 0x33);
    // Copy, exclusive or, not the picture, and, or, nothing, black, white.
    const std::pair<int, QRgb> mixes[] = {{13, 0xF00F33}, {7, 0xE23B65}, {6, 0xEDCBA9}, {9, 0x100412},
                                          {15, 0xF23F77}, {11, 0x123456}, {1, kBlack},   {16, kWhite}};
    for (const auto& [rop2, want] : mixes)
        EXPECT_EQ(over(rop2, ground, paint), want) << rop2;
    // Drawn twice with exclusive or, a shape leaves the picture as it was.
    WmfWriter w;
    w.setRop2(7);
    w.select(w.createPen(0, 3, Qt::red));
    for (int i = 0; i < 2; ++i) {
        w.moveTo(0, 0);
        w.lineTo(99, 99);
    }
    EXPECT_EQ(count(play(w), kWhite, kPage), 100 * 100);
}

TEST(WmfViewport, ViewportsMoveAndScaleWhatFollows)
{
    WmfWriter w;
    noPen(w, Qt::red);
    w.setViewportOrg(50, 0);
    w.setViewportExt(50, 50); // half size: the window is 100 x 100
    w.rectangle(QRect(0, 0, 100, 100));
    w.offsetViewportOrg(-50, 50);
    w.scaleViewportExt(1, 2, 1, 2); // a quarter
    w.select(w.createBrush(0, Qt::blue));
    w.rectangle(QRect(0, 0, 100, 100));
    const QImage img = play(w);
    EXPECT_EQ(inked(img, kRed), QRect(50, 0, 50, 50));
    EXPECT_EQ(inked(img, kBlue), QRect(0, 50, 25, 25));

    // Isotropic: the smaller scale serves both axes.
    WmfWriter iso;
    noPen(iso, Qt::green);
    iso.setMapMode(7);
    iso.setWindowExt(100, 100);
    iso.setViewportExt(100, 50);
    iso.rectangle(QRect(0, 0, 100, 100));
    EXPECT_EQ(inked(play(iso), kGreen), QRect(0, 0, 50, 50));
}

TEST(WmfRegions, FillPaintFrameAndInvert)
{
    WmfWriter w;
    const int a = w.createRegion({QRect(10, 10, 30, 30)});
    const int b = w.createRegion({QRect(60, 10, 30, 30)});
    const int c = w.createRegion({QRect(10, 60, 30, 30)});
    const int red = w.createBrush(0, Qt::red);
    w.fillRegion(a, red);
    w.select(w.createBrush(0, Qt::blue));
    w.paintRegion(b);
    w.frameRegion(c, red, 4, 2);
    w.invertRegion(a);
    const QImage img = play(w);
    EXPECT_EQ(inked(img, 0x00FFFF), QRect(10, 10, 30, 30)); // red, inverted
    EXPECT_EQ(inked(img, kBlue), QRect(60, 10, 30, 30));
    // The frame is four wide at the sides, two high at the top.
    expectPixels(img, {{11, 75, kRed}, {13, 75, kRed}, {14, 75, kWhite}, {25, 61, kRed}, {25, 62, kWhite}});
}

TEST(WmfBlt, BitBlockRecordsWithoutABitmapFillWithTheBrush)
{
    WmfWriter w;
    w.select(w.createBrush(0, Qt::red));
    w.shortBlt(0x0940, QRect(0, 0, 50, 10), 0x00F00021);  // DIBBITBLT: the brush
    w.shortBlt(0x0B41, QRect(0, 20, 50, 10), 0x00F00021); // DIBSTRETCHBLT
    w.shortBlt(0x0922, QRect(0, 40, 50, 10), 0x00F00021); // BITBLT
    w.shortBlt(0x0B23, QRect(0, 60, 50, 10), 0x00F00021); // STRETCHBLT
    w.patBlt(QRect(0, 60, 50, 5), 0x00550009);            // the picture inverted
    w.select(w.createBrush(0, Qt::blue));
    w.patBlt(QRect(0, 0, 100, 5), 0x005A0049); // the brush exclusive-or the picture
    // A copy takes its source from the picture itself: the red bar, stretched to twice its height.
    w.shortBlt(0x0B41, QRect(60, 80, 40, 20), 0x00CC0020, QRect(0, 40, 40, 10));
    const QImage img = play(w);
    expectPixels(img, {{25, 5, kRed}, {25, 25, kRed}, {25, 45, kRed}, {25, 67, kRed}, {75, 25, kWhite},
                       {25, 62, 0x00FFFF}, {25, 2, 0xFF00FF}, {75, 2, 0xFFFF00}});
    EXPECT_EQ(inked(img.copy(50, 70, 50, 30), kRed), QRect(10, 10, 40, 20));
}

TEST(WmfBitmaps, SourceOperationsAndWindows3Bitmaps)
{
    QImage stripes(2, 1, QImage::Format_RGB32);
    stripes.setPixel(0, 0, 0xFFFFFFFF);
    stripes.setPixel(1, 0, 0xFF000000);
    WmfWriter w;
    noPen(w, QColor(0x40, 0x80, 0xC0));
    w.rectangle(kPage);
    w.stretchDib(stripes, QRect(0, 0, 100, 20), 0x008800C6); // and: white keeps, black blacks
    w.stretchDib(stripes, QRect(0, 20, 100, 20), 0x00660046); // exclusive or: white inverts
    w.setTextColor(Qt::red);
    w.setBkColor(Qt::green);
    w.stretchBlt(stripes, QRect(0, 40, 100, 20)); // zeros in the text colour, ones in the background's
    w.setTextColor(Qt::blue);
    w.setBkColor(Qt::white);
    w.select(w.createPatternBrush(stripes));
    w.rectangle(QRect(0, 60, 100, 20));
    const QImage img = play(w);
    expectPixels(img, {{25, 10, 0x4080C0}, {75, 10, kBlack}, {25, 30, 0xBF7F3F}, {75, 30, 0x4080C0},
                       {25, 50, kGreen}, {75, 50, kRed}});
    const int blue = count(img, kBlue, QRect(0, 60, 100, 20)), white = count(img, kWhite, QRect(0, 60, 100, 20));
    EXPECT_EQ(blue + white, 2000);
    EXPECT_EQ(blue, 1000); // the pattern's columns alternate
}

// As an office suite writes a picture with partial transparency: its opacity as an 8-bit grey
// mask ORed in, then its colours as they look over white ANDed in, on one place.
TEST(WmfBitmaps, AnOfficeTransparencyPairIsDrawnAsTransparency)
{
    const int opacity[] = {0, 64, 128, 192, 255};
    QImage mask(5, 1, QImage::Format_Indexed8), colours(5, 1, QImage::Format_RGB32);
    for (int i = 0; i < 256; ++i)
        mask.setColor(i, qRgb(i, i, i));
    for (int x = 0; x < 5; ++x) {
        mask.setPixel(x, 0, uint(opacity[x]));
        colours.setPixel(x, 0, opacity[x] ? qRgb(255, 0, 0) : qRgb(255, 255, 255)); // red, white where clear
    }
    WmfWriter w;
    noPen(w, QColor(0x20, 0x40, 0xC0));
    w.rectangle(QRect(0, 0, 100, 40)); // blue grounds, white between them
    w.rectangle(QRect(0, 80, 100, 20));
    w.stretchDib(mask, QRect(0, 0, 100, 80), 0x00EE0086);
    w.stretchDib(colours, QRect(0, 0, 100, 80), 0x008800C6);
    // A mask without its colours is drawn by the letter.
    w.stretchDib(mask, QRect(0, 85, 100, 10), 0x00EE0086);
    const QImage img = play(w);
    for (int i = 0; i < 5; ++i) {
        const int x = 10 + 20 * i, m = opacity[i];
        const double a = m / 255.0;
        auto blend = [a](int c, int d) { return int(std::lround(c * a + d * (1 - a))); };
        const QRgb over = img.pixel(x, 20), overWhite = img.pixel(x, 60);
        EXPECT_NEAR(qRed(over), blend(255, 0x20), 1) << i;
        EXPECT_NEAR(qGreen(over), blend(0, 0x40), 1) << i;
        EXPECT_NEAR(qBlue(over), blend(0, 0xC0), 1) << i;
        EXPECT_NEAR(qRed(overWhite), 255, 1) << i;
        EXPECT_NEAR(qGreen(overWhite), blend(0, 255), 1) << i;
        EXPECT_EQ(at(img, x, 90), qRgb(0x20 | m, 0x40 | m, 0xC0 | m) & 0xFFFFFF) << i;
    }
}

TEST(WmfBitmaps, EmbeddedBitmapsAreReadLikeBitmapFiles)
{
    // Pixels that run-length codes skip take the table's first colour; a full five-bit channel is 255.
    const QImage skipping = palettePicture(16, 5);
    BmpKind rle;
    rle.bits = 4;
    rle.compression = 2;
    rle.skipIndex = 5;
    QImage white(4, 4, QImage::Format_RGB32);
    white.fill(Qt::white);
    BmpKind five;
    five.bits = 16;
    for (const auto& [image, kind] : {std::pair{skipping, rle}, std::pair{white, five}}) {
        const QByteArray file = bmpWrite(image, kind);
        WmfWriter w;
        w.recordBytes(0x0F43, stretchDibParams(image.size(), kPage) + file.mid(14));
        const QImage img = play(w);
        const QImage wanted = bmpExpected(image, kind).scaled(100, 100);
        EXPECT_EQ(at(img, 50, 1), wanted.pixel(50, 1) & 0xFFFFFF); // a skipped row at the top
        EXPECT_EQ(at(img, 98, 98), wanted.pixel(98, 98) & 0xFFFFFF);
    }
}

TEST(WmfPalette, EntriesColourBrushesAndBitmaps)
{
    WmfWriter w;
    w.selectPalette(w.createPalette({Qt::red, Qt::green, Qt::blue}));
    noPen(w);
    // A brush of entry 2, and a bitmap whose table names entries 1 and 0.
    w.select(w.recordObject(0x02FC, QByteArray("\0\0\x02\0\0\x01\0\0", 8)));
    w.rectangle(QRect(0, 0, 50, 50));
    QImage two(2, 1, QImage::Format_Indexed8);
    two.setColorTable({0xFF000000, 0xFFFFFFFF});
    two.setPixel(0, 0, 0);
    two.setPixel(1, 0, 1);
    BmpKind mono;
    mono.bits = 1;
    QByteArray dib = bmpWrite(two, mono).mid(14);
    const int header = 40;
    dib = dib.left(header) + QByteArray("\x01\0\0\0", 4) + dib.mid(header + 8); // indexes 1 and 0
    w.recordBytes(0x0F43, stretchDibParams(QSize(2, 1), QRect(0, 50, 100, 50), 1) + dib);
    expectPixels(play(w), {{25, 25, kBlue}, {25, 75, kGreen}, {75, 75, kRed}});
}

TEST(WmfFlood, FillsStopAtTheBorderOrKeepToTheSurface)
{
    WmfWriter w;
    w.select(w.createPen(0, 2, Qt::black));
    w.select(w.createBrush(1, Qt::white));
    w.rectangle(QRect(10, 10, 30, 30));
    w.rectangle(QRect(60, 10, 30, 30));
    w.select(w.createBrush(0, Qt::red));
    w.floodFill(25, 25, Qt::black);
    w.select(w.createBrush(0, Qt::blue));
    w.extFloodFill(75, 75, Qt::white, 1); // the white around the boxes, not inside them
    expectPixels(play(w), {{25, 25, kRed}, {75, 25, kWhite}, {5, 95, kBlue}, {10, 25, kBlack}});
}
