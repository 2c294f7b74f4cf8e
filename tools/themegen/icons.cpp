// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "themes.h"

#include <QPainterPath>

namespace {
void brush(QPainter& p, double s)
{
    // A paint pot with a brush over it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF4, 0xE9, 0xD0));
    p.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 12 * s, 12 * s);
    const QColor colours[] = {QColor(0xE0, 0x30, 0x30), QColor(0xF0, 0xC0, 0x20), QColor(0x30, 0xA0, 0x40), QColor(0x30, 0x70, 0xE0)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawEllipse(QPointF((14 + i * 12) * s, 46 * s), 6 * s, 6 * s);
    }
    p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20 * s, 34 * s), QPointF(50 * s, 8 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0x30, 0x30));
    p.drawEllipse(QPointF(18 * s, 36 * s), 6 * s, 6 * s);
}

void cards(QPainter& p, double s)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x60), 2 * s));
    p.setBrush(QColor(0x40, 0x70, 0xC0));
    p.save();
    p.translate(24 * s, 34 * s);
    p.rotate(-12);
    p.drawRoundedRect(QRectF(-16 * s, -22 * s, 32 * s, 44 * s), 5 * s, 5 * s);
    p.restore();
    p.setBrush(Qt::white);
    p.save();
    p.translate(40 * s, 30 * s);
    p.rotate(10);
    p.drawRoundedRect(QRectF(-16 * s, -22 * s, 32 * s, 44 * s), 5 * s, 5 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0x40, 0x40));
    QPainterPath heart;
    heart.moveTo(0, 10 * s);
    heart.cubicTo(-14 * s, 0, -8 * s, -12 * s, 0, -4 * s);
    heart.cubicTo(8 * s, -12 * s, 14 * s, 0, 0, 10 * s);
    p.drawPath(heart);
    p.restore();
}
}

void generateDesktopIcons(const QString& out)
{
    for (int size : {32, 48, 64, 128, 256}) {
        const QString dir = out + QStringLiteral("/hicolor/%1x%1/apps/").arg(size);
        const double s = size / 64.0;
        QImage img(size, size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            brush(p, s);
        }
        saveImage(dir + QStringLiteral("brushbox.png"), img);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            cards(p, s);
        }
        saveImage(dir + QStringLiteral("twinturn.png"), img);
    }
}
