// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Times the canvas flood fill: the whole empty 401 x 401 canvas, and a maze of one-pixel
// corridors (the worst case for a fill that works in runs). Prints the median and best of many
// fills in microseconds.
#include "common/gfxfill.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

QImage emptyCanvas()
{
    QImage img(401, 401, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Black walls on every odd column, open at the top and bottom by turns: one winding corridor
// through the whole canvas.
QImage serpentine()
{
    QImage img = emptyCanvas();
    for (int x = 1; x < img.width(); x += 2) {
        const int gap = (x / 2) % 2 == 0 ? img.height() - 1 : 0;
        for (int y = 0; y < img.height(); ++y)
            if (y != gap)
                img.setPixel(x, y, qRgb(0, 0, 0));
    }
    return img;
}

// A grid maze: walls on odd rows and columns with a hole in every cell wall by a fixed pattern,
// so runs are short in both directions.
QImage grid()
{
    QImage img = emptyCanvas();
    unsigned seed = 12345;
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 16) & 0x7FFF; };
    for (int y = 1; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    for (int x = 1; x < img.width(); x += 2)
        for (int y = 0; y < img.height(); ++y)
            img.setPixel(x, y, qRgb(0, 0, 0));
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) {
            if (x + 1 < img.width() && next() % 2)
                img.setPixel(x + 1, y, qRgb(255, 255, 255));
            else if (y + 1 < img.height())
                img.setPixel(x, y + 1, qRgb(255, 255, 255));
        }
    return img;
}

void run(const char* name, QImage img)
{
    const QRgb colours[2] = {qRgb(30, 90, 200), qRgb(255, 255, 255)};
    std::vector<double> us;
    qint64 pixels = 0;
    // Fill back and forth between two colours, so every fill has the whole area to do.
    for (int i = 0; i < 2001; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const qint64 n = gfxFillArea(img, 0, 0, colours[i % 2]);
        const auto t1 = std::chrono::steady_clock::now();
        if (i == 0)
            pixels = n;
        if (i > 0) // the first fill warms the caches
            us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("%-28s %7lld pixels  median %8.1f us  best %8.1f us  90%% %8.1f us\n", name, static_cast<long long>(pixels),
                us[us.size() / 2], us.front(), us[us.size() * 9 / 10]);
}

} // namespace

int main()
{
    run("whole canvas 401 x 401", emptyCanvas());
    run("serpentine corridor", serpentine());
    run("grid maze", grid());
    return 0;
}
