// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "themes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

// The pictures and sounds of the Twinturn sample games: animals, fruit and their food, drawn
// big and round so small children know them at a glance.
namespace {

constexpr int kCard = 240; // the drawings' own size
// The size of the card files: the largest a sample card is shown (100 pixels, grown to about 140
// in full screen) with room to spare. Every card is decoded at start-up, so bigger files would
// only make the board come later.
constexpr int kCardFile = 160;

// A card drawn at its drawing size into a file of the card file size.
void saveCard(const QString& path, const std::function<void(QPainter&)>& draw)
{
    savePicture(path, kCardFile, kCardFile, Qt::transparent, [&draw](QPainter& p) {
        p.scale(double(kCardFile) / kCard, double(kCardFile) / kCard);
        draw(p);
    });
}

QColor rgb(unsigned v) { return QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

void cardFrame(QPainter& p, const QColor& tint)
{
    QLinearGradient g(0, 0, 0, kCard);
    g.setColorAt(0, tint.lighter(130));
    g.setColorAt(1, tint);
    p.setPen(QPen(Qt::white, 10));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 5, kCard - 10, kCard - 10), 34, 34);
}

void eyes(QPainter& p, QPointF l, QPointF r, double size)
{
    for (QPointF c : {l, r}) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(c, size, size * 1.1);
        p.setBrush(rgb(0x202020));
        p.drawEllipse(c + QPointF(size * 0.15, size * 0.2), size * 0.55, size * 0.6);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(size * 0.35, -size * 0.1), size * 0.18, size * 0.18);
    }
}

void smile(QPainter& p, QPointF c, double w, const QColor& color = rgb(0x402020))
{
    p.setPen(QPen(color, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - w / 2, c.y() - w / 3, w, w / 1.5), 200 * 16, 140 * 16);
}

void face(QPainter& p, const QColor& fur, double cx = 120, double cy = 132, double r = 70)
{
    p.setPen(QPen(fur.darker(140), 5));
    p.setBrush(fur);
    p.drawEllipse(QPointF(cx, cy), r, r * 0.92);
}

using Draw = std::function<void(QPainter&)>;

void cat(QPainter& p)
{
    cardFrame(p, rgb(0xBFE3FF));
    const QColor fur = rgb(0xF0A040);
    p.setPen(QPen(fur.darker(140), 5));
    p.setBrush(fur);
    p.drawPolygon(QPolygonF({QPointF(58, 110), QPointF(70, 36), QPointF(112, 76)}));
    p.drawPolygon(QPolygonF({QPointF(182, 110), QPointF(170, 36), QPointF(128, 76)}));
    face(p, fur);
    eyes(p, {95, 120}, {145, 120}, 14);
    p.setBrush(rgb(0xF06080));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(110, 148), QPointF(130, 148), QPointF(120, 160)}));
    p.setPen(QPen(rgb(0x402020), 3));
    for (int s : {-1, 1})
        for (int k = 0; k < 3; ++k)
            p.drawLine(QPointF(120 + s * 24, 156 + k * 6), QPointF(120 + s * 70, 146 + k * 12));
    smile(p, {120, 172}, 34);
}

void dog(QPainter& p)
{
    cardFrame(p, rgb(0xFFE8A0));
    const QColor fur = rgb(0xC88A50);
    face(p, fur);
    p.setPen(QPen(rgb(0x6A4020), 5));
    p.setBrush(rgb(0x7A4A28));
    p.drawEllipse(QRectF(34, 70, 44, 100));
    p.drawEllipse(QRectF(162, 70, 44, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xF2D8B0));
    p.drawEllipse(QPointF(120, 166), 40, 30);
    eyes(p, {96, 118}, {144, 118}, 13);
    p.setBrush(rgb(0x202020));
    p.drawEllipse(QPointF(120, 150), 15, 11);
    p.setBrush(rgb(0xF06070));
    p.drawEllipse(QRectF(110, 178, 20, 26));
    smile(p, {120, 176}, 40);
}

void pig(QPainter& p)
{
    cardFrame(p, rgb(0xD0F0C0));
    const QColor skin = rgb(0xFFB0C0);
    p.setPen(QPen(skin.darker(130), 5));
    p.setBrush(skin);
    p.drawPolygon(QPolygonF({QPointF(62, 96), QPointF(60, 48), QPointF(104, 72)}));
    p.drawPolygon(QPolygonF({QPointF(178, 96), QPointF(180, 48), QPointF(136, 72)}));
    face(p, skin);
    p.setBrush(rgb(0xFF8CA8));
    p.drawEllipse(QPointF(120, 156), 32, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xB04060));
    p.drawEllipse(QPointF(109, 156), 6, 9);
    p.drawEllipse(QPointF(131, 156), 6, 9);
    eyes(p, {96, 116}, {144, 116}, 11);
    smile(p, {120, 186}, 30);
}

void frog(QPainter& p)
{
    cardFrame(p, rgb(0xB8E0F8));
    const QColor skin = rgb(0x60C040);
    p.setPen(QPen(skin.darker(140), 5));
    p.setBrush(skin);
    p.drawEllipse(QRectF(40, 90, 160, 110));
    p.drawEllipse(QPointF(86, 92), 30, 30);
    p.drawEllipse(QPointF(154, 92), 30, 30);
    eyes(p, {86, 90}, {154, 90}, 17);
    p.setPen(QPen(rgb(0x205010), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(70, 110, 100, 70), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFF90A0));
    p.drawEllipse(QPointF(68, 150), 12, 8);
    p.drawEllipse(QPointF(172, 150), 12, 8);
}

void chick(QPainter& p)
{
    cardFrame(p, rgb(0xC8F0D8));
    const QColor down = rgb(0xFFE040);
    p.setPen(QPen(down.darker(130), 5));
    p.setBrush(down);
    p.drawEllipse(QRectF(56, 100, 128, 110));
    p.drawEllipse(QPointF(120, 92), 52, 50);
    p.drawEllipse(QRectF(40, 130, 40, 50));
    p.drawEllipse(QRectF(160, 130, 40, 50));
    eyes(p, {102, 86}, {138, 86}, 10);
    p.setPen(QPen(rgb(0xD06000), 3));
    p.setBrush(rgb(0xFF9020));
    p.drawPolygon(QPolygonF({QPointF(106, 104), QPointF(134, 104), QPointF(120, 124)}));
    p.setPen(QPen(rgb(0xFF9020), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(100, 208), QPointF(96, 222));
    p.drawLine(QPointF(140, 208), QPointF(144, 222));
}

void fish(QPainter& p)
{
    cardFrame(p, rgb(0x90D0FF));
    const QColor scale = rgb(0xFF8030);
    p.setPen(QPen(scale.darker(140), 5));
    p.setBrush(scale);
    p.drawPolygon(QPolygonF({QPointF(160, 120), QPointF(214, 80), QPointF(214, 160)}));
    p.drawEllipse(QRectF(34, 72, 146, 96));
    p.setPen(QPen(Qt::white, 6));
    p.drawArc(QRectF(90, 86, 40, 68), -60 * 16, 120 * 16);
    p.drawArc(QRectF(112, 86, 40, 68), -60 * 16, 120 * 16);
    eyes(p, {72, 108}, {72, 108}, 12);
    p.setPen(QPen(rgb(0x402020), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(44, 122, 24, 16), 200 * 16, 140 * 16);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(40, 56), 8, 8);
    p.drawEllipse(QPointF(28, 36), 5, 5);
}

void mouse(QPainter& p)
{
    cardFrame(p, rgb(0xFFD8E8));
    const QColor fur = rgb(0xB0B0C0);
    p.setPen(QPen(fur.darker(140), 5));
    p.setBrush(fur);
    p.drawEllipse(QPointF(66, 72), 40, 40);
    p.drawEllipse(QPointF(174, 72), 40, 40);
    p.setBrush(rgb(0xFFB8C8));
    p.drawEllipse(QPointF(66, 72), 24, 24);
    p.drawEllipse(QPointF(174, 72), 24, 24);
    face(p, fur, 120, 140, 64);
    eyes(p, {98, 128}, {142, 128}, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xF06080));
    p.drawEllipse(QPointF(120, 160), 10, 8);
    p.setPen(QPen(rgb(0x404040), 3));
    for (int s : {-1, 1})
        for (int k = 0; k < 2; ++k)
            p.drawLine(QPointF(120 + s * 16, 162 + k * 6), QPointF(120 + s * 62, 154 + k * 14));
    smile(p, {120, 178}, 26);
}

void rabbit(QPainter& p)
{
    cardFrame(p, rgb(0xD8ECFF));
    const QColor fur = Qt::white;
    p.setPen(QPen(rgb(0xA0A0B0), 5));
    p.setBrush(fur);
    p.drawEllipse(QRectF(72, 14, 36, 100));
    p.drawEllipse(QRectF(132, 14, 36, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFFB8C8));
    p.drawEllipse(QRectF(81, 28, 18, 76));
    p.drawEllipse(QRectF(141, 28, 18, 76));
    p.setPen(QPen(rgb(0xA0A0B0), 5));
    p.setBrush(fur);
    p.drawEllipse(QPointF(120, 148), 62, 58);
    eyes(p, {98, 138}, {142, 138}, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xF06080));
    p.drawEllipse(QPointF(120, 166), 9, 7);
    p.setBrush(Qt::white);
    p.setPen(QPen(rgb(0xA0A0B0), 2));
    p.drawRect(QRectF(112, 180, 16, 14));
    smile(p, {120, 176}, 24);
}

void bee(QPainter& p)
{
    cardFrame(p, rgb(0xC8F8C8));
    p.setPen(QPen(rgb(0x8090A0), 3));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QRectF(70, 40, 60, 70));
    p.drawEllipse(QRectF(118, 40, 60, 70));
    p.setPen(QPen(rgb(0x302010), 5));
    p.setBrush(rgb(0xFFD020));
    p.drawEllipse(QRectF(50, 90, 150, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0x302010));
    p.drawRect(QRectF(102, 92, 18, 96));
    p.drawRect(QRectF(140, 96, 18, 88));
    eyes(p, {76, 130}, {76, 130}, 11);
    smile(p, {80, 156}, 22);
}

void apple(QPainter& p)
{
    cardFrame(p, rgb(0xFFF0C0));
    p.setPen(QPen(rgb(0x804000), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 74), QPointF(128, 40));
    p.setPen(QPen(rgb(0x208020), 2));
    p.setBrush(rgb(0x50C040));
    p.drawEllipse(QRectF(128, 36, 46, 24));
    QRadialGradient g(QPointF(96, 110), 110);
    g.setColorAt(0, rgb(0xFF6060));
    g.setColorAt(1, rgb(0xC01010));
    p.setPen(QPen(rgb(0x901010), 5));
    p.setBrush(g);
    QPainterPath path;
    path.moveTo(120, 78);
    path.cubicTo(60, 40, 20, 120, 60, 180);
    path.cubicTo(80, 214, 106, 206, 120, 198);
    path.cubicTo(134, 206, 160, 214, 180, 180);
    path.cubicTo(220, 120, 180, 40, 120, 78);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(70, 100, 22, 40));
}

void pear(QPainter& p)
{
    cardFrame(p, rgb(0xE0D8FF));
    p.setPen(QPen(rgb(0x804000), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 62), QPointF(114, 32));
    p.setPen(QPen(rgb(0x809010), 5));
    p.setBrush(rgb(0xC8E050));
    QPainterPath path;
    path.moveTo(120, 58);
    path.cubicTo(92, 58, 96, 110, 74, 140);
    path.cubicTo(46, 186, 80, 216, 120, 216);
    path.cubicTo(160, 216, 194, 186, 166, 140);
    path.cubicTo(144, 110, 148, 58, 120, 58);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 140));
    p.drawEllipse(QRectF(88, 136, 18, 36));
}

void banana(QPainter& p)
{
    cardFrame(p, rgb(0xC0E8FF));
    p.setPen(QPen(rgb(0xB09000), 5));
    p.setBrush(rgb(0xFFE040));
    QPainterPath path;
    path.moveTo(60, 60);
    path.cubicTo(40, 150, 110, 210, 200, 170);
    path.cubicTo(210, 160, 200, 150, 190, 154);
    path.cubicTo(120, 176, 80, 130, 84, 62);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(rgb(0x604000), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(64, 60), QPointF(80, 48));
}

void cherry(QPainter& p)
{
    cardFrame(p, rgb(0xFFF8D0));
    p.setPen(QPen(rgb(0x408020), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath stalks;
    stalks.moveTo(84, 150);
    stalks.quadTo(100, 80, 140, 44);
    stalks.moveTo(160, 160);
    stalks.quadTo(150, 90, 140, 44);
    p.drawPath(stalks);
    p.setBrush(rgb(0x50B030));
    p.setPen(QPen(rgb(0x307010), 2));
    p.drawEllipse(QRectF(140, 34, 50, 24));
    for (QPointF c : {QPointF(84, 166), QPointF(160, 176)}) {
        QRadialGradient g(c - QPointF(12, 12), 50);
        g.setColorAt(0, rgb(0xFF4060));
        g.setColorAt(1, rgb(0xA00020));
        p.setPen(QPen(rgb(0x800018), 4));
        p.setBrush(g);
        p.drawEllipse(c, 36, 34);
    }
}

void lemon(QPainter& p)
{
    cardFrame(p, rgb(0xC8F0E0));
    p.setPen(QPen(rgb(0xC0A000), 5));
    p.setBrush(rgb(0xFFF040));
    QPainterPath path;
    path.moveTo(30, 120);
    path.cubicTo(50, 50, 190, 50, 210, 120);
    path.cubicTo(190, 190, 50, 190, 30, 120);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(70, 86, 40, 18));
}

void orange(QPainter& p)
{
    cardFrame(p, rgb(0xD0E8FF));
    QRadialGradient g(QPointF(100, 110), 110);
    g.setColorAt(0, rgb(0xFFB040));
    g.setColorAt(1, rgb(0xF07000));
    p.setPen(QPen(rgb(0xC05000), 5));
    p.setBrush(g);
    p.drawEllipse(QPointF(120, 130), 76, 76);
    p.setPen(QPen(rgb(0x208020), 2));
    p.setBrush(rgb(0x40A030));
    p.drawEllipse(QRectF(120, 44, 44, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xC05000));
    for (int k = 0; k < 8; ++k)
        p.drawEllipse(QPointF(120 + 40 * std::cos(k), 130 + 40 * std::sin(k * 1.7)), 2.5, 2.5);
}

void grapes(QPainter& p)
{
    cardFrame(p, rgb(0xFFF0D8));
    p.setPen(QPen(rgb(0x604000), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 60), QPointF(124, 28));
    p.setBrush(rgb(0x50B030));
    p.setPen(QPen(rgb(0x307010), 2));
    p.drawEllipse(QRectF(126, 30, 50, 26));
    const int rows[] = {4, 3, 3, 2, 1};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < rows[r]; ++c) {
            const QPointF centre(120 + (c - (rows[r] - 1) / 2.0) * 34, 80 + r * 30);
            QRadialGradient g(centre - QPointF(6, 6), 22);
            g.setColorAt(0, rgb(0xC080F0));
            g.setColorAt(1, rgb(0x6020A0));
            p.setPen(QPen(rgb(0x401070), 3));
            p.setBrush(g);
            p.drawEllipse(centre, 18, 18);
        }
}

void strawberry(QPainter& p)
{
    cardFrame(p, rgb(0xE0F8D0));
    p.setPen(QPen(rgb(0xA00020), 5));
    p.setBrush(rgb(0xF02040));
    QPainterPath path;
    path.moveTo(50, 90);
    path.cubicTo(50, 60, 190, 60, 190, 90);
    path.cubicTo(190, 150, 140, 210, 120, 214);
    path.cubicTo(100, 210, 50, 150, 50, 90);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFFE080));
    for (int k = 0; k < 14; ++k)
        p.drawEllipse(QPointF(80 + (k % 5) * 20 + (k / 5 % 2) * 10, 100 + (k / 5) * 30), 3, 5);
    p.setBrush(rgb(0x40A030));
    p.drawPolygon(QPolygonF({QPointF(70, 76), QPointF(100, 50), QPointF(120, 74), QPointF(140, 50), QPointF(170, 76)}));
}

void plum(QPainter& p)
{
    cardFrame(p, rgb(0xFFF4C0));
    QRadialGradient g(QPointF(100, 110), 100);
    g.setColorAt(0, rgb(0xA060C0));
    g.setColorAt(1, rgb(0x502070));
    p.setPen(QPen(rgb(0x401860), 5));
    p.setBrush(g);
    p.drawEllipse(QPointF(120, 134), 66, 74);
    p.setPen(QPen(rgb(0x604000), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 62), QPointF(130, 36));
}

void melon(QPainter& p)
{
    cardFrame(p, rgb(0xD8ECFF));
    p.setPen(QPen(rgb(0x207020), 12));
    p.setBrush(rgb(0xFF5060));
    p.drawChord(QRectF(30, 30, 180, 180), 180 * 16, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0x202020));
    for (int k = 0; k < 7; ++k)
        p.drawEllipse(QPointF(66 + k * 18, 140 + (k % 2) * 18), 4, 7);
}

void bone(QPainter& p)
{
    cardFrame(p, rgb(0xC8E0FF));
    p.setPen(QPen(rgb(0xB0A080), 5));
    p.setBrush(rgb(0xFFF8E8));
    p.save();
    p.translate(120, 120);
    p.rotate(-30);
    p.drawRect(QRectF(-60, -14, 120, 28));
    for (int sx : {-1, 1})
        for (int sy : {-1, 1})
            p.drawEllipse(QPointF(sx * 66, sy * 16), 22, 22);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(-62, -12, 124, 24));
    p.restore();
}

void carrot(QPainter& p)
{
    cardFrame(p, rgb(0xFFF0E0));
    p.setPen(QPen(rgb(0x308020), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(150, 70), QPointF(150, 26));
    p.drawLine(QPointF(150, 70), QPointF(124, 30));
    p.drawLine(QPointF(150, 70), QPointF(178, 34));
    p.setPen(QPen(rgb(0xC05000), 5));
    p.setBrush(rgb(0xFF8020));
    p.drawPolygon(QPolygonF({QPointF(124, 66), QPointF(176, 76), QPointF(70, 212)}));
}

void cheese(QPainter& p)
{
    cardFrame(p, rgb(0xD8D0FF));
    p.setPen(QPen(rgb(0xC09000), 5));
    p.setBrush(rgb(0xFFD040));
    p.drawPolygon(QPolygonF({QPointF(36, 170), QPointF(200, 170), QPointF(200, 100), QPointF(36, 150)}));
    p.setBrush(rgb(0xFFE880));
    p.drawPolygon(QPolygonF({QPointF(36, 150), QPointF(200, 100), QPointF(160, 70)}));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xE0A820));
    p.drawEllipse(QPointF(90, 156), 12, 8);
    p.drawEllipse(QPointF(150, 140), 16, 12);
    p.drawEllipse(QPointF(180, 158), 8, 6);
}

void flower(QPainter& p)
{
    cardFrame(p, rgb(0xC8ECFF));
    p.setPen(QPen(rgb(0x30A030), 8));
    p.drawLine(QPointF(120, 120), QPointF(120, 220));
    for (int k = 0; k < 6; ++k) {
        p.setPen(QPen(rgb(0xC02080), 3));
        p.setBrush(rgb(0xFF70C0));
        const double a = k * M_PI / 3;
        p.drawEllipse(QPointF(120 + 40 * std::cos(a), 100 + 40 * std::sin(a)), 28, 28);
    }
    p.setBrush(rgb(0xFFD020));
    p.drawEllipse(QPointF(120, 100), 26, 26);
}

void cardBack(QPainter& p)
{
    QLinearGradient g(0, 0, kCard, kCard);
    g.setColorAt(0, rgb(0x8A5CF0));
    g.setColorAt(1, rgb(0x4A2CB0));
    p.setPen(QPen(Qt::white, 10));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 5, kCard - 10, kCard - 10), 34, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    for (int k = 0; k < 9; ++k)
        p.drawEllipse(QPointF(40 + (k % 3) * 80, 40 + (k / 3) * 80), 12, 12);
    p.setPen(rgb(0xFFE060));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 96, QFont::Bold));
    p.drawText(QRect(0, 0, kCard, kCard), Qt::AlignCenter, QStringLiteral("?"));
}

void background(QPainter& p, int w, int h)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, rgb(0x6EC6FF));
    sky.setColorAt(0.7, rgb(0xC8ECFF));
    p.fillRect(QRect(0, 0, w, h), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0xFFE060));
    p.drawEllipse(QPointF(w - 70, 60), 40, 40);
    p.setBrush(QColor(255, 255, 255, 220));
    for (auto [x, y] : {std::pair{0.3, 0.12}, {0.62, 0.2}, {0.85, 0.45}})
        for (int k = 0; k < 3; ++k)
            p.drawEllipse(QPointF(w * x + k * 26, h * y + (k == 1 ? -10 : 0)), 28, 20);
    p.setBrush(rgb(0x7CCF5A));
    QPainterPath hills;
    hills.moveTo(0, h);
    hills.lineTo(0, h * 0.78);
    hills.cubicTo(w * 0.25, h * 0.68, w * 0.45, h * 0.86, w * 0.7, h * 0.76);
    hills.cubicTo(w * 0.85, h * 0.7, w * 0.95, h * 0.74, w, h * 0.72);
    hills.lineTo(w, h);
    p.drawPath(hills);
    p.setBrush(rgb(0x5AB040));
    p.drawRect(QRect(0, h - 72, w, 72));
    // A soft panel behind the counters.
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(QRectF(6, 10, 132, h - 20), 18, 18);
}

QImage panel(int w, int h, const QColor& base, const Draw& icon)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent); // a GIF: the window shows through the round corners
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, base.lighter(125));
    g.setColorAt(1, base);
    p.setPen(QPen(base.darker(150), 3));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), 14, 14);
    if (icon)
        icon(p);
    return img;
}

Draw clockIcon(bool sand)
{
    return [sand](QPainter& p) {
        p.setPen(QPen(rgb(0x303030), 3));
        p.setBrush(Qt::white);
        if (sand) {
            p.drawPolygon(QPolygonF({QPointF(14, 10), QPointF(42, 10), QPointF(28, 28), QPointF(42, 46), QPointF(14, 46), QPointF(28, 28)}));
            p.setBrush(rgb(0xF0C040));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygonF({QPointF(18, 44), QPointF(38, 44), QPointF(28, 34)}));
        } else {
            p.drawEllipse(QPointF(28, 28), 18, 18);
            p.drawLine(QPointF(28, 28), QPointF(28, 16));
            p.drawLine(QPointF(28, 28), QPointF(37, 31));
        }
    };
}

Draw starIcon(const QColor& c)
{
    return [c](QPainter& p) {
        QPolygonF star;
        for (int k = 0; k < 10; ++k) {
            const double r = k % 2 ? 8 : 19, a = -M_PI / 2 + k * M_PI / 5;
            star << QPointF(28 + r * std::cos(a), 28 + r * std::sin(a));
        }
        p.setPen(QPen(c.darker(150), 2));
        p.setBrush(c);
        p.drawPolygon(star);
    };
}

Draw cardsIcon()
{
    return [](QPainter& p) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(rgb(0x6A3CD0));
        p.drawRoundedRect(QRectF(10, 12, 22, 30), 4, 4);
        p.drawRoundedRect(QRectF(22, 16, 22, 30), 4, 4);
    };
}

void endPicture(const QString& path, bool good)
{
    savePicture(path, 420, 300, Qt::transparent, [good](QPainter& p) {
        p.setPen(QPen(good ? rgb(0xF0A000) : rgb(0x6080C0), 10));
        p.setBrush(good ? rgb(0xFFF4B0) : rgb(0xD8E4FF));
        p.drawRoundedRect(QRectF(5, 5, 410, 290), 30, 30);
        if (good) {
            for (int k = 0; k < 5; ++k) {
                p.save();
                p.translate(70 + k * 70, 90 - (k == 2 ? 20 : (k % 2) * 10));
                p.scale(1.4, 1.4);
                p.translate(-28, -28);
                starIcon(rgb(0xFFD020))(p);
                p.restore();
            }
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(rgb(0xFFF0A0));
            p.drawEllipse(QPointF(210, 90), 50, 50);
            p.setBrush(rgb(0xD8E4FF));
            p.drawEllipse(QPointF(236, 74), 44, 44);
        }
        p.setPen(good ? rgb(0xC04000) : rgb(0x304080));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 40, QFont::Bold));
        p.drawText(QRect(0, 150, 420, 70), Qt::AlignCenter, good ? QStringLiteral("Well done!") : QStringLiteral("Try again!"));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 16));
        p.drawText(QRect(0, 224, 420, 40), Qt::AlignCenter, QStringLiteral("Click here to finish"));
    });
}

// A little tune per card, so each one sounds like itself.
void cardSounds(const QString& card)
{
    saveWav(card + QStringLiteral("cat.wav"), {{880, 140}, {660, 260}});
    saveWav(card + QStringLiteral("dog.wav"), {{220, 110}, {0, 60}, {220, 140}});
    saveWav(card + QStringLiteral("pig.wav"), {{180, 90}, {160, 90}, {200, 140}});
    saveWav(card + QStringLiteral("frog.wav"), {{150, 80}, {0, 40}, {150, 80}, {0, 40}, {300, 120}});
    saveWav(card + QStringLiteral("chick.wav"), {{1568, 70}, {1760, 70}, {1568, 70}, {1760, 90}});
    saveWav(card + QStringLiteral("fish.wav"), {{523, 90}, {784, 90}, {1047, 120}});
    saveWav(card + QStringLiteral("mouse.wav"), {{2093, 60}, {0, 40}, {2093, 60}});
    saveWav(card + QStringLiteral("rabbit.wav"), {{659, 80}, {784, 80}, {988, 140}});
    saveWav(card + QStringLiteral("bee.wav"), {{260, 300}});
    const char* fruit[] = {"apple", "pear", "banana", "cherry", "lemon", "orange", "grapes", "strawberry", "plum",
                           "melon", "bone", "carrot", "cheese", "flower"};
    for (int k = 0; k < 14; ++k)
        saveWav(card + QString::fromLatin1(fruit[k]) + QStringLiteral(".wav"),
                {{392.0 * std::pow(2.0, k / 12.0), 90}, {392.0 * std::pow(2.0, (k + 7) / 12.0), 150}});
}

} // namespace

void generateTwinturnTheme(const QString& out)
{
    const QString root = out + QStringLiteral("/games/");
    const QString gfx = root + QStringLiteral("gfx/"), sfx = root + QStringLiteral("sfx/"), card = root + QStringLiteral("cards/");
    for (const QString& f : {gfx, sfx, card})
        makeFolder(f);

    const std::pair<const char*, Draw> cards[] = {
        {"cat", cat},       {"dog", dog},         {"pig", pig},       {"frog", frog},     {"chick", chick},
        {"fish", fish},     {"mouse", mouse},     {"rabbit", rabbit}, {"bee", bee},       {"apple", apple},
        {"pear", pear},     {"banana", banana},   {"cherry", cherry}, {"lemon", lemon},   {"orange", orange},
        {"grapes", grapes}, {"strawberry", strawberry}, {"plum", plum}, {"melon", melon}, {"bone", bone},
        {"carrot", carrot}, {"cheese", cheese},   {"flower", flower},
    };
    for (const auto& [name, draw] : cards)
        saveCard(card + QString::fromLatin1(name) + QStringLiteral(".gif"), draw);
    // The match game shows its cards from the start, each with its name: written under a smaller
    // picture, where a label in the middle of the card would cover the animal's face.
    for (const auto& [name, draw] : cards) {
        QImage picture(kCard, kCard, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        {
            QPainter q(&picture);
            q.setRenderHint(QPainter::Antialiasing);
            draw(q);
        }
        saveCard(card + QStringLiteral("named_") + QString::fromLatin1(name) + QStringLiteral(".gif"),
                    [&picture, name](QPainter& p) {
                        cardFrame(p, rgb(0xF4F0E8));
                        p.setRenderHint(QPainter::SmoothPixmapTransform);
                        p.drawImage(QRectF(44, 16, 152, 152), picture);
                        p.setPen(rgb(0x202020));
                        p.setFont(QFont(QStringLiteral("Liberation Sans"), 26, QFont::Bold));
                        p.drawText(QRectF(10, 168, kCard - 20, 56), Qt::AlignCenter, QString::fromLatin1(name));
                    });
    }
    cardSounds(card);

    saveCard(gfx + QStringLiteral("cardback.gif"), cardBack);
    for (auto [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}})
        savePicture(gfx + QStringLiteral("bk%1.bmp").arg(w), w, h, Qt::white, [w, h](QPainter& p) { background(p, w, h); });

    saveImage(gfx + QStringLiteral("timer.gif"), panel(120, 56, rgb(0x60A0E0), clockIcon(false)));
    saveImage(gfx + QStringLiteral("countdown.gif"), panel(120, 56, rgb(0xE08040), clockIcon(true)));
    saveImage(gfx + QStringLiteral("made.gif"), panel(120, 56, rgb(0x50B050), starIcon(rgb(0xFFD020))));
    saveImage(gfx + QStringLiteral("left.gif"), panel(120, 56, rgb(0xA070E0), cardsIcon()));
    saveImage(gfx + QStringLiteral("tries.gif"), panel(120, 56, rgb(0x40B0B0), starIcon(Qt::white)));
    saveImage(gfx + QStringLiteral("triesleft.gif"), panel(120, 56, rgb(0xE05080), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPainterPath heart;
        heart.moveTo(28, 44);
        heart.cubicTo(4, 28, 14, 8, 28, 20);
        heart.cubicTo(42, 8, 52, 28, 28, 44);
        p.drawPath(heart);
    }));
    saveImage(gfx + QStringLiteral("player.gif"), panel(112, 56, rgb(0xFFD060), {}));
    saveImage(gfx + QStringLiteral("quit.gif"), panel(120, 48, rgb(0xE04848), [](QPainter& p) {
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 18, QFont::Bold));
        p.drawText(QRect(0, 0, 120, 48), Qt::AlignCenter, QStringLiteral("Quit"));
    }));
    endPicture(gfx + QStringLiteral("endgood.gif"), true);
    endPicture(gfx + QStringLiteral("endbad.gif"), false);
    savePicture(gfx + QStringLiteral("help.bmp"), 640, 480, rgb(0xFFF8E0), [](QPainter& p) {
        p.setPen(rgb(0x203060));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 28, QFont::Bold));
        p.drawText(QRect(0, 20, 640, 60), Qt::AlignCenter, QStringLiteral("How to play"));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 17));
        const char* lines[] = {"Click a card to turn it over.", "Then find the card that belongs with it.",
                               "Two that belong together are yours to keep,", "and you may play again.",
                               "If they do not, the next player has a turn.", "Esc ends the game."};
        for (int i = 0; i < 6; ++i)
            p.drawText(QRect(60, 110 + i * 42, 560, 40), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(lines[i]));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Normal, true));
        p.drawText(QRect(0, 430, 640, 30), Qt::AlignCenter, QStringLiteral("Click anywhere to go back."));
    });

    saveWav(sfx + QStringLiteral("turn.wav"), {{1200, 40}, {1500, 40}});
    saveWav(sfx + QStringLiteral("match.wav"), {{523, 90}, {659, 90}, {784, 90}, {1047, 200}});
    saveWav(sfx + QStringLiteral("nomatch.wav"), {{392, 160}, {330, 240}});
    saveWav(sfx + QStringLiteral("click.wav"), {{1000, 30}});
    saveWav(sfx + QStringLiteral("endgood.wav"), {{523, 150}, {659, 150}, {784, 150}, {1047, 150}, {784, 120}, {1047, 400}});
    saveWav(sfx + QStringLiteral("endbad.wav"), {{392, 220}, {349, 220}, {330, 220}, {262, 500}});
}
