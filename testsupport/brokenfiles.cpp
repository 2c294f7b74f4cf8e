// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "testsupport/brokenfiles.h"

#include "testsupport/testsupport.h"
#include "wmfwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>

namespace {
void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void put32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

QByteArray corrupted(QByteArray bytes, quint32 seed)
{
    QRandomGenerator random(seed);
    // Leave the signature so the decoder gets past its first check.
    for (int i = 0; i < bytes.size() / 8; ++i)
        bytes[8 + random.bounded(qMax(1, int(bytes.size()) - 8))] = char(random.bounded(256));
    return bytes;
}

// A WAV header, byte by byte; the byte rate is what the others give unless told.
QByteArray wavHeader(quint32 dataBytes, quint16 channels, quint32 rate, quint16 bits, quint32 byteRate = 0)
{
    QByteArray b("RIFF....WAVEfmt ");
    b.append(QByteArray(4 + 16, '\0'));
    put32(b, 4, 36 + dataBytes);
    put32(b, 16, 16);
    b[20] = 1;
    b[22] = char(channels);
    put32(b, 24, rate);
    put32(b, 28, byteRate ? byteRate : rate * channels * bits / 8);
    b[32] = char(channels * bits / 8);
    b[34] = char(bits);
    b.append("data");
    b.append(QByteArray(4, '\0'));
    put32(b, 40, dataBytes);
    return b;
}
}

QList<BrokenFile> makeBrokenPictures(const QString& folder)
{
    QDir().mkpath(folder);
    QList<BrokenFile> made;
    auto add = [&](const QString& name, const QByteArray& bytes, const QString& what) {
        put(folder + QLatin1Char('/') + name, bytes);
        made.push_back({name, what});
    };
    const QByteArray bmp = pictureBytes("BMP", 64, 48, Qt::blue);
    const QByteArray gif = pictureBytes("GIF", 64, 48, Qt::green);
    const QByteArray jpg = pictureBytes("JPG", 64, 48, Qt::red);
    WmfWriter writer;
    writer.setWindowOrg(0, 0);
    writer.setWindowExt(200, 200);
    writer.rectangle(QRect(10, 10, 100, 100));
    writer.ellipse(QRect(50, 50, 120, 90));
    const QByteArray wmf = writer.bytes(true, QRect(0, 0, 200, 200));
    for (const auto& [ext, bytes] : {std::pair{QStringLiteral("bmp"), bmp}, {QStringLiteral("gif"), gif},
                                     {QStringLiteral("jpg"), jpg}, {QStringLiteral("wmf"), wmf}}) {
        add(QStringLiteral("truncated.") + ext, bytes.left(bytes.size() / 2), QStringLiteral("truncated ") + ext);
        add(QStringLiteral("header-only.") + ext, bytes.left(20), QStringLiteral("only the header of a ") + ext);
        add(QStringLiteral("corrupted.") + ext, corrupted(bytes, 7), QStringLiteral("corrupted ") + ext);
        add(QStringLiteral("empty.") + ext, QByteArray(), QStringLiteral("zero-byte ") + ext);
        add(QStringLiteral("text.") + ext, "This is a text file, not a picture.\r\n", QStringLiteral("text named .") + ext);
    }
    QByteArray huge = bmp;
    put32(huge, 18, 60000);
    put32(huge, 22, 60000);
    add(QStringLiteral("huge.bmp"), huge, QStringLiteral("BMP claiming 60000 x 60000"));
    QByteArray hugeGif = gif;
    hugeGif[6] = char(0x60);
    hugeGif[7] = char(0xEA);
    hugeGif[8] = char(0x60);
    hugeGif[9] = char(0xEA);
    add(QStringLiteral("huge.gif"), hugeGif, QStringLiteral("GIF claiming 60000 x 60000"));
    // Whole files whose headers say what no picture can be: each is refused with that cause.
    QByteArray bits = bmp;
    bits[28] = char(0x3F); // 63 bits per pixel
    add(QStringLiteral("bits.bmp"), bits, QStringLiteral("BMP with an impossible bit count"));
    // A progressive JPEG whose last scan comes 2000 times: a few kilobytes that once kept the
    // decoder drawing the picture again for seconds.
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter w(&buffer, "jpg");
        w.setProgressiveScanWrite(true);
        w.write(QImage::fromData(jpg));
    }
    const qsizetype lastScan = progressive.lastIndexOf("\xff\xda"), end = progressive.lastIndexOf("\xff\xd9");
    add(QStringLiteral("scans.jpg"), progressive.left(end) + progressive.mid(lastScan, end - lastScan).repeated(2000) + progressive.mid(end),
        QStringLiteral("progressive JPEG of 2000 scans"));
    made.last().cause = QStringLiteral("more than 100 scans");
    WmfWriter plain;
    plain.rectangle(QRect(10, 10, 100, 100));
    add(QStringLiteral("nosize.wmf"), plain.bytes(false), QStringLiteral("plain metafile without a window extent"));
    QDir().mkpath(folder + QStringLiteral("/folder.bmp"));
    made.push_back({QStringLiteral("folder.bmp"), QStringLiteral("a folder named .bmp")});
    return made;
}

QList<BrokenFile> makeBrokenSounds(const QString& folder)
{
    QDir().mkpath(folder);
    QList<BrokenFile> made;
    auto add = [&](const QString& name, const QByteArray& bytes, const QString& what) {
        put(folder + QLatin1Char('/') + name, bytes);
        made.push_back({name, what});
    };
    add(QStringLiteral("lying.wav"), wavHeader(2000000000u, 1, 22050, 16) + QByteArray(1000, '\0'),
        QStringLiteral("WAV header claiming 2 GB of samples"));
    add(QStringLiteral("zero-rate.wav"), wavHeader(1000, 1, 0, 16) + QByteArray(1000, '\0'), QStringLiteral("WAV with rate 0"));
    add(QStringLiteral("text.wav"), "RIFF? no, just text\r\n", QStringLiteral("text named .wav"));
    add(QStringLiteral("empty.wav"), QByteArray(), QStringLiteral("zero-byte WAV"));
    add(QStringLiteral("truncated.wav"), wavHeader(1000, 1, 22050, 16).left(30), QStringLiteral("WAV cut in its header"));
    // Headers that once crashed or stalled the programs; each is refused with its cause, but the
    // one whose byte rate lies, which plays as long as its samples last (9000 bytes: 204 ms).
    auto refused = [&](const QString& name, const QByteArray& bytes, const QString& what, const QString& cause) {
        add(name, bytes, what);
        made.last().cause = cause;
    };
    refused(QStringLiteral("low-rate.wav"), wavHeader(9000, 1, 8, 16) + QByteArray(9000, '\0'), QStringLiteral("WAV of 8 Hz"),
            QStringLiteral("gives 8 samples a second"));
    refused(QStringLiteral("huge-rate.wav"), wavHeader(9000, 1, 0x80000000u, 16, 1) + QByteArray(9000, '\0'),
            QStringLiteral("WAV of 2^31 Hz"), QStringLiteral("gives 2147483648 samples a second"));
    add(QStringLiteral("byte-rate.wav"), wavHeader(9000, 1, 22050, 16, 1) + QByteArray(9000, '\0'),
        QStringLiteral("WAV whose header says 1 byte a second"));
    refused(QStringLiteral("long.wav"), wavHeader(601000, 1, 1000, 8) + QByteArray(601000, char(0x80)),
            QStringLiteral("WAV of 601 seconds"), QStringLiteral("last 601 seconds"));
    // 64 MB of empty chunks, sparse on disk: after the RIFF header every 8 zero bytes are one.
    refused(QStringLiteral("empty-chunks.wav"), QByteArray("RIFF\xf8\xff\xff\x03WAVE", 12), QStringLiteral("WAV of 64 MB of empty chunks"),
            QStringLiteral("no samples follow among its first 256 chunks"));
    QFile(folder + QStringLiteral("/empty-chunks.wav")).resize(64LL * 1024 * 1024);
    QDir().mkpath(folder + QStringLiteral("/folder.wav"));
    made.push_back({QStringLiteral("folder.wav"), QStringLiteral("a folder named .wav")});
    return made;
}

void makeHugeConfiguration(const QString& path, const QByteArray& firstLine, int megabytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.write(firstLine + "\r\n");
    QByteArray line(1024 * 1024 - 2, 'x');
    for (int i = 0; i < line.size(); i += 97)
        line[i] = ',';
    line += "\r\n";
    for (int i = 0; i < megabytes; ++i)
        f.write(line);
}
