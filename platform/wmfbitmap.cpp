#include "platform/bmpreader.h"
#include "platform/wmfplayer.h"

namespace wmf {

QImage decodeDib(const Bytes& dib)
{
    // Read by the same reader as bitmap files, behind a file header of our own.
    const QByteArray file = bmpFileFromDib(QByteArray::fromRawData(reinterpret_cast<const char*>(dib.data), dib.size));
    if (file.isEmpty())
        return {};
    return bmpFromBytes(file).convertToFormat(QImage::Format_RGB32);
}

void Player::drawDib(const Bytes& dib, int xSrc, int ySrc, int srcW, int srcH, int xDst, int yDst, int dstW, int dstH)
{
    if (srcW == 0 || srcH == 0 || !spend(qint64(dib.size)))
        return;
    const QImage picture = decodeDib(dib);
    if (picture.isNull() || !spend(qint64(picture.width()) * picture.height()))
        return;
    // A bottom-up bitmap counts its source rows from the bottom.
    const bool bottomUp = dib.u32(0) == 12 || dib.s32(8) > 0;
    QRectF source(xSrc, bottomUp ? picture.height() - ySrc - srcH : ySrc, srcW, srcH);
    QImage part = picture.copy(source.normalized().toRect().intersected(picture.rect()));
    if (part.isNull())
        return;
    const bool flipX = (srcW < 0) != ((dstW * sx()) < 0);
    const bool flipY = (srcH < 0) != ((dstH * sy()) < 0);
    if (flipX || flipY)
        part = part.mirrored(flipX, flipY);
    const QRectF target = QRectF(map(xDst, yDst), map(double(xDst) + dstW, double(yDst) + dstH)).normalized();
    if (spendOn(target, 1, 0))
        m_painter.drawImage(target, part);
}

void Player::dibBitBlt(const Bytes& p)
{
    // The short form has no bitmap and only fills; it is not drawn.
    if (p.words() > 9)
        drawDib(p.from(16), p.w(3), p.w(2), p.w(5), p.w(4), p.w(7), p.w(6), p.w(5), p.w(4));
}

void Player::dibStretchBlt(const Bytes& p)
{
    if (p.words() > 11)
        drawDib(p.from(20), p.w(5), p.w(4), p.w(3), p.w(2), p.w(9), p.w(8), p.w(7), p.w(6));
}

void Player::stretchDib(const Bytes& p)
{
    // Colour tables of palette indexes need the file's palette, which is not kept.
    if (p.u16(4) == 0)
        drawDib(p.from(22), p.w(6), p.w(5), p.w(4), p.w(3), p.w(10), p.w(9), p.w(8), p.w(7));
}

void Player::dibCreatePatternBrush(const Bytes& p)
{
    Object o;
    o.kind = Object::BrushObject;
    o.brush.style = 5;
    if (p.words() >= 2 && p.u16(2) == 0 && spend(p.size))
        o.brush.pattern = decodeDib(p.from(4));
    if (o.brush.pattern.isNull())
        o.brush = Brush{}; // a pattern that cannot be read paints white, like an empty pattern
    create(o);
}

} // namespace wmf
