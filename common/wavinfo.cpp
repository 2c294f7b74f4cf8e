// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/wavinfo.h"

#include "platform/files.h"
#include "platform/wavcodecs.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
quint32 le32(const QByteArray& b, qsizetype at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
           | quint32(quint8(b[at + 3])) << 24;
}
quint16 le16(const QByteArray& b, qsizetype at) { return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8); }

WavInfo failed(const QString& name, const QString& why)
{
    WavInfo info;
    info.error = QStringLiteral("Sound '%1' cannot be played: %2.").arg(name, why);
    return info;
}
}

WavInfo readWavInfo(QIODevice& dev, const QString& name)
{
    const QByteArray riff = dev.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return failed(name, QStringLiteral("it is not a WAV file"));
    const qint64 fileSize = dev.size();
    WavInfo info;
    bool haveFormat = false;
    qint64 factFrames = -1;
    qint64 at = 12;
    // Real files have a handful of chunks; a file of millions of empty ones must not keep the
    // program walking them.
    for (int chunks = 0; at + 8 <= fileSize; ++chunks) {
        if (chunks == kMaxWavChunks)
            return failed(name, QStringLiteral("no samples follow among its first %1 chunks").arg(kMaxWavChunks));
        if (!dev.seek(at))
            break;
        const QByteArray head = dev.read(8);
        if (head.size() < 8)
            break;
        const QByteArray id = head.left(4);
        const qint64 size = le32(head, 4);
        const qint64 body = at + 8;
        if (id == "fmt ") {
            const QByteArray fmt = dev.read(std::min<qint64>(size, 22 + 4 * kMaxAdpcmCoefs));
            if (size < 16 || fmt.size() < 16)
                return failed(name, QStringLiteral("its format header is broken"));
            quint16 tag = le16(fmt, 0);
            info.channels = le16(fmt, 2);
            const quint32 rate = le32(fmt, 4);
            const quint32 byteRate = le32(fmt, 8);
            info.blockAlign = le16(fmt, 12);
            info.bitsPerSample = le16(fmt, 14);
            // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format GUID.
            if (tag == 0xFFFE && fmt.size() >= 26)
                tag = le16(fmt, 24);
            if (tag != kWavPcm && tag != kWavFloat && tag != kWavALaw && tag != kWavMuLaw && !isBlockCoded(tag)) {
                const QString kind = wavFormatName(tag);
                return failed(name, kind.isEmpty() ? QStringLiteral("its samples are compressed (format %1)").arg(tag)
                                                   : QStringLiteral("its samples are compressed as %1 (format %2)").arg(kind).arg(tag));
            }
            info.formatTag = tag;
            if (info.channels == 0 || rate == 0 || byteRate == 0 || info.bitsPerSample == 0)
                return failed(name, QStringLiteral("its format header is broken"));
            if (rate < quint32(kMinPlayableRate) || rate > quint32(kMaxPlayableRate))
                return failed(name, QStringLiteral("its header gives %1 samples a second, where a sound has %2 to %3")
                                        .arg(rate)
                                        .arg(kMinPlayableRate)
                                        .arg(kMaxPlayableRate));
            info.sampleRate = int(rate);
            if (isBlockCoded(tag)) {
                // The frames of a block: given after the size of the extra header, else what
                // the block holds.
                const int extra = fmt.size() >= 18 ? le16(fmt, 16) : 0;
                const int most = framesInBlock(tag, info.channels, info.blockAlign);
                info.samplesPerBlock = extra >= 2 && fmt.size() >= 20 ? le16(fmt, 18) : most;
                if (tag == kWavMsAdpcm) {
                    const int pairs = extra >= 4 && fmt.size() >= 22 ? le16(fmt, 20) : 0;
                    if (pairs == 0 || fmt.size() < 22 + 4 * pairs)
                        return failed(name, QStringLiteral("its format header is broken"));
                    for (int i = 0; i < 2 * pairs; ++i)
                        info.coefs.push_back(qint16(le16(fmt, 22 + 2 * i)));
                }
                if (info.bitsPerSample != 4 || !decodable(info.layout()))
                    return failed(name, QStringLiteral("its %1 samples are stored in an unknown way (%2 bits, %3 channels, "
                                                       "%4 frames in blocks of %5 bytes)")
                                            .arg(wavFormatName(tag))
                                            .arg(info.bitsPerSample)
                                            .arg(info.channels)
                                            .arg(info.samplesPerBlock)
                                            .arg(info.blockAlign));
            } else {
                // Samples of 1 to 4 bytes, or floating point of 4 or 8, each in its own bytes.
                const int container = info.blockAlign % info.channels == 0 ? info.blockAlign / info.channels : 0;
                if (!decodable(info.layout()) || info.bitsPerSample > container * 8)
                    return failed(name, QStringLiteral("its samples are stored in an unknown way (%1 bits in %2 bytes per channel)")
                                            .arg(info.bitsPerSample)
                                            .arg(info.blockAlign / std::max(1, info.channels)));
            }
            haveFormat = true;
        } else if (id == "fact" && size >= 4) {
            const QByteArray fact = dev.read(4);
            if (fact.size() == 4)
                factFrames = le32(fact, 0);
        } else if (id == "data") {
            if (!haveFormat)
                return failed(name, QStringLiteral("its samples come before their format"));
            info.dataOffset = body;
            // A header claiming more than the file holds counts what it has, in whole frames
            // (or blocks: the last may be cut short). Only a compressed file's count of its
            // frames is believed: plain ones are written with wrong ones.
            const qint64 present = std::max<qint64>(0, std::min(size, fileSize - body));
            info.dataBytes = isBlockCoded(info.formatTag) ? present : present / info.blockAlign * info.blockAlign;
            if (info.formatTag != kWavPcm && info.formatTag != kWavFloat)
                info.factFrames = factFrames;
            const qint64 frames = storedFrames(info.layout());
            if (frames == 0)
                return failed(name, QStringLiteral("it holds no sound"));
            // The length is what the samples give; the header's byte rate may say anything.
            info.durationMs = (frames * 1000 + info.sampleRate - 1) / info.sampleRate;
            if (info.durationMs > kMaxWavMs)
                return failed(name, QStringLiteral("its samples last %1 seconds, and a sound may last at most %2")
                                        .arg((info.durationMs + 999) / 1000)
                                        .arg(kMaxWavMs / 1000));
            info.playable = true;
            return info;
        }
        at = body + size + (size & 1); // chunks are padded to an even size
    }
    return failed(name, haveFormat ? QStringLiteral("it holds no sound") : QStringLiteral("its format header is missing"));
}

WavInfo readWavInfo(const QString& rawPath)
{
    const QString path = resolvePath(rawPath);
    QFile file;
    QString why;
    if (!openRegularFile(file, path, FileKind::Sound, &why))
        return failed(path, QStringLiteral("the file ") + why);
    return readWavInfo(file, path);
}
