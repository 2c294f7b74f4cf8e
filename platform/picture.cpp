// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/picture.h"

#include "platform/bmpreader.h"
#include "platform/files.h"
#include "platform/wmf.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <atomic>
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

// The size a picture file claims, read from its header, so that a lying header is refused before
// Qt tries to allocate it; invalid when the header says nothing useful.
QSize claimedSize(QFile& file)
{
    const QByteArray head = file.peek(64 * 1024);
    if (const BmpHeader bmp = bmpHeader(head.left(kBmpHeadBytes)); bmp.isBmp)
        return bmp.size;
    if (head.size() >= 10 && (head.startsWith("GIF87a") || head.startsWith("GIF89a")))
        return QSize(int(le(head, 6, 2)), int(le(head, 8, 2)));
    if (head.size() >= 4 && quint8(head[0]) == 0xFF && quint8(head[1]) == 0xD8) {
        // Walk the JPEG markers to the first frame header.
        int i = 2;
        while (i + 9 < head.size()) {
            if (quint8(head[i]) != 0xFF) {
                ++i;
                continue;
            }
            const int marker = quint8(head[i + 1]);
            const int length = (quint8(head[i + 2]) << 8) | quint8(head[i + 3]);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return QSize((quint8(head[i + 7]) << 8) | quint8(head[i + 8]), (quint8(head[i + 5]) << 8) | quint8(head[i + 6]));
            if (length < 2)
                break;
            i += 2 + length;
        }
    }
    return {};
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
        QString why;
        QImage img = (*it)(bytes, &why, shown);
        if (img.isNull()) {
            setError(error, QStringLiteral("Picture '%1' is not a picture this program can read%2")
                                .arg(path, why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why));
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
    // held, so such a file is refused here, as is a header no bitmap has.
    const BmpHeader bmp = bmpHeader(file.peek(kBmpHeadBytes));
    if (!bmp.problem.isEmpty()) {
        setError(error, QStringLiteral("Picture '%1' is not a picture this program can read: %2.").arg(path, bmp.problem));
        return {};
    }
    QSize size = claimedSize(file);
    if (!size.isValid())
        size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        setError(error, QStringLiteral("Picture '%1' is too large (%2 x %3 pixels).")
                            .arg(path).arg(size.width()).arg(size.height()));
        return {};
    }
    if (bmp.promisedBytes > file.size()) {
        setError(error, QStringLiteral("Picture '%1' is cut off (%2 of its %3 bytes).").arg(path).arg(file.size()).arg(bmp.promisedBytes));
        return {};
    }
    // Large enough to cover what is shown, so stretching it loses nothing.
    if (shown.isValid() && size.isValid() && (size.width() > shown.width() || size.height() > shown.height())) {
        size = size.scaled(shown, Qt::KeepAspectRatioByExpanding).boundedTo(size).expandedTo(QSize(1, 1));
        reader.setScaledSize(size);
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
