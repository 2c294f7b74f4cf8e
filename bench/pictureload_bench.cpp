// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Times picture loads that once stalled the programs, and the memory they take: a progressive
// JPEG whose last scan comes 2000 times (refused), a smaller one decoded by Qt as it is, and a
// 48-megapixel phone photo loaded as a 150 x 150 card. Each load runs in a process of its own;
// prints the median and best of several in milliseconds, and the most memory one added.
#include "platform/picture.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray jpeg(const QImage& image, bool progressive, int extraScans)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(85);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    const qsizetype lastScan = bytes.lastIndexOf("\xff\xda"), end = bytes.lastIndexOf("\xff\xd9");
    return bytes.left(end) + bytes.mid(lastScan, end - lastScan).repeated(extraScans) + bytes.mid(end);
}

// Grey blocks of 64 pixels: a progressive JPEG of it has a tiny last scan, as the scan bombs
// found in the wild do.
QImage blocks(int width, int height)
{
    QImage img(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.scanLine(y)[x] = uchar((x / 64 + y / 64) % 2 ? 200 : 40);
    return img;
}

QImage photo(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* line = img.scanLine(y);
        for (int x = 0; x < width; ++x) {
            line[3 * x] = uchar(x * 255 / width);
            line[3 * x + 1] = uchar(y * 255 / height);
            line[3 * x + 2] = uchar(((x / 97) ^ (y / 89)) * 37);
        }
    }
    return img;
}

// Peak and present resident memory of this process, in kilobytes.
long statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    return 0;
}

// One load in a process of its own, so the memory it adds is its own: "ms kilobytes result".
QString loadOnce(const QString& path, QSize shown, bool raw)
{
    const long before = statusKb("VmHWM:");
    QElapsedTimer t;
    t.start();
    QString result;
    if (raw) {
        QImageReader reader(path);
        reader.setScaledSize(shown);
        const QImage img = reader.read();
        result = QStringLiteral("%1 x %2").arg(img.width()).arg(img.height());
    } else {
        QString why;
        const QImage img = loadPicture(path, &why, shown);
        result = img.isNull() ? why.section(QLatin1String("' "), 1) : QStringLiteral("%1 x %2").arg(img.width()).arg(img.height());
    }
    return QStringLiteral("%1 %2 %3").arg(double(t.nsecsElapsed()) / 1e6).arg(statusKb("VmHWM:") - before).arg(result);
}

void measure(const char* what, int runs, const QString& path, QSize shown, bool raw = false)
{
    std::vector<double> ms;
    long added = 0;
    QString result;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--load"), path, QString::number(shown.width()), QString::number(shown.height()),
                 raw ? QStringLiteral("raw") : QStringLiteral("loader")});
        p.waitForFinished(-1);
        const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        ms.push_back(out.section(QLatin1Char(' '), 0, 0).toDouble());
        added = std::max(added, out.section(QLatin1Char(' '), 1, 1).toLong());
        result = out.section(QLatin1Char(' '), 2);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-50s median %8.1f ms  best %8.1f ms  peak +%.1f MB  (%s)\n", what, ms[ms.size() / 2], ms.front(), added / 1024.0,
                qPrintable(result.left(90)));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("--load")) {
        std::printf("%s\n", qPrintable(loadOnce(args[2], QSize(args[3].toInt(), args[4].toInt()), args[5] == QLatin1String("raw"))));
        return 0;
    }
    QTemporaryDir dir;
    const QString bomb = dir.filePath(QStringLiteral("bomb.jpg")), small = dir.filePath(QStringLiteral("bomb-small.jpg"));
    const QString phone = dir.filePath(QStringLiteral("phone.jpg"));
    {
        QFile f(bomb);
        if (f.open(QIODevice::WriteOnly))
            f.write(jpeg(blocks(5600, 5600), true, 2000));
        QFile s(small);
        if (s.open(QIODevice::WriteOnly))
            s.write(jpeg(blocks(1000, 1000), true, 200));
        QFile p(phone);
        if (p.open(QIODevice::WriteOnly))
            p.write(jpeg(photo(8000, 6000), false, 0));
    }
    std::printf("files: scan bomb %lld KB (5600 x 5600, 2006 scans), small bomb %lld KB (1000 x 1000, 206 scans), "
                "phone photo %lld KB (8000 x 6000)\n",
                QFile(bomb).size() / 1024, QFile(small).size() / 1024, QFile(phone).size() / 1024);
    measure("scan bomb as a thumbnail (refused)", 9, bomb, QSize(33, 33));
    measure("small bomb decoded by Qt as it is (no scan count)", 3, small, QSize(33, 33), true);
    measure("48-megapixel phone photo as a 150 x 150 card", 9, phone, QSize(150, 150));
    measure("48-megapixel phone photo at its own size", 3, phone, QSize());
    return 0;
}
