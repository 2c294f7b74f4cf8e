// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;

// What the header of a WAV file says: enough to know whether it can be played and how long it
// lasts. Only the chunk headers are read, never the samples.
struct WavInfo {
    bool playable = false;
    QString error;       // why it cannot be played, naming the file
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int formatTag = 0;    // 1 whole-number samples, 3 floating point
    int blockAlign = 0;   // bytes of one frame, all channels
    qint64 dataOffset = 0; // where the samples start in the file
    qint64 dataBytes = 0; // the sample bytes really present (a cut-off file counts what it has)
    qint64 durationMs = 0;
};

WavInfo readWavInfo(const QString& path);
// The same on an open device (a file, or bytes in a buffer); name is used in the error.
WavInfo readWavInfo(QIODevice& device, const QString& name);
