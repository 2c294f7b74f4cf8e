// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/gfx.h"

#include "common/gfxfill.h"
#include "platform/picturebox.h"

#include <QColor>
#include <QPaintDevice>
#include <cmath>
#include <limits>

namespace {
int g_testDepth = 0;
}

QColor colorFromBgr(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int twipsToPixels(int twips) { return twips / 15; }

void gfxFloodFill(PictureBox& surface, double x, double y)
{
    surface.setDrawMode(PictureBox::DrawModeCopyPen);
    surface.setFillStyle(PictureBox::FillSolid);
    if (surface.Point(x, y) < 0)
        return;
    if (gfxFillArea(surface.imageForWriting(), int(x), int(y), bgrToRgb(surface.FillColor())) > 0)
        surface.imageChanged();
}

void gfxPrintShadowed(PictureBox& surface, const QString& text, std::optional<double> x, std::optional<double> y,
                      std::optional<uint32_t> color, std::optional<uint32_t> shadow)
{
    const double px = x.value_or(surface.CurrentX());
    const double py = y.value_or(surface.CurrentY());
    const uint32_t ink = color.value_or(surface.ForeColor());
    surface.setForeColor(shadow.value_or(0));
    surface.setCurrentX(px - 1);
    surface.setCurrentY(py - 1);
    surface.Print(text);
    surface.setCurrentX(px + 1);
    surface.setCurrentY(py + 1);
    surface.Print(text);
    surface.setForeColor(ink);
    surface.setCurrentX(px);
    surface.setCurrentY(py);
    surface.Print(text);
}

void gfxShrinkPicture(PictureBox& source, PictureBox& destination)
{
    source.setScaleMode(PictureBox::ScalePixel);
    destination.setScaleMode(PictureBox::ScalePixel);
    const int dw = destination.ScaleWidth(), dh = destination.ScaleHeight();
    if (dw <= 0 || dh <= 0)
        return;
    const int kx = source.ScaleWidth() / dw;
    const int ky = source.ScaleHeight() / dh;
    const QImage& from = source.image();
    QImage& to = destination.imageForWriting();
    for (int y = 0; y < dh; ++y) {
        const int sy = std::min(ky * y, from.height() - 1);
        for (int x = 0; x < dw; ++x)
            to.setPixel(x, y, from.pixel(std::min(kx * x, from.width() - 1), sy) | 0xFF000000);
    }
    destination.imageChanged();
}

int32_t gfxColorCount(int bitsPerPixel, int planes)
{
    const int bits = std::clamp(bitsPerPixel, 0, 24);
    const int64_t count = (int64_t(1) << bits) * std::max(1, planes);
    return int32_t(std::min<int64_t>(count, std::numeric_limits<int32_t>::max()));
}

int32_t gfxGetColorCount(const QPaintDevice* device)
{
    if (g_testDepth > 0)
        return gfxColorCount(g_testDepth, 1);
    return gfxColorCount(device ? device->depth() : 24, 1);
}

void gfxSetDepthForTests(int bitsPerPixel) { g_testDepth = bitsPerPixel; }
