// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "themes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

// The paint window of the Brushbox sample theme: its background, the nine tool buttons in all
// their looks with a picture of each tool, the small current-tool pictures, the corner buttons
// and a palette of bright paints.

namespace {

using Icon = std::function<void(QPainter&, const QRectF&)>;

double unit(const QRectF& r) { return std::min(r.width(), r.height()); }

void outline(QPainter& p, double width) { p.setPen(QPen(QColor(0x30, 0x28, 0x28), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); }

void brushIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    p.save();
    p.translate(r.center());
    p.rotate(-40);
    outline(p, u * 0.04);
    p.setBrush(QColor(0xC8, 0x84, 0x3C)); // handle
    p.drawRoundedRect(QRectF(-u * 0.07, -u * 0.05, u * 0.14, u * 0.5), u * 0.06, u * 0.06);
    p.setBrush(QColor(0xC0, 0xC4, 0xCC)); // ferrule
    p.drawRect(QRectF(-u * 0.09, -u * 0.17, u * 0.18, u * 0.13));
    QPainterPath tip; // bristles dipped in paint
    tip.moveTo(-u * 0.09, -u * 0.17);
    tip.cubicTo(-u * 0.12, -u * 0.32, -u * 0.02, -u * 0.42, 0, -u * 0.48);
    tip.cubicTo(u * 0.02, -u * 0.42, u * 0.12, -u * 0.32, u * 0.09, -u * 0.17);
    tip.closeSubpath();
    p.setBrush(QColor(0xE8, 0x30, 0x40));
    p.drawPath(tip);
    p.restore();
}

void sprayIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center() + QPointF(u * 0.12, u * 0.05);
    outline(p, u * 0.04);
    p.setBrush(QColor(0x40, 0xA8, 0x50)); // can
    p.drawRoundedRect(QRectF(c.x() - u * 0.16, c.y() - u * 0.22, u * 0.32, u * 0.62), u * 0.07, u * 0.07);
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawRect(QRectF(c.x() - u * 0.16, c.y() - u * 0.05, u * 0.32, u * 0.14)); // label
    p.setBrush(QColor(0xB0, 0xB4, 0xBC));
    p.drawRect(QRectF(c.x() - u * 0.08, c.y() - u * 0.33, u * 0.16, u * 0.11)); // cap
    p.drawRect(QRectF(c.x() - u * 0.17, c.y() - u * 0.31, u * 0.09, u * 0.05)); // nozzle
    p.setPen(Qt::NoPen);
    const QColor mist[] = {QColor(0x40, 0xC0, 0x60), QColor(0xF0, 0x90, 0x20), QColor(0x30, 0x90, 0xE0)};
    int k = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = -2; j <= 2; ++j) {
            if ((i + j) % 2)
                continue;
            p.setBrush(mist[k++ % 3]);
            p.drawEllipse(QPointF(c.x() - u * (0.28 + i * 0.07), c.y() - u * 0.29 + j * u * 0.07), u * 0.025, u * 0.025);
        }
}

void bucketIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center();
    outline(p, u * 0.04);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - u * 0.2, c.y() - u * 0.42, u * 0.4, u * 0.36), 0, 180 * 16); // handle
    QPainterPath pail;
    pail.moveTo(c.x() - u * 0.26, c.y() - u * 0.22);
    pail.lineTo(c.x() + u * 0.26, c.y() - u * 0.22);
    pail.lineTo(c.x() + u * 0.19, c.y() + u * 0.34);
    pail.lineTo(c.x() - u * 0.19, c.y() + u * 0.34);
    pail.closeSubpath();
    p.setBrush(QColor(0x50, 0x8C, 0xE0));
    p.drawPath(pail);
    p.setBrush(QColor(0xF8, 0xC0, 0x20)); // paint spilling over the rim
    QPainterPath spill;
    spill.moveTo(c.x() - u * 0.26, c.y() - u * 0.22);
    spill.lineTo(c.x() + u * 0.26, c.y() - u * 0.22);
    spill.lineTo(c.x() + u * 0.25, c.y() - u * 0.12);
    spill.cubicTo(c.x() + u * 0.3, c.y() + u * 0.05, c.x() + u * 0.38, c.y() + u * 0.05, c.x() + u * 0.36, c.y() - u * 0.1);
    spill.lineTo(c.x() + u * 0.36, c.y() - u * 0.26);
    spill.lineTo(c.x() - u * 0.26, c.y() - u * 0.28);
    spill.closeSubpath();
    p.drawPath(spill);
    p.drawEllipse(QPointF(c.x() + u * 0.37, c.y() + u * 0.22), u * 0.06, u * 0.08); // a drop
}

void clearIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center();
    outline(p, u * 0.05);
    p.setBrush(Qt::white); // a clean page
    p.drawRect(QRectF(c.x() - u * 0.3, c.y() - u * 0.38, u * 0.6, u * 0.76));
    p.setPen(QPen(QColor(0xF0, 0xC0, 0x20), u * 0.08, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) { // a sparkle
        QLineF ray(c, c + QPointF(u * 0.2, 0));
        ray.setAngle(45 + i * 90);
        p.drawLine(QLineF(ray.pointAt(0.35), ray.p2()));
    }
}

void printerIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center();
    outline(p, u * 0.05);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(c.x() - u * 0.22, c.y() - u * 0.42, u * 0.44, u * 0.3)); // paper in
    p.setBrush(QColor(0x8A, 0x70, 0xC8));
    p.drawRoundedRect(QRectF(c.x() - u * 0.42, c.y() - u * 0.16, u * 0.84, u * 0.38), u * 0.08, u * 0.08);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(c.x() - u * 0.22, c.y() + u * 0.1, u * 0.44, u * 0.32)); // paper out
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0x30, 0x40));
    p.drawEllipse(QPointF(c.x() - u * 0.05, c.y() + u * 0.27), u * 0.06, u * 0.06);
    p.setBrush(QColor(0x30, 0xA0, 0xF0));
    p.drawEllipse(QPointF(c.x() + u * 0.08, c.y() + u * 0.24), u * 0.05, u * 0.05);
}

void folderShape(QPainter& p, const QRectF& r, const QColor& colour)
{
    const double u = unit(r);
    const QPointF c = r.center();
    QPainterPath f;
    f.moveTo(c.x() - u * 0.42, c.y() - u * 0.28);
    f.lineTo(c.x() - u * 0.12, c.y() - u * 0.28);
    f.lineTo(c.x() - u * 0.04, c.y() - u * 0.18);
    f.lineTo(c.x() + u * 0.42, c.y() - u * 0.18);
    f.lineTo(c.x() + u * 0.42, c.y() + u * 0.32);
    f.lineTo(c.x() - u * 0.42, c.y() + u * 0.32);
    f.closeSubpath();
    outline(p, u * 0.05);
    p.setBrush(colour);
    p.drawPath(f);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width)
{
    p.setPen(QPen(colour.darker(140), width * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    QLineF back(to, from);
    for (int side : {-1, 1}) {
        QLineF head(to, back.pointAt(0.45));
        head.setAngle(back.angle() + side * 40);
        p.drawLine(head);
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
}

void saveIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    folderShape(p, r, QColor(0xF8, 0xD0, 0x60));
    arrow(p, r.center() + QPointF(0, -u * 0.48), r.center() + QPointF(0, u * 0.16), QColor(0x30, 0xB0, 0x50), u * 0.12);
}

void openIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    folderShape(p, r, QColor(0xF8, 0xD0, 0x60));
    p.setBrush(Qt::white); // a picture coming out
    outline(p, u * 0.04);
    p.drawRect(QRectF(r.center().x() - u * 0.2, r.center().y() - u * 0.4, u * 0.4, u * 0.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF8, 0xA0, 0x20));
    p.drawEllipse(r.center() + QPointF(-u * 0.08, -u * 0.3), u * 0.06, u * 0.06);
    p.setBrush(QColor(0x40, 0xB0, 0x50));
    QPainterPath hill;
    hill.moveTo(r.center() + QPointF(-u * 0.2, -u * 0.1));
    hill.quadTo(r.center() + QPointF(u * 0.05, -u * 0.32), r.center() + QPointF(u * 0.2, -u * 0.1));
    p.drawPath(hill);
    outline(p, u * 0.05);
    p.setBrush(QColor(0xF0, 0xB8, 0x40)); // the folder's front flap
    QPainterPath flap;
    flap.moveTo(r.center() + QPointF(-u * 0.42, u * 0.32));
    flap.lineTo(r.center() + QPointF(-u * 0.32, -u * 0.05));
    flap.lineTo(r.center() + QPointF(u * 0.5, -u * 0.05));
    flap.lineTo(r.center() + QPointF(u * 0.42, u * 0.32));
    flap.closeSubpath();
    p.drawPath(flap);
}

void quitIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center();
    outline(p, u * 0.05);
    p.setBrush(QColor(0x8B, 0x5A, 0x2B)); // a door, ajar
    p.drawRect(QRectF(c.x() - u * 0.3, c.y() - u * 0.42, u * 0.42, u * 0.84));
    p.setBrush(QColor(0x40, 0x30, 0x30));
    QPainterPath gap;
    gap.moveTo(c.x() + u * 0.12, c.y() - u * 0.42);
    gap.lineTo(c.x() + u * 0.28, c.y() - u * 0.34);
    gap.lineTo(c.x() + u * 0.28, c.y() + u * 0.34);
    gap.lineTo(c.x() + u * 0.12, c.y() + u * 0.42);
    gap.closeSubpath();
    p.drawPath(gap);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF8, 0xD0, 0x40));
    p.drawEllipse(QPointF(c.x() + u * 0.04, c.y()), u * 0.05, u * 0.05);
}

// A curved arrow turning back (undo) or going on (redo).
void turnArrow(QPainter& p, const QRectF& r, bool back)
{
    const double u = unit(r);
    const QPointF c = r.center();
    p.save();
    if (!back) { // redo is undo's mirror image
        p.translate(2 * c.x(), 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(0x30, 0x28, 0x60), u * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(c.x() - u * 0.32, c.y() - u * 0.3, u * 0.72, u * 0.66);
    p.drawArc(arc, 200 * 16, -220 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x28, 0x60));
    QPainterPath head;
    const QPointF tip(c.x() - u * 0.46, c.y() + u * 0.02);
    head.moveTo(tip);
    head.lineTo(tip + QPointF(u * 0.34, -u * 0.06));
    head.lineTo(tip + QPointF(u * 0.12, u * 0.3));
    head.closeSubpath();
    p.drawPath(head);
    p.restore();
}

void undoIcon(QPainter& p, const QRectF& r) { turnArrow(p, r, true); }
void redoIcon(QPainter& p, const QRectF& r) { turnArrow(p, r, false); }

void soundIcon(QPainter& p, const QRectF& r)
{
    const double u = unit(r);
    const QPointF c = r.center() + QPointF(-u * 0.12, 0);
    outline(p, u * 0.05);
    p.setBrush(QColor(0x50, 0x88, 0xC0));
    QPainterPath speaker;
    speaker.moveTo(c.x() - u * 0.3, c.y() - u * 0.13);
    speaker.lineTo(c.x() - u * 0.12, c.y() - u * 0.13);
    speaker.lineTo(c.x() + u * 0.1, c.y() - u * 0.34);
    speaker.lineTo(c.x() + u * 0.1, c.y() + u * 0.34);
    speaker.lineTo(c.x() - u * 0.12, c.y() + u * 0.13);
    speaker.lineTo(c.x() - u * 0.3, c.y() + u * 0.13);
    speaker.closeSubpath();
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x30, 0x28, 0x28), u * 0.06, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 2; ++i) {
        const double rr = u * (0.14 + i * 0.13);
        p.drawArc(QRectF(c.x() + u * 0.06 - rr, c.y() - rr, 2 * rr, 2 * rr), -45 * 16, 90 * 16);
    }
}

enum class Look { Normal, Highlight, Down, Inactive, Current };

QImage greyed(const QImage& img)
{
    QImage g = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x) {
            const QRgb c = g.pixel(x, y);
            const int v = 150 + qGray(c) / 3;
            g.setPixel(x, y, qRgba(v, v, v, qAlpha(c)));
        }
    return g;
}

const QColor kPanel(0xDD, 0xEE, 0xFA);

// One button face: a rounded, shaded plate with the tool's picture and its name. Large faces
// put the picture above the name, small ones beside it.
QImage face(int w, int h, const QColor& base, const QString& caption, Look look, const Icon& icon)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(kPanel);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double push = look == Look::Down ? 2 : 0;
    QColor top = base.lighter(150), bottom = base;
    if (look == Look::Highlight) {
        top = base.lighter(175);
        bottom = base.lighter(125);
    } else if (look == Look::Down) {
        top = base.darker(110);
        bottom = base.lighter(130);
    } else if (look == Look::Inactive) {
        top = QColor(0xE4, 0xE4, 0xE4);
        bottom = QColor(0xC8, 0xC8, 0xC8);
    }
    const QRectF plate = QRectF(3, 3, w - 6, h - 7).translated(0, push);
    if (look != Look::Down) { // a soft shadow under a raised plate
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRoundedRect(plate.translated(1.5, 3), 12, 12);
    }
    QLinearGradient grad(plate.topLeft(), plate.bottomLeft());
    grad.setColorAt(0, top);
    grad.setColorAt(1, bottom);
    p.setBrush(grad);
    const bool current = look == Look::Current;
    p.setPen(QPen(current ? QColor(0xFF, 0xD0, 0x10) : look == Look::Inactive ? QColor(0xA8, 0xA8, 0xA8) : base.darker(150),
                  current ? 5 : 2));
    p.drawRoundedRect(plate, 12, 12);
    if (look == Look::Highlight) { // a glow round a button the pointer is over
        p.setPen(QPen(QColor(255, 255, 255, 200), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 9, 9);
    }

    const bool large = h > 60;
    QRectF iconRect = large ? QRectF(plate.left() + 14, plate.top() + 5, plate.width() - 28, plate.height() - 30)
                            : QRectF(plate.left() + 3, plate.top() + 4, plate.height() - 8, plate.height() - 8);
    QImage art(w, h, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    {
        QPainter a(&art);
        a.setRenderHint(QPainter::Antialiasing);
        icon(a, iconRect);
    }
    p.drawImage(0, 0, look == Look::Inactive ? greyed(art) : art);

    QFont f(QStringLiteral("Liberation Sans"), large ? 12 : 11, QFont::Bold);
    p.setFont(f);
    const QRectF textRect = large ? QRectF(plate.left(), plate.bottom() - 24, plate.width(), 22)
                                  : QRectF(iconRect.right() + 1, plate.top(), plate.right() - iconRect.right() - 4, plate.height());
    p.setPen(look == Look::Inactive ? QColor(0xA0, 0xA0, 0xA0) : QColor(255, 255, 255, 160));
    p.drawText(textRect.translated(1, 1), Qt::AlignCenter, caption);
    p.setPen(look == Look::Inactive ? QColor(0xF4, 0xF4, 0xF4) : QColor(0x22, 0x22, 0x33));
    p.drawText(textRect, Qt::AlignCenter, caption);
    if (current) { // a star says "this is the tool in your hand"
        QPainterPath star;
        const QPointF c(plate.right() - 13, plate.top() + 13);
        for (int i = 0; i < 10; ++i) {
            const double rr = i % 2 ? 4.0 : 10.0;
            const double a = M_PI / 2 + i * M_PI / 5;
            const QPointF pt(c.x() + rr * std::cos(a), c.y() - rr * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0xC0, 0x80, 0x00), 1.5));
        p.setBrush(QColor(0xFF, 0xD8, 0x20));
        p.drawPath(star);
    }
    return img;
}

// The small picture of the tool in hand, shown in the middle of the current colour.
QImage mini(const Icon& icon)
{
    QImage img(41, 41, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x28, 0x28), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1, 1, 39, 39));
    icon(p, QRectF(5, 5, 31, 31));
    return img;
}

void buttons(const QString& gfx)
{
    struct Tool {
        const char* name;
        const char* caption;
        QColor colour;
        bool large;
        Icon icon;
    };
    const Tool tools[] = {{"draw", "Draw", QColor(0x6C, 0xB4, 0xF0), true, brushIcon},
                          {"spray", "Spray", QColor(0x7C, 0xD0, 0x80), true, sprayIcon},
                          {"fill", "Fill", QColor(0xF8, 0xB8, 0x50), true, bucketIcon},
                          {"clear", "Clear", QColor(0xF0, 0x8C, 0x8C), false, clearIcon},
                          {"print", "Print", QColor(0xB8, 0xA4, 0xE8), false, printerIcon},
                          {"save", "Save", QColor(0x70, 0xD0, 0xC8), false, saveIcon},
                          {"open", "Open", QColor(0xF4, 0xA8, 0x70), false, openIcon},
                          {"quit", "Quit", QColor(0xE0, 0x70, 0x70), false, quitIcon},
                          {"sound", "Sound", QColor(0x90, 0xC0, 0xE0), false, soundIcon}};
    const struct {
        const char* suffix;
        Look look;
    } looks[] = {{"", Look::Normal}, {"_hi", Look::Highlight}, {"_down", Look::Down}, {"_off", Look::Inactive}, {"_cur", Look::Current}};
    for (const Tool& t : tools) {
        for (const auto& l : looks) {
            if (l.look == Look::Current && !t.large)
                continue;
            saveImage(gfx + QLatin1String(t.name) + QLatin1String(l.suffix) + QStringLiteral(".bmp"),
                      face(89, t.large ? 89 : 41, t.colour, QLatin1String(t.caption), l.look, t.icon));
        }
        if (t.large)
            saveImage(gfx + QLatin1String(t.name) + QStringLiteral("_mini.bmp"), mini(t.icon));
    }
    // Undo and redo fit in the gap above the sound and quit buttons.
    const Tool history[] = {{"undo", "Undo", QColor(0xC8, 0xC8, 0xF0), false, undoIcon},
                            {"redo", "Redo", QColor(0xC8, 0xE8, 0xC8), false, redoIcon}};
    for (const Tool& t : history)
        for (const auto& l : looks)
            if (l.look != Look::Current)
                saveImage(gfx + QLatin1String(t.name) + QLatin1String(l.suffix) + QStringLiteral(".bmp"),
                          face(89, 29, t.colour, QLatin1String(t.caption), l.look, t.icon));
    auto corner = [&gfx](const QString& name, const QColor& colour, const std::function<void(QPainter&)>& mark) {
        savePicture(gfx + name, 16, 14, QColor(0xFF, 0xF1, 0xD6), [&](QPainter& p) {
            p.setPen(QPen(colour.darker(150), 1));
            p.setBrush(colour);
            p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
            mark(p);
        });
    };
    corner(QStringLiteral("smallquit.bmp"), QColor(0xE0, 0x50, 0x50), [](QPainter& p) {
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 4), QPointF(10.5, 9.5));
        p.drawLine(QPointF(10.5, 4), QPointF(5.5, 9.5));
    });
    corner(QStringLiteral("smallhelp.bmp"), QColor(0x40, 0x90, 0xE0), [](QPainter& p) {
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 8, QFont::Bold));
        p.drawText(QRectF(1.5, 0, 13, 14), Qt::AlignCenter, QStringLiteral("?"));
    });
}

// Two rows of paints. The darkest is not pure black: pure black is the line art of the
// colouring pictures (the theme's lock colour), and a child's own strokes stay paintable.
void palette(const QString& gfx)
{
    const QColor colours[2][14] = {
        {QColor(0x20, 0x20, 0x20), QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF), QColor(0xD0, 0x10, 0x20),
         QColor(0xF8, 0x40, 0x30), QColor(0xFF, 0x8C, 0x00), QColor(0xFF, 0xD7, 0x00), QColor(0x30, 0xB0, 0x30),
         QColor(0x00, 0x64, 0x20), QColor(0x00, 0xA8, 0xE8), QColor(0x10, 0x40, 0xC0), QColor(0x80, 0x30, 0xC0),
         QColor(0xF0, 0x40, 0xA0), QColor(0x8B, 0x45, 0x13)},
        {QColor(0x50, 0x50, 0x58), QColor(0xC0, 0xC0, 0xC0), QColor(0xFF, 0xF0, 0xD0), QColor(0xFF, 0xA0, 0xA8),
         QColor(0xFF, 0xC0, 0x90), QColor(0xFF, 0xE0, 0x80), QColor(0xFF, 0xFF, 0xA0), QColor(0xA0, 0xE8, 0x80),
         QColor(0x60, 0xC0, 0xA0), QColor(0xA0, 0xE0, 0xFF), QColor(0x70, 0x90, 0xF0), QColor(0xC8, 0xA0, 0xF0),
         QColor(0xFF, 0xC0, 0xE8), QColor(0xD2, 0xA0, 0x6E)}};
    auto draw = [&colours](bool active) {
        QImage img(609, 33, QImage::Format_RGB32);
        QPainter p(&img);
        for (int row = 0; row < 2; ++row)
            for (int i = 0; i < 14; ++i) {
                QColor c = colours[row][i];
                if (!active) {
                    const int g = qGray(c.rgb()) / 3 + 140;
                    c = QColor(g, g, g);
                }
                const int x0 = i * 609 / 14, x1 = (i + 1) * 609 / 14;
                p.fillRect(QRect(x0, row * 17, x1 - x0, row ? 16 : 17), c);
            }
        return img;
    };
    saveImage(gfx + QStringLiteral("palette.bmp"), draw(true));
    saveImage(gfx + QStringLiteral("palette_off.bmp"), draw(false));
}

void background(const QString& gfx)
{
    savePicture(gfx + QStringLiteral("background.bmp"), 641, 481, QColor(0xFF, 0xF1, 0xD6), [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 481);
        sky.setColorAt(0, QColor(0xFF, 0xF4, 0xDC));
        sky.setColorAt(1, QColor(0xFF, 0xE0, 0xB8));
        p.fillRect(QRect(0, 0, 641, 481), sky);
        p.setBrush(kPanel); // the tool panel
        p.setPen(QPen(QColor(0xA8, 0xC8, 0xE8), 2));
        p.drawRoundedRect(QRectF(8, 8, 209, 417), 14, 14);
        p.setBrush(QColor(0xC8, 0x8C, 0x50)); // a wooden easel frame round the canvas
        p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 2));
        p.drawRoundedRect(QRectF(216, 8, 417, 417), 8, 8);
        p.setBrush(QColor(0x8B, 0x5A, 0x2B));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(221, 13, 407, 407));
        p.setBrush(QColor(0x6E, 0x4B, 0x2A)); // the paint tray under the palette
        p.drawRoundedRect(QRectF(10, 427, 621, 43), 10, 10);
        p.setBrush(QColor(0xFF, 0xFF, 0xFF, 60));
        p.drawRoundedRect(QRectF(12, 429, 617, 10), 5, 5);
    });
}

} // namespace

void generatePaintWindowTheme(const QString& out)
{
    const QString gfx = out + QStringLiteral("/gfx/");
    background(gfx);
    buttons(gfx);
    palette(gfx);
}
