// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/bmpreader.h"

#include "platform/picture.h"

#include <QBuffer>
#include <QImageReader>
#include <bit>
#include <limits>

namespace {

enum : quint32 { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpegOrRle24 = 4, kPng = 5, kAlphaBitFields = 6 };

quint32 le(const QByteArray& b, qsizetype at, int n)
{
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | (at + i < b.size() ? quint8(b[at + i]) : 0);
    return v;
}

void put32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

qint64 rowBytes(qint64 width, int bits) { return (width * bits + 31) / 32 * 4; }

bool ownDecoding(const BmpHeader& h)
{
    // Qt's mask reading is wrong for channels wider than 8 bits and scales 5-bit ones short of
    // white, so every 16 and 32-bit bitmap is read here.
    return h.bits == 16 || h.bits == 32;
}

// Headers that Qt does not know; their bitmaps are handed to it behind a plain 40-byte header.
bool unknownToQt(const BmpHeader& h) { return h.headerSize != 12 && h.headerSize != 40 && h.headerSize != 64 && h.headerSize < 108; }

struct Channel {
    int shift = 0;
    quint64 max = 0;
    explicit Channel(quint32 mask) : shift(mask ? std::countr_zero(mask) : 0), max(mask >> shift) {}
    int operator()(quint32 v, quint32 mask, int absent) const
    {
        return max ? int((quint64((v & mask) >> shift) * 255 + max / 2) / max) : absent;
    }
};

QImage decodeMasked(const QByteArray& file, const BmpHeader& h)
{
    const int width = h.size.width(), rows = h.size.height();
    const qint64 stride = rowBytes(width, h.bits);
    if (h.pixelsAt + stride * rows > file.size())
        return {};
    const bool alpha = h.masks[3] != 0;
    QImage image(width, rows, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), opacity(h.masks[3]);
    const auto* data = reinterpret_cast<const uchar*>(file.constData());
    bool seen = false; // any pixel that is not fully transparent
    for (int y = 0; y < rows; ++y) {
        const uchar* src = data + h.pixelsAt + (h.topDown ? y : rows - 1 - y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 v = h.bits == 16 ? quint32(src[2 * x] | (src[2 * x + 1] << 8))
                                           : quint32(src[4 * x]) | (quint32(src[4 * x + 1]) << 8) |
                                                 (quint32(src[4 * x + 2]) << 16) | (quint32(src[4 * x + 3]) << 24);
            const int a = opacity(v, h.masks[3], 255);
            seen = seen || a != 0;
            out[x] = qRgba(red(v, h.masks[0], 0), green(v, h.masks[1], 0), blue(v, h.masks[2], 0), a);
        }
    }
    // Writers that fill the alpha byte with zeros mean an opaque picture, as Windows shows it.
    if (alpha && !seen) {
        for (int y = 0; y < rows; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] |= 0xFF000000u;
        }
        image = std::move(image).convertToFormat(QImage::Format_RGB32);
    }
    return image;
}

// The same bitmap behind a 40-byte header and a colour table of four-byte entries.
QByteArray withPlainHeader(const QByteArray& file, const BmpHeader& h)
{
    QByteArray out("BM");
    out.append(QByteArray(12 + 40, '\0'));
    put32(out, 14, 40);
    put32(out, 18, quint32(h.size.width()));
    put32(out, 22, quint32(h.topDown ? -h.size.height() : h.size.height()));
    out[26] = 1;
    out[28] = char(h.bits);
    put32(out, 30, h.compression);
    put32(out, 46, quint32(h.tableEntries));
    for (int i = 0; i < h.tableEntries; ++i) {
        const qsizetype at = h.tableAt + qsizetype(i) * h.entrySize;
        out.append(file.mid(at, 3).leftJustified(3, '\0'));
        out.append('\0');
    }
    put32(out, 10, quint32(out.size()));
    out.append(file.mid(h.pixelsAt));
    put32(out, 2, quint32(out.size()));
    return out;
}

QImage scaledAsReader(QImage image, const QImageReader& reader)
{
    // What QImageReader does for a format that cannot scale while decoding.
    if (!image.isNull() && reader.scaledSize().isValid() && reader.scaledSize() != image.size())
        return image.scaled(reader.scaledSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

BmpHeader bmpHeader(const QByteArray& head)
{
    BmpHeader h;
    if (!head.startsWith("BM"))
        return h;
    h.isBmp = true;
    if (head.size() < 18)
        return h;
    h.headerSize = int(le(head, 14, 4));
    const qint64 offBits = le(head, 10, 4);
    qint64 width = 0, height = 0;
    int planes = 1;
    if (h.headerSize == 12) {
        // OS/2 1.x and Windows 2: 16-bit sizes, three-byte colour table entries.
        width = le(head, 18, 2);
        height = le(head, 20, 2);
        planes = int(le(head, 22, 2));
        h.bits = int(le(head, 24, 2));
        h.entrySize = 3;
    } else if (h.headerSize >= 16 && h.headerSize <= 124 && (h.headerSize <= 64 || h.headerSize == 108 || h.headerSize == 124)) {
        width = qint32(le(head, 18, 4));
        height = qint32(le(head, 22, 4));
        planes = int(le(head, 26, 2));
        h.bits = int(le(head, 28, 2));
        if (h.headerSize >= 20)
            h.compression = le(head, 30, 4);
        if (h.headerSize >= 36)
            h.tableEntries = int(std::min<quint32>(le(head, 46, 4), 1u << 16));
        h.os2 = h.headerSize != 40 && h.headerSize != 52 && h.headerSize != 56 && h.headerSize <= 64;
    } else {
        h.problem = QStringLiteral("its header is of a kind no bitmap has (%1 bytes)").arg(h.headerSize);
        return h;
    }
    if (head.size() < 14 + std::min(h.headerSize, 40)) {
        // Too short to say more, but enough to call it cut off rather than unreadable.
        h.promisedBytes = std::max<qint64>(le(head, 2, 4), 14 + h.headerSize);
        return h;
    }
    h.topDown = height < 0;
    const qint64 rows = std::abs(height);
    h.size = QSize(int(std::min<qint64>(width, INT_MAX)), int(std::min<qint64>(rows, INT_MAX)));

    if (width <= 0 || rows == 0) {
        h.problem = QStringLiteral("its header gives no pixels (%1 x %2)").arg(width).arg(height);
        return h;
    }
    if (planes != 1) {
        h.problem = QStringLiteral("its header gives %1 colour planes where a bitmap has 1").arg(planes);
        return h;
    }
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32) {
        h.problem = QStringLiteral("its header gives %1 bits per pixel where a bitmap has 1, 4, 8, 16, 24 or 32").arg(h.bits);
        return h;
    }
    const quint32 c = h.compression;
    const bool rle = c == kRle8 || c == kRle4;
    if (h.os2 && c == kBitFields) {
        h.problem = QStringLiteral("it is coded with OS/2's Huffman coding, which this program cannot read");
        return h;
    }
    if (h.os2 && c == kJpegOrRle24) {
        h.problem = QStringLiteral("it is coded with OS/2's 24-bit run-length coding, which this program cannot read");
        return h;
    }
    if (c == kJpegOrRle24 || c == kPng) {
        h.problem = QStringLiteral("it holds a %1 picture inside, which this program does not read from a bitmap")
                        .arg(c == kPng ? QStringLiteral("PNG") : QStringLiteral("JPEG"));
        return h;
    }
    if (c > kAlphaBitFields || (h.os2 && c == kAlphaBitFields)) {
        h.problem = QStringLiteral("its header gives a compression no bitmap has (%1)").arg(c);
        return h;
    }
    if ((c == kRle8 && h.bits != 8) || (c == kRle4 && h.bits != 4) ||
        ((c == kBitFields || c == kAlphaBitFields) && h.bits != 16 && h.bits != 32)) {
        h.problem = QStringLiteral("its header gives a compression (%1) that %2-bit bitmaps cannot have").arg(c).arg(h.bits);
        return h;
    }
    if (rle && h.topDown) {
        h.problem = QStringLiteral("it is run-length coded and top-down, which no bitmap can be");
        return h;
    }

    // Colour masks: defaults for plain 16 and 32-bit pixels, after a 40-byte header, or inside
    // the longer headers.
    qint64 masksEnd = 14 + h.headerSize;
    if (h.bits == 16 || h.bits == 32) {
        if (c == kRgb) {
            if (h.bits == 16) {
                h.masks[0] = 0x7C00;
                h.masks[1] = 0x03E0;
                h.masks[2] = 0x001F;
            } else {
                h.masks[0] = 0xFF0000;
                h.masks[1] = 0x00FF00;
                h.masks[2] = 0x0000FF;
            }
        } else {
            // After a 40-byte header, or inside the longer ones at the same place.
            const int count = c == kAlphaBitFields ? 4 : 3;
            const int present = h.headerSize == 40 ? count : h.headerSize >= 108 ? 4 : (h.headerSize - 40) / 4;
            if (h.headerSize == 40)
                masksEnd += 4 * count;
            for (int i = 0; i < present; ++i)
                h.masks[i] = le(head, 14 + 40 + 4 * i, 4);
            if (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) {
                h.problem = QStringLiteral("its colour masks are all empty");
                return h;
            }
        }
    }

    h.tableAt = masksEnd;
    if (h.bits <= 8) {
        const int most = 1 << h.bits;
        if (h.tableEntries == 0 || h.tableEntries > most)
            h.tableEntries = most;
    }
    const qint64 tableEnd = h.tableAt + qint64(h.tableEntries) * h.entrySize;
    h.pixelsAt = offBits >= 14 + h.headerSize ? offBits : tableEnd;
    // Rows of a header's widest kind would count past 64 bits: the promise is then all there is.
    const qint64 stride = rowBytes(width, h.bits), room = std::numeric_limits<qint64>::max() - h.pixelsAt;
    h.promisedBytes = h.pixelsAt + (rle ? 2 : rows > room / stride ? room : rows * stride);
    return h;
}

QImage bmpRead(QImageReader& reader, const BmpHeader& h)
{
    QIODevice* device = reader.device();
    if (!h.isBmp || !h.problem.isEmpty() || !h.size.isValid())
        return reader.read();
    if (ownDecoding(h) || unknownToQt(h)) {
        if (!device || !device->seek(0))
            return {};
        // Compressed files have no promised length; they are read to their end.
        const qint64 most = h.compression == kRle8 || h.compression == kRle4 ? device->size() : h.promisedBytes;
        const QByteArray file = device->read(most);
        if (ownDecoding(h))
            return scaledAsReader(decodeMasked(file, h), reader);
        QByteArray plain = withPlainHeader(file, h);
        QBuffer buffer(&plain);
        buffer.open(QIODevice::ReadOnly);
        QImageReader inner(&buffer, "bmp");
        inner.setScaledSize(reader.scaledSize());
        BmpHeader again = bmpHeader(plain.left(kBmpHeadBytes));
        return bmpRead(inner, again);
    }
    if (h.compression == kRle8 || h.compression == kRle4) {
        // Qt decodes into the image it is given when size and format fit, so pixels that the
        // codes skip keep this colour instead of leftover memory.
        QImage image(h.size, QImage::Format_Indexed8);
        if (image.isNull())
            return {};
        image.fill(0);
        if (!reader.read(&image))
            return {};
        return image;
    }
    return reader.read();
}

QImage bmpFromBytes(const QByteArray& file, QString* why)
{
    auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return QImage();
    };
    const BmpHeader h = bmpHeader(file.left(kBmpHeadBytes));
    if (!h.isBmp)
        return fail(QStringLiteral("it is not a bitmap"));
    if (!h.problem.isEmpty())
        return fail(h.problem);
    if (!h.size.isValid() || file.size() < 14 + qint64(h.headerSize))
        return fail(QStringLiteral("its header is cut short"));
    if (qint64(h.size.width()) * h.size.height() > kMaxPicturePixels)
        return fail(QStringLiteral("it is too large (%1 x %2 pixels)").arg(h.size.width()).arg(h.size.height()));
    if (h.promisedBytes > file.size())
        return fail(QStringLiteral("it is cut off (%1 of its %2 bytes)").arg(file.size()).arg(h.promisedBytes));
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QImage image = bmpRead(reader, h);
    if (image.isNull())
        return fail(QStringLiteral("its pixels cannot be read"));
    return image;
}

QByteArray bmpFileFromDib(const QByteArray& dib)
{
    QByteArray file("BM");
    file.append(QByteArray(12, '\0'));
    file.append(dib);
    put32(file, 2, quint32(file.size()));
    const BmpHeader h = bmpHeader(file.left(kBmpHeadBytes));
    if (!h.size.isValid() || !h.problem.isEmpty())
        return {};
    // Without a file header the pixels follow the colour table directly.
    const qint64 pixelsAt = h.tableAt + qint64(h.tableEntries) * h.entrySize;
    put32(file, 10, quint32(pixelsAt));
    return file;
}
