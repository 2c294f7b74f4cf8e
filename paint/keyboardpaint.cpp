// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/keyboardpaint.h"

#include <QString>
#include <algorithm>
#include <array>

namespace {
constexpr int kThinLine = 2;  // a line this wide between fields is no colour to pick
constexpr int kSmoothStep = 8; // in a smooth run of colours, how far one arrow goes

QPoint direction(int key)
{
    switch (key) {
    case Qt::Key_Left: return {-1, 0};
    case Qt::Key_Right: return {1, 0};
    case Qt::Key_Up: return {0, -1};
    case Qt::Key_Down: return {0, 1};
    default: return {0, 0};
    }
}

bool inside(const QImage& image, QPoint p) { return p.x() >= 0 && p.y() >= 0 && p.x() < image.width() && p.y() < image.height(); }
QRgb colour(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }

// How far the field of p's colour runs from p along d (0: p is its last pixel that way).
int runLength(const QImage& image, QPoint p, QPoint d)
{
    const QRgb c = colour(image, p);
    int n = 0;
    for (QPoint q = p + d; inside(image, q) && colour(image, q) == c; q += d)
        ++n;
    return n;
}

// The middle of p's field along the axis of d.
QPoint middleOfRun(const QImage& image, QPoint p, QPoint d)
{
    const int back = runLength(image, p, -d), ahead = runLength(image, p, d);
    return p + d * ((ahead - back) / 2);
}
}

QPoint pntMoveCursor(QPoint at, int key, int step, QSize canvas)
{
    const QPoint p = at + direction(key) * step;
    return {std::clamp(p.x(), 0, std::max(0, canvas.width() - 1)), std::clamp(p.y(), 0, std::max(0, canvas.height() - 1))};
}

QPoint pntPaletteStep(const QImage& palette, QPoint at, int key)
{
    const QPoint d = direction(key);
    if (!inside(palette, at) || d.isNull())
        return at;
    // Past the end of at's own field, then over any thin lines to a field wide enough to pick.
    QPoint p = at + d * (runLength(palette, at, d) + 1);
    int passed = 0;
    while (inside(palette, p)) {
        const int ahead = runLength(palette, p, d);
        if (ahead + 1 > kThinLine)
            return middleOfRun(palette, p, d);
        passed += ahead + 1;
        if (passed >= kSmoothStep)
            return p; // every pixel its own colour: a smooth run
        p += d * (ahead + 1);
    }
    return at;
}

QPoint pntPaletteFirst(const QImage& palette)
{
    if (palette.isNull())
        return {};
    QPoint p = middleOfRun(palette, {0, 0}, {0, 1});
    if (runLength(palette, {0, 0}, {1, 0}) + 1 <= kThinLine)
        p = pntPaletteStep(palette, QPoint(0, p.y()), Qt::Key_Right);
    return middleOfRun(palette, p, {1, 0});
}

QPoint pntPaletteNext(const QImage& palette, QPoint at)
{
    const QPoint right = pntPaletteStep(palette, at, Qt::Key_Right);
    if (right != at)
        return right;
    const QPoint down = pntPaletteStep(palette, at, Qt::Key_Down);
    if (down != at) {
        const QPoint start(0, down.y());
        if (runLength(palette, start, {1, 0}) + 1 > kThinLine)
            return middleOfRun(palette, start, {1, 0});
        return pntPaletteStep(palette, start, Qt::Key_Right);
    }
    return pntPaletteFirst(palette);
}

QString pntColourName(uint32_t bgr)
{
    struct Named {
        const char* name;
        int r, g, b;
    };
    static constexpr std::array<Named, 22> kNames{{
        {"black", 0, 0, 0},          {"dark grey", 64, 64, 64},     {"grey", 128, 128, 128},
        {"light grey", 192, 192, 192}, {"white", 255, 255, 255},    {"dark red", 128, 0, 0},
        {"red", 230, 0, 0},          {"pink", 255, 150, 190},       {"orange", 255, 140, 0},
        {"brown", 140, 80, 30},      {"beige", 225, 200, 150},      {"yellow", 255, 230, 0},
        {"light green", 140, 230, 100}, {"green", 0, 170, 0},       {"dark green", 0, 90, 0},
        {"turquoise", 0, 200, 200},  {"light blue", 120, 180, 255}, {"blue", 0, 60, 230},
        {"dark blue", 0, 0, 120},    {"purple", 128, 0, 160},       {"violet", 190, 120, 230},
        {"magenta", 230, 0, 200},
    }};
    const int r = int(bgr & 0xFF), g = int((bgr >> 8) & 0xFF), b = int((bgr >> 16) & 0xFF);
    const Named* best = &kNames[0];
    long bestDistance = -1;
    for (const Named& n : kNames) {
        // Weighted as the eye weighs them: green counts most, blue least.
        const long d = 3L * (r - n.r) * (r - n.r) + 4L * (g - n.g) * (g - n.g) + 2L * (b - n.b) * (b - n.b);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = &n;
        }
    }
    return QString::fromLatin1(best->name);
}
