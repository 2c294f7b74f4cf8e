// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/bmpreader.h"
#include "platform/picture.h"
#include "bitmapcorpus.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>

namespace {

// Pixels that differ, as "x,y: got vs wanted" for the first few; empty when none do.
QString differences(const QImage& got, const QImage& wanted)
{
    if (got.size() != wanted.size())
        return QStringLiteral("size %1 x %2, wanted %3 x %4").arg(got.width()).arg(got.height()).arg(wanted.width()).arg(wanted.height());
    const QImage a = got.convertToFormat(QImage::Format_ARGB32), b = wanted.convertToFormat(QImage::Format_ARGB32);
    QString out;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && ++count <= 3)
                out += QStringLiteral("%1,%2: %3 vs %4; ").arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
    return count ? out + QStringLiteral("%1 pixels differ").arg(count) : QString();
}

QByteArray withBits(QByteArray file, int at, quint32 v, int n = 4)
{
    for (int i = 0; i < n; ++i)
        file[at + i] = char((v >> (8 * i)) & 0xFF);
    return file;
}

} // namespace

TEST(Bmp, EveryKindReadsAsWritten)
{
    TestFolders folders;
    for (const BitmapVariant& v : bitmapVariants()) {
        folders.write(v.name, bmpWrite(v.image, v.kind));
        QString why;
        const QImage img = loadPicture(folders.path(v.name), &why);
        ASSERT_FALSE(img.isNull()) << qPrintable(v.name) << ": " << qPrintable(why);
        EXPECT_EQ(differences(img, bmpExpected(v.image, v.kind)), QString()) << qPrintable(v.name);
    }
}

TEST(Bmp, FullChannelsAreWhiteAtEveryMaskWidth)
{
    QImage white(3, 2, QImage::Format_RGB32);
    white.fill(Qt::white);
    const quint32 masks[][3] = {{0x7C00, 0x03E0, 0x001F},         {0xF800, 0x07E0, 0x001F},
                                {0x0F00, 0x00F0, 0x000F},         {0x3FF00000, 0x000FFC00, 0x000003FF},
                                {0xFFE00000, 0x001FFC00, 0x3FF}, {0xFFFF0000, 0x0000FFFF, 0x1}};
    for (const auto& m : masks) {
        BmpKind s;
        s.bits = m[0] > 0xFFFF ? 32 : 16;
        s.compression = 3;
        s.masks[0] = m[0], s.masks[1] = m[1], s.masks[2] = m[2];
        const QImage img = bmpFromBytes(bmpWrite(white, s));
        ASSERT_FALSE(img.isNull()) << std::hex << m[0];
        EXPECT_EQ(img.pixel(1, 1), 0xFFFFFFFFu) << std::hex << m[0];
    }
}

TEST(Bmp, OversizedAndShownPicturesKeepTheirColours)
{
    TestFolders folders;
    QImage red(64, 32, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    BmpKind s;
    s.bits = 32;
    s.compression = 3;
    s.masks[0] = 0x3FF00000, s.masks[1] = 0xFFC00, s.masks[2] = 0x3FF;
    folders.write("red.bmp", bmpWrite(red, s));
    // Read just large enough to cover a 16 x 16 cell when stretched.
    const QImage small = loadPicture(folders.path("red.bmp"), nullptr, QSize(16, 16));
    EXPECT_EQ(small.size(), QSize(32, 16));
    EXPECT_EQ(small.pixel(16, 8) & 0xFFFFFF, 0xFF0000u);
}

TEST(Bmp, HeadersNoBitmapHasAreRefusedWithTheirCause)
{
    TestFolders folders;
    BmpKind pal8;
    pal8.bits = 8;
    const QByteArray good = bmpWrite(palettePicture(256), pal8);
    BmpKind masked;
    masked.bits = 32;
    masked.compression = 3;
    const struct {
        const char* name;
        QByteArray bytes;
        const char* cause;
    } cases[] = {
        {"bits.bmp", withBits(good, 28, 7, 2), "7 bits per pixel"},
        {"bits-huge.bmp", withBits(good, 28, 0x3F00, 2), "16128 bits per pixel"},
        {"planes.bmp", withBits(good, 26, 3, 2), "3 colour planes"},
        {"header.bmp", withBits(good, 14, 99), "99 bytes"},
        {"compression.bmp", withBits(good, 30, 2), "compression (2) that 8-bit"},
        {"unknown-compression.bmp", withBits(good, 30, 77), "no bitmap has (77)"},
        {"jpeg.bmp", withBits(good, 30, 4), "JPEG picture inside"},
        {"huffman.bmp", withBits(withBits(bmpWrite(palettePicture(2), BmpKind{64, 1}), 30, 3), 28, 1, 2), "Huffman"},
        {"empty-masks.bmp", bmpWrite(colourPicture(false), masked), "masks are all empty"},
        {"topdown-rle.bmp", withBits(bmpWrite(palettePicture(256), BmpKind{40, 8, 1}), 22, quint32(-23)), "top-down"},
        {"no-pixels.bmp", withBits(good, 18, 0), "no pixels (0 x 23)"},
        {"huge.bmp", withBits(withBits(good, 18, 60000), 22, 60000), "too large"}, // refused before decoding
        // The widest header of all: its bytes count past 64 bits.
        {"widest.bmp", withBits(withBits(withBits(good, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF), 28, 32, 2), "too large"},
    };
    for (const auto& c : cases) {
        folders.write(c.name, c.bytes);
        QString why;
        EXPECT_TRUE(loadPicture(folders.path(c.name), &why).isNull()) << c.name;
        EXPECT_TRUE(why.contains(QLatin1String(c.cause))) << c.name << ": " << qPrintable(why);
        EXPECT_TRUE(why.contains(QLatin1String(c.name))) << qPrintable(why);
    }
    // A whole file is never called cut off, and an OS/2 file is never too large.
    BmpKind os2;
    os2.headerSize = 12;
    os2.bits = 8;
    folders.write("os2.bmp", bmpWrite(palettePicture(256), os2));
    QString why;
    EXPECT_FALSE(loadPicture(folders.path("os2.bmp"), &why).isNull()) << qPrintable(why);
    folders.write("cut.bmp", good.left(good.size() - 40));
    EXPECT_TRUE(loadPicture(folders.path("cut.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("cut off")) << qPrintable(why);
}
