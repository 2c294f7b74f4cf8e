// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QString>

#include "platform/soundbackend.h"

class QIODevice;

// What the header of a WAV file says: enough to know whether it can be played and how long it
// lasts. Only the chunk headers are read, never the samples.
struct WavInfo {
    bool playable = false;
    QString error;       // why it cannot be played, naming the file
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int formatTag = 0;    // a WavFormat (platform/wavcodecs.h)
    int blockAlign = 0;   // bytes of one frame, all channels; of one block when block-coded
    qint64 dataOffset = 0; // where the samples start in the file
    qint64 dataBytes = 0; // the sample bytes really present (a cut-off file counts what it has)
    int samplesPerBlock = 0;
    qint64 factFrames = -1;
    std::vector<qint16> coefs;
    qint64 durationMs = 0;
    // Where its samples lie and how they are stored, for a sound backend.
    PcmLayout layout() const
    {
        return {formatTag, channels, sampleRate, blockAlign, dataOffset, dataBytes, samplesPerBlock, factFrames, coefs};
    }
};

// A sound is refused when its samples last longer than any sound of a theme (so a lying header
// cannot hold a game's sound chain for hours), and when its samples are not found among the
// first chunks of the file.
constexpr qint64 kMaxWavMs = 10 * 60 * 1000;
constexpr int kMaxWavChunks = 256;

// Refuses, with the reason in error, what cannot be played: not a WAV file, samples compressed
// in a kind that is not played (platform/wavcodecs.h), a rate outside kMinPlayableRate to
// kMaxPlayableRate, no samples, or a length beyond kMaxWavMs.
WavInfo readWavInfo(const QString& path);
// The same on an open device (a file, or bytes in a buffer); name is used in the error.
WavInfo readWavInfo(QIODevice& device, const QString& name);
