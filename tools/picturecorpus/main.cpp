// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Writes the picture corpus, draws pictures as the programs do, and fingerprints their pixels.
//   picturecorpus write FOLDER             the bitmaps and metafiles of the corpus, in FOLDER
//   picturecorpus draw FOLDER FILE...      each FILE as FOLDER/FILE.png, drawn by loadPicture
//                                          (--shown WxH first: at the size it is shown)
//   picturecorpus hash FILE...             one line a file: its size and a digest of its pixels
//   picturecorpus compare FILE REFERENCE   how far FILE, drawn by loadPicture, is from the
//                                          reference picture (picturecompare.h)
#include "bitmapcorpus.h"
#include "metafilecorpus.h"
#include "picturecompare.h"
#include "platform/picture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {
bool put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QSize shown;
    if (args.size() >= 2 && args[0] == QLatin1String("--shown")) {
        shown = QSize(args[1].section(QLatin1Char('x'), 0, 0).toInt(), args[1].section(QLatin1Char('x'), 1).toInt());
        args = args.mid(2);
    }
    const QString command = args.value(0);
    if (command == QLatin1String("write") && args.size() == 2) {
        const QString folder = args[1];
        QDir().mkpath(folder);
        for (const BitmapVariant& v : bitmapVariants())
            if (!put(folder + QLatin1Char('/') + v.name, bmpWrite(v.image, v.kind)))
                return 1;
        for (const MetafileSample& s : metafileSamples())
            if (!put(folder + QLatin1Char('/') + s.name, s.bytes))
                return 1;
        return 0;
    }
    if (command == QLatin1String("draw") && args.size() >= 3) {
        QDir().mkpath(args[1]);
        for (const QString& file : args.mid(2)) {
            QString why;
            const QImage img = loadPicture(file, &why, shown);
            if (img.isNull())
                std::printf("%s: %s\n", qPrintable(file), qPrintable(why));
            else
                img.save(args[1] + QLatin1Char('/') + QFileInfo(file).fileName() + QStringLiteral(".png"));
        }
        return 0;
    }
    if (command == QLatin1String("hash") && args.size() >= 2) {
        for (const QString& file : args.mid(1)) {
            QString why;
            const QImage img = loadPicture(file, &why).convertToFormat(QImage::Format_ARGB32);
            if (img.isNull()) {
                std::printf("%s refused: %s\n", qPrintable(QFileInfo(file).fileName()), qPrintable(why));
                continue;
            }
            QCryptographicHash digest(QCryptographicHash::Sha1);
            for (int y = 0; y < img.height(); ++y)
                digest.addData(QByteArrayView(reinterpret_cast<const char*>(img.constScanLine(y)), img.width() * 4));
            std::printf("%s %dx%d %s\n", qPrintable(QFileInfo(file).fileName()), img.width(), img.height(),
                        digest.result().toHex().constData());
        }
        return 0;
    }
    if (command == QLatin1String("compare") && args.size() == 3) {
        QString why;
        const QImage ours = loadPicture(args[1], &why);
        const QImage reference(args[2]);
        if (ours.isNull() || reference.isNull()) {
            std::printf("%s: cannot compare: %s\n", qPrintable(args[1]), qPrintable(ours.isNull() ? why : args[2]));
            return 1;
        }
        const PixelDifference pixels = pixelDifference(ours, reference);
        std::printf("%.1f (pixels: largest %d, %lld of %lld differ)\n", pictureDifference(ours, reference), pixels.largest,
                    pixels.differing, pixels.pixels);
        return 0;
    }
    std::fprintf(stderr, "usage: picturecorpus write FOLDER | [--shown WxH] draw FOLDER FILE... | hash FILE... | compare FILE REFERENCE\n");
    return 2;
}
