// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/gfxfill.h"

#include <vector>

namespace {
// A run of row y - dy, from xl to xr, that is painted; row y beside it is still to be looked at.
struct Segment {
    int y, xl, xr, dy;
};
}

qint64 gfxFillArea(QImage& image, int x, int y, QRgb fill)
{
    const int w = image.width(), h = image.height();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return 0;
    constexpr QRgb kColour = 0x00FFFFFF;
    const QRgb target = image.pixel(x, y) & kColour;
    const QRgb paint = fill | 0xFF000000;
    if (target == (fill & kColour))
        return 0;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto row = [bits, stride](int r) { return reinterpret_cast<QRgb*>(bits + r * stride); };
    auto matches = [target](QRgb p) { return (p & kColour) == target; };

    // The seed fill of Heckbert (Graphics Gems, 1990): every pixel is read about once, and only
    // runs that leak past their parent's ends go back the way they came.
    qint64 painted = 0;
    std::vector<Segment> stack;
    stack.reserve(512);
    auto push = [&stack, h](int sy, int xl, int xr, int dy) {
        if (sy + dy >= 0 && sy + dy < h)
            stack.push_back({sy + dy, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const Segment s = stack.back();
        stack.pop_back();
        QRgb* line = row(s.y);
        int cx = s.xl;
        while (cx >= 0 && matches(line[cx]))
            line[cx--] = paint;
        painted += s.xl - cx;
        bool spanOpen = cx < s.xl; // the pixel under the parent's left end was open
        int left = cx + 1;
        if (spanOpen) {
            if (left < s.xl)
                push(s.y, left, s.xl - 1, -s.dy); // leaks round the left end
            cx = s.xl + 1;
        }
        do {
            if (spanOpen) {
                const int start = cx;
                while (cx < w && matches(line[cx]))
                    line[cx++] = paint;
                painted += cx - start;
                push(s.y, left, cx - 1, s.dy);
                if (cx > s.xr + 1)
                    push(s.y, s.xr + 1, cx - 1, -s.dy); // leaks round the right end
            }
            for (++cx; cx <= s.xr && !matches(line[cx]); ++cx) {
            }
            left = cx;
            spanOpen = true;
        } while (cx <= s.xr);
    }
    return painted;
}
