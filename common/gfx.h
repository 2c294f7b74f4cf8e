// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <cstdint>
#include <optional>

class PictureBox;
class QColor;
class QPaintDevice;

// A colour as the configuration files write it: blue, green, red from the high byte down.
QColor colorFromBgr(uint32_t bgr);
// The forms are laid out in twips, 15 to a pixel.
int twipsToPixels(int twips);

// Drawing operations on a picture box, in its pixel coordinates.

// Fills the area of the colour at (x, y) with the surface's fill colour (4-connected). Sets the
// surface's draw mode to copy pen and its fill style to solid, as the fill leaves them.
void gfxFloodFill(PictureBox& surface, double x, double y);

// Text with a shadow: the shadow one pixel up-left and one down-right, then the text itself.
// Missing values are the current position, the pen colour and black. The pen colour ends as
// the text colour and the position on the line below.
void gfxPrintShadowed(PictureBox& surface, const QString& text, std::optional<double> x = {},
                      std::optional<double> y = {}, std::optional<uint32_t> color = {},
                      std::optional<uint32_t> shadow = {});

// A reduced copy made by taking every kx-th pixel of every ky-th row, kx and ky the whole
// ratios of the sizes (0 when the destination is larger: the first column or row then).
void gfxShrinkPicture(PictureBox& source, PictureBox& destination);

// Number of colours of a device: 2 to the power of its bits per pixel, times its planes. Bits
// beyond the 24 that carry colour (the alpha or padding byte of 32-bit devices) add no colours,
// so the count always fits.
int32_t gfxGetColorCount(const QPaintDevice* device);
int32_t gfxColorCount(int bitsPerPixel, int planes);
// Lets tests stand for a display of another depth; 0 restores the real one.
void gfxSetDepthForTests(int bitsPerPixel);
