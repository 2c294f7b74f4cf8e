// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "bmpwriter.h"

#include <bit>
#include <vector>

namespace {
void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}

void set32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

bool masked(const BmpKind& s) { return s.compression == 3 || s.compression == 6; }

void masksOf(const BmpKind& s, quint32 out[4])
{
    if (masked(s)) {
        for (int i = 0; i < 4; ++i)
            out[i] = s.masks[i];
    } else if (s.bits == 16) {
        out[0] = 0x7C00, out[1] = 0x03E0, out[2] = 0x001F, out[3] = 0;
    } else {
        out[0] = 0xFF0000, out[1] = 0xFF00, out[2] = 0xFF, out[3] = 0;
    }
}

quint32 pack(int value, quint32 mask)
{
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const quint64 max = mask >> shift;
    return quint32(((quint64(value) * max + 127) / 255) << shift) & mask;
}

int unpack(quint32 v, quint32 mask, int absent)
{
    if (!mask)
        return absent;
    const int shift = std::countr_zero(mask);
    const quint64 max = mask >> shift;
    return int((quint64((v & mask) >> shift) * 255 + max / 2) / max);
}

// Rows in file order (the bottom row first unless top-down) of colour indexes.
std::vector<std::vector<int>> indexRows(const QImage& image, bool topDown)
{
    std::vector<std::vector<int>> rows;
    for (int r = 0; r < image.height(); ++r) {
        const int y = topDown ? r : image.height() - 1 - r;
        std::vector<int> row(size_t(image.width()));
        for (int x = 0; x < image.width(); ++x)
            row[size_t(x)] = image.pixelIndex(x, y);
        rows.push_back(row);
    }
    return rows;
}

QByteArray runLength(const QImage& image, const BmpKind& s)
{
    const auto rows = indexRows(image, false);
    const int w = image.width(), h = image.height();
    const bool four = s.compression == 2;
    QByteArray out;
    auto code = [&out](int a, int b) { out.append(char(a)), out.append(char(b)); };
    auto skipped = [&](int r, int x) { return rows[size_t(r)][size_t(x)] == s.skipIndex; };
    int r = 0, x = 0;
    while (r < h) {
        if (x >= w) {
            if (r == h - 1)
                break;
            code(0, 0); // end of line
            ++r, x = 0;
            continue;
        }
        if (skipped(r, x)) {
            int r2 = r, x2 = x;
            while (r2 < h && skipped(r2, x2)) {
                if (++x2 == w)
                    ++r2, x2 = 0;
            }
            if (r2 == h) {
                code(0, 1); // end of the bitmap: every pixel left is skipped
                return out;
            }
            if (r2 == r || x2 >= x) {
                while (r < r2 || x < x2) { // deltas move right and up, at most 255 at a time
                    const int dx = std::min(x2 - x, 255), dy = std::min(r2 - r, 255);
                    out.append(char(0)), out.append(char(2)), out.append(char(dx)), out.append(char(dy));
                    x += dx, r += dy;
                }
            } else {
                code(0, 0);
                ++r, x = 0;
            }
            continue;
        }
        const auto& row = rows[size_t(r)];
        int run = 1;
        while (x + run < w && run < 255 && row[size_t(x + run)] == row[size_t(x)])
            ++run;
        int diff = 0;
        while (s.absolute && x + diff < w && diff < 255 && !skipped(r, x + diff) &&
               (x + diff + 1 >= w || row[size_t(x + diff + 1)] != row[size_t(x + diff)]))
            ++diff;
        if (run == 1 && diff >= 3) {
            code(0, diff);
            QByteArray bytes;
            for (int i = 0; i < diff; ++i) {
                const int v = row[size_t(x + i)];
                if (!four)
                    bytes.append(char(v));
                else if (i % 2 == 0)
                    bytes.append(char(v << 4));
                else
                    bytes[bytes.size() - 1] = char(bytes[bytes.size() - 1] | v);
            }
            if (bytes.size() % 2)
                bytes.append('\0');
            out.append(bytes);
            x += diff;
        } else {
            code(run, four ? (row[size_t(x)] << 4) | row[size_t(x)] : row[size_t(x)]);
            x += run;
        }
    }
    code(0, 1);
    return out;
}

QByteArray pixels(const QImage& image, const BmpKind& s)
{
    if (s.compression == 1 || s.compression == 2)
        return runLength(image, s);
    const int w = image.width(), h = image.height();
    const int stride = (w * s.bits + 31) / 32 * 4;
    quint32 m[4];
    masksOf(s, m);
    QByteArray out;
    for (int r = 0; r < h; ++r) {
        const int y = s.topDown ? r : h - 1 - r;
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            if (s.bits <= 8) {
                const int v = image.pixelIndex(x, y);
                const int bit = x * s.bits;
                row[bit / 8] = char(row[bit / 8] | (v << (8 - s.bits - bit % 8)));
                continue;
            }
            const QRgb c = image.pixel(x, y);
            if (s.bits == 24) {
                row[3 * x] = char(qBlue(c)), row[3 * x + 1] = char(qGreen(c)), row[3 * x + 2] = char(qRed(c));
                continue;
            }
            const quint32 v = pack(qRed(c), m[0]) | pack(qGreen(c), m[1]) | pack(qBlue(c), m[2]) | pack(qAlpha(c), m[3]);
            for (int i = 0; i < s.bits / 8; ++i)
                row[x * s.bits / 8 + i] = char((v >> (8 * i)) & 0xFF);
        }
        out.append(row);
    }
    return out;
}
}

QByteArray bmpWrite(const QImage& image, const BmpKind& s)
{
    const QByteArray data = pixels(image, s);
    QByteArray info;
    if (s.headerSize == 12) {
        put32(info, 12);
        put16(info, quint16(image.width()));
        put16(info, quint16(image.height()));
        put16(info, 1);
        put16(info, quint16(s.bits));
    } else {
        put32(info, quint32(s.headerSize));
        put32(info, quint32(image.width()));
        put32(info, quint32(s.topDown ? -image.height() : image.height()));
        put16(info, 1);
        put16(info, quint16(s.bits));
        put32(info, quint32(s.compression));
        put32(info, quint32(data.size()));
        put32(info, 2835);
        put32(info, 2835);
        put32(info, s.bits <= 8 ? quint32(image.colorCount()) : 0);
        put32(info, 0);
        info.append(QByteArray(std::max(0, s.headerSize - 40), '\0'));
        info.truncate(s.headerSize);
        if (masked(s) && s.headerSize > 40)
            for (int i = 0; i < std::min(4, (s.headerSize - 40) / 4); ++i)
                set32(info, 40 + 4 * i, s.masks[i]);
        if (s.headerSize >= 108)
            set32(info, 56, 0x73524742); // 'sRGB'
    }
    if (masked(s) && s.headerSize == 40)
        for (int i = 0; i < (s.compression == 6 ? 4 : 3); ++i)
            put32(info, s.masks[i]);
    if (s.bits <= 8) {
        for (QRgb c : image.colorTable()) {
            info.append(char(qBlue(c))), info.append(char(qGreen(c))), info.append(char(qRed(c)));
            if (s.headerSize != 12)
                info.append('\0');
        }
        // A core header's table always has every entry the bits allow.
        for (int i = image.colorCount(); s.headerSize == 12 && i < (1 << s.bits); ++i)
            info.append(QByteArray(3, '\0'));
    }
    QByteArray file("BM");
    put32(file, quint32(14 + info.size() + data.size()));
    put32(file, 0);
    put32(file, quint32(14 + info.size()));
    return file + info + data;
}

QImage bmpExpected(const QImage& image, const BmpKind& s)
{
    quint32 m[4];
    masksOf(s, m);
    const bool alpha = s.bits >= 16 && s.bits != 24 && m[3] != 0;
    QImage out(image.size(), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (s.bits <= 8) {
                int i = image.pixelIndex(x, y);
                if (i == s.skipIndex && (s.compression == 1 || s.compression == 2))
                    i = 0;
                out.setPixel(x, y, image.colorTable().value(i) | 0xFF000000u);
                continue;
            }
            const QRgb c = image.pixel(x, y);
            if (s.bits == 24) {
                out.setPixel(x, y, c | 0xFF000000u);
                continue;
            }
            const quint32 v = pack(qRed(c), m[0]) | pack(qGreen(c), m[1]) | pack(qBlue(c), m[2]) | pack(qAlpha(c), m[3]);
            out.setPixel(x, y, qRgba(unpack(v, m[0], 0), unpack(v, m[1], 0), unpack(v, m[2], 0), unpack(v, m[3], 255)));
        }
    return out;
}
