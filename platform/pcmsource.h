// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/soundbackend.h"

#include <QFile>
#include <QIODevice>
#include <vector>

// The samples of a WAV file as 32-bit floating point, in one or two channels (further channels
// are left out) and at the rate asked for, with a stretch of silence before and after them. The file is read
// as the source is read, so a long sound never sits in memory; samples the file no longer has
// come out as silence.
class PcmSource : public QIODevice {
public:
    PcmSource(const QString& path, const PcmLayout& layout, int outRate, int leadMs, int tailMs);
    bool open(OpenMode mode) override;
    int channels() const { return m_outChannels; }
    int sampleRate() const { return m_outRate; }
    qint64 size() const override { return m_totalFrames * frameBytes(); }
    bool isSequential() const override { return false; }

protected:
    qint64 readData(char* data, qint64 maxlen) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 frameBytes() const { return qint64(m_outChannels) * qint64(sizeof(float)); }
    // The file's frame that output frame f (counted from the start of the sound) shows.
    qint64 sourceFrame(qint64 f) const { return f * m_in.sampleRate / m_outRate; }
    float sample(const uchar* frame, int channel) const;
    // The file's frames [from, to), in the output's channels.
    std::vector<float> decoded(qint64 from, qint64 to);

    QString m_path;
    QFile m_file;
    PcmLayout m_in;
    int m_outRate;
    int m_outChannels;
    qint64 m_sourceFrames;
    qint64 m_leadFrames;  // output frames of silence before the sound
    qint64 m_soundFrames; // output frames that carry the sound
    qint64 m_totalFrames; // all of them, with the silence after the sound
};
