// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/picture.h"

#include "platform/bmpreader.h"
#include "platform/files.h"
#include "platform/jpegheader.h"
#include "platform/wmf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <climits>

namespace {
QHash<QString, PictureReader>& readers()
{
    // Metafiles are always readable, so no caller has to register them first.
    static QHash<QString, PictureReader> r{{QStringLiteral("wmf"), &wmfRead}};
    return r;
}

quint32 le(const QByteArray& b, int at, int n)
{
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// What is wrong with the start of a GIF, empty when it is as a GIF's is: the logical screen, its
// colour table, then a block. Without this, a file that only starts with the signature claims a
// size from whatever bytes follow it, and is refused as too large.
QString gifProblem(QFile& file)
{
    const QByteArray head = file.peek(13 + 768 + 1);
    if (!head.startsWith("GIF87a") && !head.startsWith("GIF89a"))
        return {};
    if (head.size() < 14)
        return QStringLiteral("the GIF ends inside its header");
    const int flags = quint8(head[10]);
    const int table = flags & 0x80 ? 3 << ((flags & 7) + 1) : 0;
    if (head.size() <= 13 + table)
        return QStringLiteral("the GIF ends inside its colour table");
    const char block = head[13 + table];
    if (block != 0x21 && block != 0x2C && block != 0x3B)
        return QStringLiteral("the GIF's header is followed by no picture");
    return {};
}

// The size a bitmap or GIF file claims, read from its header, so that a lying header is refused
// before Qt tries to allocate it; invalid when the header says nothing useful. A JPEG's comes
// from readJpegHeader.
QSize claimedSize(QFile& file)
{
    const QByteArray head = file.peek(kBmpHeadBytes);
    if (const BmpHeader bmp = bmpHeader(head); bmp.isBmp)
        return bmp.size;
    if (head.size() >= 10 && (head.startsWith("GIF87a") || head.startsWith("GIF89a")))
        return QSize(int(le(head, 6, 2)), int(le(head, 8, 2)));
    return {};
}

// The size libjpeg decodes a JPEG at when Qt's reader is asked for scaled: a whole number of
// eighths, the fewest that still cover scaled (as Qt's JPEG reader picks them).
QSize jpegDecodedSize(QSize stored, QSize scaled)
{
    const double f = std::min(double(stored.width()) / scaled.width(), double(stored.height()) / scaled.height());
    const int eighths = std::clamp(int(std::ceil(8 / f)), 1, 8);
    return QSize(int((qint64(stored.width()) * eighths + 7) / 8), int((qint64(stored.height()) * eighths + 7) / 8));
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Every picture loaded and still held counts against one budget, so a theme of many huge
// pictures gets a message instead of taking all the memory there is.
std::atomic<qint64> g_heldBytes{0};
qint64 g_budget = kPictureBudgetBytes;

bool pictureBudgetAllows(qint64 bytes) { return g_heldBytes.load() + bytes <= g_budget; }

QString budgetMessage(const QString& path)
{
    return QStringLiteral("Picture '%1' is not loaded: the pictures held take %2 MB, and all of them together may take %3 MB.")
        .arg(path)
        .arg(g_heldBytes.load() / (1024 * 1024))
        .arg(g_budget / (1024 * 1024));
}

void release(void* holder)
{
    auto* image = static_cast<QImage*>(holder);
    g_heldBytes -= image->sizeInBytes();
    delete image;
}

QByteArray formatOfFirstBytes(const QByteArray& head)
{
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    return {};
}

// The same pixels in an image whose last copy gives its bytes back to the budget.
QImage tracked(QImage img, const QString& path, QString* error)
{
    if (!pictureBudgetAllows(img.sizeInBytes())) {
        setError(error, budgetMessage(path));
        return {};
    }
    auto* holder = new QImage(std::move(img));
    g_heldBytes += holder->sizeInBytes();
    QImage shared(holder->bits(), holder->width(), holder->height(), holder->bytesPerLine(), holder->format(), release, holder);
    shared.setColorTable(holder->colorTable());
    shared.setDotsPerMeterX(holder->dotsPerMeterX());
    shared.setDotsPerMeterY(holder->dotsPerMeterY());
    return shared;
}
}

qint64 pictureBytesHeld() { return g_heldBytes.load(); }
void setPictureBudgetForTests(qint64 bytes) { g_budget = bytes > 0 ? bytes : kPictureBudgetBytes; }

void registerPictureReader(const QString& extension, PictureReader reader)
{
    readers().insert(extension.toLower(), reader);
}

QImage loadPicture(const QString& rawPath, QString* error, QSize shown, bool* found)
{
    const QString path = resolvePath(rawPath);
    const QFileInfo info(path);
    QFile file;
    QString why;
    if (!openRegularFile(file, path, FileKind::Picture, &why, found)) {
        setError(error, QStringLiteral("Picture '%1' %2.").arg(path, why));
        return {};
    }
    const QString ext = info.suffix().toLower();
    if (const auto it = readers().constFind(ext); it != readers().constEnd()) {
        const QByteArray bytes = file.read(64LL * 1024 * 1024);
        QString readWhy;
        QImage img = (*it)(bytes, &readWhy, shown);
        if (img.isNull()) {
            setError(error, QStringLiteral("Picture '%1' is not a picture this program can read%2")
                                .arg(path, readWhy.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + readWhy));
            return img;
        }
        return tracked(std::move(img), path, error);
    }
    // Qt refuses larger allocations itself; together with the size check above no picture file
    // can make the program take more memory than a big canvas does.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(128);
        return true;
    }();
    (void)limited;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    // Qt reads a BMP cut short without complaint and leaves the missing rows as whatever memory
    // held, so such a file is refused here, as is a header no bitmap or GIF has.
    const BmpHeader bmp = bmpHeader(file.peek(kBmpHeadBytes));
    if (const QString problem = bmp.problem.isEmpty() ? gifProblem(file) : bmp.problem; !problem.isEmpty()) {
        setError(error, QStringLiteral("Picture '%1' is not a picture this program can read: %2.").arg(path, problem));
        return {};
    }
    // The format its first bytes name: otherwise Qt loads every picture plugin to ask each
    // whether it can read the file, a few milliseconds at each start.
    if (const QByteArray format = formatOfFirstBytes(file.peek(8)); !format.isEmpty()) {
        reader.setDecideFormatFromContent(false);
        reader.setAutoDetectImageFormat(false);
        reader.setFormat(format);
    }
    // Phone photos say in their EXIF data which way up they were taken.
    reader.setAutoTransform(true);
    const JpegHeader jpeg = readJpegHeader(file);
    QSize size = jpeg.isJpeg ? jpeg.size : claimedSize(file);
    if (!size.isValid())
        size = reader.size();
    if (jpeg.isJpeg && size.isValid()) {
        // Each scan of a progressive JPEG makes the decoder go over the whole picture again.
        const qint64 pixels = std::max<qint64>(1, qint64(size.width()) * size.height());
        const int allowed = int(std::clamp<qint64>(kMaxJpegScanPixels / pixels, 1, kMaxJpegScans));
        if (jpeg.scans > allowed) {
            setError(error, QStringLiteral("Picture '%1' is not read: it is a JPEG of more than %2 scans, and each scan draws all "
                                           "of its %3 x %4 pixels again (a photo has about ten).")
                                .arg(path).arg(allowed).arg(size.width()).arg(size.height()));
            return {};
        }
    }
    // Large enough to cover what is shown, so stretching it loses nothing. The reader scales the
    // picture as it is stored, before turning it upright.
    const QSize stored = size;
    QSize decoded = size;
    if (shown.isValid() && size.isValid()) {
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            shown.transpose();
        if (size.width() > shown.width() || size.height() > shown.height()) {
            const QSize scaled = size.scaled(shown, Qt::KeepAspectRatioByExpanding).boundedTo(size).expandedTo(QSize(1, 1));
            reader.setScaledSize(scaled);
            // A baseline JPEG is decoded straight at a fraction of its size; anything else holds
            // its own size while it is decoded (a progressive JPEG in its coefficients).
            decoded = jpeg.isJpeg && !jpeg.progressive ? jpegDecodedSize(size, scaled) : size;
            size = scaled;
        }
    }
    if (decoded.isValid() && qint64(decoded.width()) * decoded.height() > kMaxPicturePixels) {
        setError(error, QStringLiteral("Picture '%1' is too large (%2 x %3 pixels).")
                            .arg(path).arg(stored.width()).arg(stored.height()));
        return {};
    }
    if (bmp.promisedBytes > file.size()) {
        setError(error, QStringLiteral("Picture '%1' is cut off (%2 of its %3 bytes).").arg(path).arg(file.size()).arg(bmp.promisedBytes));
        return {};
    }
    if (size.isValid() && !pictureBudgetAllows(qint64(size.width()) * size.height() * 4)) {
        setError(error, budgetMessage(path));
        return {};
    }
    QImage img = bmp.isBmp ? bmpRead(reader, bmp) : reader.read();
    if (img.isNull()) {
        setError(error, QStringLiteral("Picture '%1' is not a picture this program can read (%2).")
                            .arg(path, reader.errorString()));
        return {};
    }
    return tracked(std::move(img), path, error);
}
