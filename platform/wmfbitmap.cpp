// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/bmpreader.h"
#include "platform/picture.h"
#include "platform/wmfplayer.h"

#include <utility>

namespace wmf {

namespace {

// The colours of a 16-colour device, for bitmaps that carry no colour table.
const QRgb kVga[16] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
                       0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

// A bitmap whose colour table holds palette indexes, made into one that holds the colours.
QByteArray withPaletteColours(const Bytes& dib, const std::vector<QColor>& palette)
{
    const quint32 header = dib.u32(0);
    const int bits = dib.u16(14);
    if (header < 40 || header > 124 || bits < 1 || bits > 8)
        return {};
    int count = int(std::min<quint32>(dib.u32(32), 256));
    if (count == 0 || count > (1 << bits))
        count = 1 << bits;
    if (!dib.has(header, qsizetype(count) * 2))
        return {};
    QByteArray out = dib.bytes(0, header);
    for (int i = 0; i < 4; ++i)
        out[32 + i] = char(i == 0 ? count & 0xFF : i == 1 ? count >> 8 : 0);
    for (int i = 0; i < count; ++i) {
        const int index = dib.u16(header + qsizetype(i) * 2);
        const QColor c = index < int(palette.size()) ? palette[size_t(index)] : QColor(Qt::black);
        out.append(char(c.blue())), out.append(char(c.green())), out.append(char(c.red())), out.append('\0');
    }
    return out + dib.bytes(header + qsizetype(count) * 2, dib.size - header - qsizetype(count) * 2);
}

constexpr int kSrcPaint = 0xEE; // source or picture
constexpr int kSrcAnd = 0x88;   // source and picture

bool isGrey(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(row[x]) != qGreen(row[x]) || qGreen(row[x]) != qBlue(row[x]))
                return false;
    }
    return true;
}

} // namespace

QImage decodeDib(const Bytes& dib, int colorUse, const std::vector<QColor>* palette)
{
    // Read by the same reader as bitmap files, behind a file header of our own.
    QByteArray raw = QByteArray::fromRawData(reinterpret_cast<const char*>(dib.data), dib.size);
    if (colorUse == 1) {
        if (!palette)
            return {};
        raw = withPaletteColours(dib, *palette);
    }
    const QByteArray file = bmpFileFromDib(raw);
    if (file.isEmpty())
        return {};
    return bmpFromBytes(file).convertToFormat(QImage::Format_RGB32);
}

// A device-dependent bitmap of Windows 3 (rows top down, word aligned). A two-colour one takes
// the text colour for its zeros and the background colour for its ones, when it is drawn.
QImage Player::bitmap16(const Bytes& b, bool forBrush) const
{
    const int width = b.w(1), height = b.w(2), stride = b.w(3);
    const int planes = b.has(8, 1) ? b.data[8] : 0, bpp = b.has(9, 1) ? b.data[9] : 0;
    const qsizetype bitsAt = forBrush ? 32 : 10;
    if (width <= 0 || height <= 0 || planes != 1 || qint64(width) * height > kMaxPicturePixels ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) || stride < (qint64(width) * bpp + 7) / 8 ||
        !b.has(bitsAt, qsizetype(stride) * height))
        return {};
    const bool indexed = bpp <= 8;
    QImage out(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (out.isNull())
        return {};
    if (bpp == 1) {
        out.setColorTable({m_dc.textColor.rgb(), m_dc.bkColor.rgb()});
    } else if (bpp == 4) {
        out.setColorTable(QVector<QRgb>(std::begin(kVga), std::end(kVga)));
    } else if (bpp == 8) {
        QVector<QRgb> table;
        const Object* pal = object(m_dc.palette, Object::PaletteObject);
        for (int i = 0; i < 256; ++i)
            table << (pal && i < int(pal->palette.size()) ? pal->palette[size_t(i)].rgb() : qRgb(i, i, i));
        out.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        const uchar* row = b.data + bitsAt + qsizetype(y) * stride;
        uchar* line = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            if (indexed) {
                const int bit = x * bpp;
                line[x] = uchar((row[bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1));
                continue;
            }
            QRgb c;
            if (bpp == 16) {
                const int v = row[2 * x] | (row[2 * x + 1] << 8);
                c = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
            } else {
                const uchar* px = row + x * (bpp / 8);
                c = qRgb(px[2], px[1], px[0]);
            }
            reinterpret_cast<QRgb*>(line)[x] = c;
        }
    }
    return out;
}

void Player::drawBitmap(const QImage& picture, bool bottomUp, quint32 rop, int xSrc, int ySrc, int srcW, int srcH, int xDst,
                        int yDst, int dstW, int dstH)
{
    if (picture.isNull() || srcW == 0 || srcH == 0 || !spend(qint64(picture.width()) * picture.height()))
        return;
    // A bottom-up bitmap counts its source rows from the bottom.
    const QRectF source(xSrc, bottomUp ? picture.height() - ySrc - srcH : ySrc, srcW, srcH);
    QImage part = picture.copy(source.normalized().toRect().intersected(picture.rect()));
    if (part.isNull())
        return;
    const bool flipX = (srcW < 0) != ((dstW * sx()) < 0);
    const bool flipY = (srcH < 0) != ((dstH * sy()) < 0);
    if (flipX || flipY)
        part = part.mirrored(flipX, flipY);
    const QRect target = pixelRect(xDst, yDst, double(xDst) + dstW, double(yDst) + dstH);
    const QRect visible = target.intersected(m_image.rect());
    if (visible.isEmpty() || !spend(qint64(visible.width()) * visible.height()))
        return;
    // Only the part that shows is scaled; a stretch blends only when the file asks for halftones.
    QImage shown(visible.size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    {
        QPainter sp(&shown);
        sp.setRenderHint(QPainter::SmoothPixmapTransform, m_dc.stretchMode == 4);
        sp.drawImage(QRectF(target.translated(-visible.topLeft())), part);
    }
    const int code = int((rop >> 16) & 0xFF);
    if (m_mask && code == kSrcAnd && m_mask->target == target) {
        const Mask mask = *std::exchange(m_mask, std::nullopt);
        return drawTransparent(visible, shown, mask.grey);
    }
    drawWaitingMask();
    if (code == kSrcPaint && isGrey(shown)) {
        m_mask = Mask{target, visible, shown};
        return;
    }
    blit(visible, &shown, rop);
}

void Player::drawWaitingMask()
{
    if (!m_mask)
        return;
    const Mask mask = *std::exchange(m_mask, std::nullopt);
    blit(mask.visible, &mask.grey, quint32(kSrcPaint) << 16);
}

// Each colour c over the picture d by its opacity a: c a + d (1 - a). A mask of only black and
// white gives what the two raster operations give (where it is clear the colours are white).
void Player::drawTransparent(const QRect& visible, const QImage& colours, const QImage& grey)
{
    if (!spend(qint64(visible.width()) * visible.height() + 16))
        return;
    applyClip();
    const QRegion where = m_dc.clipped ? m_dc.clip.intersected(visible) : QRegion(visible);
    for (const QRect& r : where) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* d = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            const auto* c = reinterpret_cast<const QRgb*>(colours.constScanLine(y - visible.top()));
            const auto* m = reinterpret_cast<const QRgb*>(grey.constScanLine(y - visible.top()));
            for (int x = r.left(); x <= r.right(); ++x) {
                const int a = qRed(m[x - visible.left()]);
                const QRgb over = c[x - visible.left()];
                const auto mix = [a](int c1, int d1) { return (c1 * a + d1 * (255 - a) + 127) / 255; };
                d[x] = qRgb(mix(qRed(over), qRed(d[x])), mix(qGreen(over), qGreen(d[x])), mix(qBlue(over), qBlue(d[x])));
            }
        }
    }
}

void Player::dibBitBlt(const Bytes& p)
{
    if (p.words() <= 9)
        return shortBlt(p, 5, p.u32(0));
    const Bytes dib = p.from(16);
    drawBitmap(decodeDib(dib), dib.u32(0) == 12 || dib.s32(8) > 0, p.u32(0), p.w(3), p.w(2), p.w(5), p.w(4), p.w(7),
               p.w(6), p.w(5), p.w(4));
}

void Player::dibStretchBlt(const Bytes& p)
{
    if (p.words() <= 11)
        return shortBlt(p, 7, p.u32(0));
    const Bytes dib = p.from(20);
    drawBitmap(decodeDib(dib), dib.u32(0) == 12 || dib.s32(8) > 0, p.u32(0), p.w(5), p.w(4), p.w(3), p.w(2), p.w(9),
               p.w(8), p.w(7), p.w(6));
}

void Player::stretchDib(const Bytes& p)
{
    const Bytes dib = p.from(22);
    const Object* pal = object(m_dc.palette, Object::PaletteObject);
    if (!spend(dib.size))
        return;
    drawBitmap(decodeDib(dib, p.u16(4), pal ? &pal->palette : nullptr), dib.u32(0) == 12 || dib.s32(8) > 0, p.u32(0),
               p.w(6), p.w(5), p.w(4), p.w(3), p.w(10), p.w(9), p.w(8), p.w(7));
}

void Player::bitBlt(const Bytes& p)
{
    if (p.words() <= 9)
        return shortBlt(p, 5, p.u32(0));
    drawBitmap(bitmap16(p.from(16), false), false, p.u32(0), p.w(3), p.w(2), p.w(5), p.w(4), p.w(7), p.w(6), p.w(5), p.w(4));
}

void Player::stretchBlt(const Bytes& p)
{
    if (p.words() <= 11)
        return shortBlt(p, 7, p.u32(0));
    drawBitmap(bitmap16(p.from(20), false), false, p.u32(0), p.w(5), p.w(4), p.w(3), p.w(2), p.w(9), p.w(8), p.w(7), p.w(6));
}

void Player::dibCreatePatternBrush(const Bytes& p)
{
    Object o;
    o.kind = Object::BrushObject;
    o.brush.style = 5;
    // A plain pattern always has colours in its table; the other kind may name palette entries.
    const int colorUse = p.u16(0) == 3 ? 0 : p.u16(2);
    const Object* pal = object(m_dc.palette, Object::PaletteObject);
    if (p.words() >= 2 && spend(p.size))
        o.brush.pattern = decodeDib(p.from(4), colorUse, pal ? &pal->palette : nullptr);
    if (o.brush.pattern.isNull())
        o.brush = Brush{}; // a pattern that cannot be read paints white, like an empty pattern
    create(o);
}

void Player::createPatternBrush(const Bytes& p)
{
    Object o;
    o.kind = Object::BrushObject;
    o.brush.style = 3;
    if (spend(p.size))
        o.brush.pattern = bitmap16(p, true);
    o.brush.mono = o.brush.pattern.format() == QImage::Format_Indexed8 && o.brush.pattern.colorCount() == 2;
    if (o.brush.pattern.isNull())
        o.brush = Brush{};
    create(o);
}

} // namespace wmf
