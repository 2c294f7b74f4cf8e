// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "gifwriter.h"

#include <algorithm>
#include <cmath>

#include <QHash>
#include <QVector>

namespace {
void le16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

}

QByteArray gifBytes(const QImage& source)
{
    // A pixel less than half covered becomes the transparent colour, the rest opaque.
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    auto clear = [&img](int x, int y) { return qAlpha(img.pixel(x, y)) < 128; };
    bool transparent = false;
    for (int y = 0; y < h && !transparent && source.hasAlphaChannel(); ++y)
        for (int x = 0; x < w && !transparent; ++x)
            transparent = clear(x, y);
    const int room = transparent ? 255 : 256;
    QVector<QRgb> palette;
    QHash<QRgb, int> index;
    bool fits = true;
    for (int y = 0; y < h && fits; ++y)
        for (int x = 0; x < w; ++x) {
            if (transparent && clear(x, y))
                continue;
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            if (!index.contains(c)) {
                if (palette.size() == room) {
                    fits = false;
                    break;
                }
                index.insert(c, palette.size());
                palette.push_back(c);
            }
        }
    if (!fits) {
        palette.clear();
        index.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(qRgb(r * 51, g * 255 / 6, b * 51));
    }
    const int transparentIndex = int(palette.size());
    while (palette.size() < 256)
        palette.push_back(qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    le16(out, w);
    le16(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    if (transparent) {
        // Graphic control extension: no delay, the colour at transparentIndex is transparent.
        out.append(char(0x21));
        out.append(char(0xF9));
        out.append(char(4));
        out.append(char(1));
        le16(out, 0);
        out.append(char(transparentIndex));
        out.append(char(0));
    }
    out.append(',');
    le16(out, 0);
    le16(out, 0);
    le16(out, w);
    le16(out, h);
    out.append(char(0));
    out.append(char(8)); // minimum code size

    // LZW without compression: a clear code before every 254 pixels keeps codes at 9 bits.
    QByteArray codes;
    quint32 bits = 0;
    int nbits = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << nbits;
        nbits += 9;
        while (nbits >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            nbits -= 8;
        }
    };
    // Too many colours: the colour cube with the error diffused (Floyd-Steinberg), so gradients
    // do not fall into bands.
    QVector<int> cubeIndex;
    if (!fits) {
        cubeIndex.resize(qsizetype(w) * h);
        QVector<float> error(qsizetype(w + 2) * 2 * 3, 0.0f);
        auto err = [&](int row, int x, int channel) -> float& { return error[(qsizetype(row & 1) * (w + 2) + x + 1) * 3 + channel]; };
        for (int y = 0; y < h; ++y) {
            for (int x = -1; x <= w; ++x)
                for (int ch = 0; ch < 3; ++ch)
                    err(y + 1, x, ch) = 0;
            for (int x = 0; x < w; ++x) {
                const QRgb c = img.pixel(x, y);
                const float want[3] = {qRed(c) + err(y, x, 0), qGreen(c) + err(y, x, 1), qBlue(c) + err(y, x, 2)};
                const int steps[3] = {5, 6, 5};
                int level[3];
                for (int ch = 0; ch < 3; ++ch)
                    level[ch] = std::clamp(int(std::lround(want[ch] * steps[ch] / 255.0f)), 0, steps[ch]);
                const int i = (level[0] * 7 + level[1]) * 6 + level[2];
                cubeIndex[qsizetype(y) * w + x] = i;
                const QRgb got = palette[i];
                const float diff[3] = {want[0] - qRed(got), want[1] - qGreen(got), want[2] - qBlue(got)};
                for (int ch = 0; ch < 3; ++ch) {
                    err(y, x + 1, ch) += diff[ch] * 7 / 16;
                    err(y + 1, x - 1, ch) += diff[ch] * 3 / 16;
                    err(y + 1, x, ch) += diff[ch] * 5 / 16;
                    err(y + 1, x + 1, ch) += diff[ch] * 1 / 16;
                }
            }
        }
    }
    int run = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (run == 0)
                put(256);
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            put(transparent && clear(x, y) ? transparentIndex
                : fits                    ? index.value(c)
                                          : cubeIndex[qsizetype(y) * w + x]);
            run = (run + 1) % 254;
        }
    put(257);
    if (nbits > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}
