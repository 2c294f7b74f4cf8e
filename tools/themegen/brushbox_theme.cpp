// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "themes.h"

#include <QPainterPath>

namespace {

const QColor kWall(0xF4, 0xE9, 0xD0);

void drawSun(QPainter& p, QPointF c, double r)
{
    p.setPen(QPen(QColor(0xF0, 0xA0, 0x10), 3));
    for (int i = 0; i < 12; ++i) {
        QLineF ray(c, c + QPointF(r * 1.6, 0));
        ray.setAngle(i * 30);
        p.drawLine(ray);
    }
    p.setBrush(QColor(0xFF, 0xD2, 0x30));
    p.drawEllipse(c, r, r);
}

void splashAndHelp(const QString& gfx)
{
    // The whole splash window: the caption (black, top left) stands on the light sky.
    savePicture(gfx + QStringLiteral("splash.bmp"), 433, 227, QColor(0xCF, 0xEB, 0xFF), [](QPainter& p) {
        drawSun(p, QPointF(370, 52), 26);
        const QColor bands[] = {QColor(0xE0, 0x30, 0x30), QColor(0xF8, 0x90, 0x20), QColor(0xF8, 0xE0, 0x30),
                                QColor(0x40, 0xB0, 0x40), QColor(0x30, 0x80, 0xE0), QColor(0x80, 0x40, 0xC0)};
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 6; ++i) {
            p.setPen(QPen(bands[i], 9, Qt::SolidLine, Qt::FlatCap));
            p.drawArc(QRectF(40 + i * 9, 150 + i * 9, 353 - i * 18, 200 - i * 18), 0, 180 * 16);
        }
        p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(300, 200), QPointF(395, 120));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE0, 0x30, 0x30));
        p.drawEllipse(QPointF(296, 204), 10, 10);
    });
    auto help = [](const QString& title, const QStringList& lines) {
        return [title, lines](QPainter& p) {
            p.setPen(QColor(0x20, 0x30, 0x60));
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 28, QFont::Bold));
            p.drawText(QRect(0, 20, 640, 60), Qt::AlignCenter, title);
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 17));
            for (int i = 0; i < lines.size(); ++i)
                p.drawText(QRect(60, 110 + i * 42, 560, 40), Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Normal, true));
            p.drawText(QRect(0, 430, 640, 30), Qt::AlignCenter, QStringLiteral("Click anywhere to go back."));
        };
    };
    savePicture(gfx + QStringLiteral("help.bmp"), 640, 480, QColor(0xFF, 0xF8, 0xE0),
                help(QStringLiteral("How to paint"),
                     {QStringLiteral("Pick a colour from the paint box at the bottom."),
                      QStringLiteral("Draw with the brush, spray with the can,"),
                      QStringLiteral("and fill a shape with the bucket."),
                      QStringLiteral("Open a picture to colour it in."),
                      QStringLiteral("Connect the dots first if it has numbers."),
                      QStringLiteral("Save your painting to find it again later."),
                      QStringLiteral("Print it to take it home.")}));
    savePicture(gfx + QStringLiteral("helpopen.bmp"), 640, 480, QColor(0xE8, 0xF4, 0xFF),
                help(QStringLiteral("Open a picture"),
                     {QStringLiteral("Click a folder at the top."), QStringLiteral("Click a small picture to choose it."),
                      QStringLiteral("Use the arrows to see more pictures."),
                      QStringLiteral("Click Open to paint it, or Cancel to go back.")}));
    savePicture(gfx + QStringLiteral("helpsave.bmp"), 640, 480, QColor(0xEC, 0xFF, 0xE8),
                help(QStringLiteral("Save your painting"),
                     {QStringLiteral("Click the folder to save into."),
                      QStringLiteral("Click Save. Your painting gets the next number."),
                      QStringLiteral("Click Cancel to go back without saving.")}));
}

void catalogIcon(const QString& path, const QColor& color)
{
    savePicture(path, 48, 40, kWall, [color](QPainter& p) {
        p.setPen(QPen(color.darker(150), 2));
        p.setBrush(color);
        QPainterPath folder;
        folder.moveTo(3, 8);
        folder.lineTo(18, 8);
        folder.lineTo(22, 13);
        folder.lineTo(45, 13);
        folder.lineTo(45, 37);
        folder.lineTo(3, 37);
        folder.closeSubpath();
        p.drawPath(folder);
    });
}

void sounds(const QString& snd)
{
    saveWav(snd + QStringLiteral("start.wav"), {{523, 120}, {659, 120}, {784, 120}, {1047, 260}});
    saveWav(snd + QStringLiteral("click.wav"), {{880, 40}});
    saveWav(snd + QStringLiteral("good.wav"), {{784, 110}, {988, 110}, {1175, 110}, {1568, 320}});
}

} // namespace

void generateBrushboxTheme(const QString& out)
{
    const QString gfx = out + QStringLiteral("/gfx/");
    const QString snd = out + QStringLiteral("/snd/");
    makeFolder(out + QStringLiteral("/pictures"));
    makeFolder(out + QStringLiteral("/catalogs"));
    splashAndHelp(gfx);
    sounds(snd);
    generatePaintWindowTheme(out);
    // Icons of the user catalogs (copied beside each new catalog folder) and of the supplied ones.
    catalogIcon(gfx + QStringLiteral("Red folder.bmp"), QColor(0xE0, 0x50, 0x50));
    catalogIcon(gfx + QStringLiteral("Blue folder.bmp"), QColor(0x40, 0x80, 0xE0));
    makeFolder(out + QStringLiteral("/pictures/Animals"));
    makeFolder(out + QStringLiteral("/pictures/Things"));
    catalogIcon(out + QStringLiteral("/pictures/Animals.bmp"), QColor(0x60, 0xB0, 0x50));
    catalogIcon(out + QStringLiteral("/pictures/Things.bmp"), QColor(0xE0, 0xB0, 0x40));
}
