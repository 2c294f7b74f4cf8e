// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "gifwriter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

// The sample themes' round shapes are GIFs whose corners let the window show through, and their
// gradients must not fall into bands of the colour cube.
TEST(GifWriter, TransparentCornersAndDitheredGradients)
{
    QImage round(40, 40, QImage::Format_ARGB32);
    round.fill(Qt::transparent);
    {
        QPainter p(&round);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 40, 40);
        g.setColorAt(0, QColor(0x8A, 0x5C, 0xF0));
        g.setColorAt(1, QColor(0x4A, 0x2C, 0xB0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QRectF(0, 0, 40, 40));
    }
    const QImage back = QImage::fromData(gifBytes(round), "GIF").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), round.size());
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(back.pixel(39, 39)), 0);
    EXPECT_EQ(qAlpha(back.pixel(20, 20)), 255);
    // Averaged over a patch, the dithered colours come back close to the drawn ones.
    for (const QPoint c : {QPoint(12, 12), QPoint(20, 20), QPoint(28, 28)}) {
        double dr = 0, db = 0;
        for (int y = c.y() - 3; y <= c.y() + 3; ++y)
            for (int x = c.x() - 3; x <= c.x() + 3; ++x) {
                dr += qRed(back.pixel(x, y)) - qRed(round.pixel(x, y));
                db += qBlue(back.pixel(x, y)) - qBlue(round.pixel(x, y));
            }
        EXPECT_LT(std::abs(dr / 49), 8) << c.x();
        EXPECT_LT(std::abs(db / 49), 8) << c.x();
    }

    QImage opaque(4, 4, QImage::Format_RGB32);
    opaque.fill(QColor(10, 20, 30));
    const QImage plain = QImage::fromData(gifBytes(opaque), "GIF");
    EXPECT_FALSE(plain.hasAlphaChannel() && qAlpha(plain.pixel(0, 0)) < 255);
    EXPECT_EQ(plain.pixel(1, 1) & 0xFFFFFF, QColor(10, 20, 30).rgb() & 0xFFFFFF);
}
