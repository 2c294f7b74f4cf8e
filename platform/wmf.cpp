// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/wmf.h"

#include "platform/wmfplayer.h"

#include <cmath>

// Not libwmf: that is old C with a history of security fixes, and a child's colouring pictures
// need only the drawing records the player knows.

using namespace wmf;

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

QImage wmfRead(const QByteArray& raw, QString* error, QSize shown)
{
    Bytes bytes{reinterpret_cast<const uchar*>(raw.constData()), raw.size()};
    qsizetype at = 0;
    bool placeable = false;
    QRect box;
    int inch = 1440;
    if (bytes.u32(0) == kPlaceableKey) {
        if (!bytes.has(0, kPlaceableSize)) {
            setError(error, QStringLiteral("the metafile header is cut short"));
            return {};
        }
        placeable = true;
        box = QRect(QPoint(bytes.s16(6), bytes.s16(8)), QPoint(bytes.s16(10), bytes.s16(12)));
        if (bytes.u16(14) != 0)
            inch = bytes.u16(14);
        at = kPlaceableSize;
    }
    const quint16 type = bytes.u16(at), headerWords = bytes.u16(at + 2);
    if (!bytes.has(at, kHeaderSize) || (type != 1 && type != 2) || headerWords != 9) {
        setError(error, QStringLiteral("it is not a Windows metafile"));
        return {};
    }
    const int objects = bytes.u16(at + 10);
    const qsizetype firstRecord = at + kHeaderSize;

    // Walks the records once to check their sizes and to find the size of a plain metafile.
    QPointF org, ext;
    bool haveExt = false;
    qsizetype end = firstRecord;
    for (qsizetype pos = firstRecord; pos < bytes.size;) {
        if (!bytes.has(pos, 6)) {
            setError(error, QStringLiteral("the metafile is cut short at byte %1").arg(pos));
            return {};
        }
        const qint64 recordBytes = qint64(bytes.u32(pos)) * 2;
        const quint16 function = bytes.u16(pos + 4);
        if (recordBytes < 6) {
            setError(error, QStringLiteral("the metafile has a broken record at byte %1").arg(pos));
            return {};
        }
        if (!bytes.has(pos, recordBytes)) {
            setError(error, QStringLiteral("the metafile is cut short at byte %1").arg(pos));
            return {};
        }
        if (function == META_EOF) {
            end = pos;
            break;
        }
        if (!haveExt && function == META_SETWINDOWEXT && recordBytes >= 10 && bytes.s16(pos + 6) != 0 &&
            bytes.s16(pos + 8) != 0) {
            ext = QPointF(bytes.s16(pos + 8), bytes.s16(pos + 6));
            haveExt = true;
        }
        if (!haveExt && function == META_SETWINDOWORG && recordBytes >= 10)
            org = QPointF(bytes.s16(pos + 8), bytes.s16(pos + 6));
        pos += recordBytes;
        end = pos;
    }

    // The picture's own size: the bounding box at 96 pixels to the inch, or one pixel for each
    // logical unit of the window of a plain metafile.
    Frame frame;
    double width = 0, height = 0;
    if (placeable) {
        frame.org = QPointF(box.left(), box.top());
        frame.ext = QPointF(double(box.right()) - box.left(), double(box.bottom()) - box.top());
        width = std::abs(frame.ext.x()) * kWmfPixelsPerInch / inch;
        height = std::abs(frame.ext.y()) * kWmfPixelsPerInch / inch;
    } else {
        if (!haveExt) {
            setError(error, QStringLiteral("the metafile gives no size (it has no placeable header and no window extent)"));
            return {};
        }
        frame.org = org;
        frame.ext = ext;
        width = std::abs(ext.x());
        height = std::abs(ext.y());
    }
    if (qRound64(width) < 1 || qRound64(height) < 1 || frame.ext.x() == 0 || frame.ext.y() == 0) {
        setError(error, QStringLiteral("the metafile has an empty size"));
        return {};
    }
    // Drawn at the size it is shown, or its own; never beyond the largest side allowed, which a
    // picture too large is drawn down to.
    QSizeF size = shown.isValid() && !shown.isEmpty() ? QSizeF(shown) : QSizeF(width, height);
    if (size.width() > kWmfMaxSide || size.height() > kWmfMaxSide)
        size = size.scaled(kWmfMaxSide, kWmfMaxSide, Qt::KeepAspectRatio);
    const QSize pixels(std::max(1, int(std::round(size.width()))), std::max(1, int(std::round(size.height()))));
    frame.pixelScale = std::min(pixels.width() / width, pixels.height() / height);

    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("there is not enough memory for a %1 x %2 picture").arg(pixels.width()).arg(pixels.height()));
        return {};
    }
    image.fill(Qt::white);
    // Painted at 72 dots to the inch, where a font's point is a pixel, so text sizes are exact.
    const int dpmX = image.dotsPerMeterX(), dpmY = image.dotsPerMeterY();
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    {
        Player player(image, frame, objects);
        for (qsizetype pos = firstRecord; pos < end && !player.exhausted();) {
            const qsizetype recordBytes = qsizetype(bytes.u32(pos)) * 2;
            player.play(bytes.u16(pos + 4), Bytes{bytes.data + pos + 6, recordBytes - 6});
            pos += recordBytes;
        }
        player.finish();
        if (player.exhausted()) {
            setError(error, QStringLiteral("the metafile draws far more than its picture needs"));
            return {};
        }
    }
    image.setDotsPerMeterX(dpmX);
    image.setDotsPerMeterY(dpmY);
    return image;
}
