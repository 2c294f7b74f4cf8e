// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The WAV header reader and the sound source: the header as the sound device reads it (from the
// file and from memory), and a playable sound read as a sound server reads it, at its start and
// its end, at the output rates servers use.
#include "common/wavinfo.h"
#include "fuzzsupport.h"
#include "platform/pcmsource.h"

#include <QBuffer>
#include <algorithm>

namespace {
// Reads a bounded part of the source, in whole frames.
void readSome(PcmSource& source, qint64 from)
{
    if (!source.seek(from))
        return;
    float chunk[1024];
    for (int i = 0; i < 32; ++i) {
        const qint64 n = source.read(reinterpret_cast<char*>(chunk), sizeof chunk);
        if (n <= 0)
            return;
        if (n % (qint64(sizeof(float)) * source.channels()) != 0)
            __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const WavInfo inMemory = readWavInfo(buffer, QStringLiteral("fuzz.wav"));
    const QString path = fuzzWrite(QStringLiteral("sound.wav"), bytes);
    const WavInfo info = readWavInfo(path);
    if (info.playable != inMemory.playable || info.durationMs != inMemory.durationMs)
        __builtin_trap();
    if (!info.playable)
        return 0;
    // What a playable header promises: samples inside the file, a length that can be meant.
    if (info.dataOffset + info.dataBytes > qint64(size) || info.durationMs <= 0 || info.durationMs > kMaxWavMs
        || info.sampleRate < kMinPlayableRate || info.sampleRate > kMaxPlayableRate)
        __builtin_trap();
    const PcmLayout layout = info.layout();
    for (const int rate : {8000, 44100, 48000}) {
        PcmSource source(path, layout, rate, 30, 300);
        if (!source.open(QIODevice::ReadOnly))
            __builtin_trap();
        // The sound lasts as long as the header says, give or take a frame at each end.
        const qint64 frames = source.size() / (qint64(sizeof(float)) * source.channels());
        const qint64 expected = qint64(rate) * (30 + 300) / 1000 + info.durationMs * rate / 1000;
        if (frames < expected - rate / 500 - 2 || frames > expected + rate / 500 + 2)
            __builtin_trap();
        readSome(source, 0);
        readSome(source, std::max<qint64>(0, source.size() - 8192));
    }
    return 0;
}
