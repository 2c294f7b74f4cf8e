// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/pcmsource.h"

#include "platform/files.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace {
constexpr qint64 kMaxReadBytes = 4 * 1024 * 1024;
}

PcmSource::PcmSource(const QString& path, const PcmLayout& layout, int outRate, int leadMs, int tailMs)
    : m_path(path), m_in(layout), m_outRate(std::clamp(outRate, kMinPlayableRate, kMaxPlayableRate)), m_outChannels(layout.channels >= 2 ? 2 : 1)
{
    m_in.sampleRate = std::clamp(m_in.sampleRate, kMinPlayableRate, kMaxPlayableRate);
    // A layout no checked header gives plays as silence rather than being read past its frames.
    const int size = m_in.channels > 0 && m_in.blockAlign % m_in.channels == 0 ? m_in.blockAlign / m_in.channels : 0;
    const bool readable = m_in.formatTag == 3 ? size == 4 || size == 8 : size >= 1 && size <= 4;
    m_sourceFrames = readable && m_in.dataOffset >= 0 ? std::max<qint64>(0, m_in.dataBytes) / m_in.blockAlign : 0;
    m_soundFrames = (m_sourceFrames * m_outRate + m_in.sampleRate - 1) / m_in.sampleRate;
    m_leadFrames = qint64(m_outRate) * std::max(0, leadMs) / 1000;
    m_totalFrames = m_leadFrames + m_soundFrames + qint64(m_outRate) * std::max(0, tailMs) / 1000;
}

bool PcmSource::open(OpenMode mode)
{
    // A file that went away, or was swapped for something else, plays as silence of its length.
    openRegularFile(m_file, m_path, FileKind::Sound);
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

float PcmSource::sample(const uchar* frame, int channel) const
{
    const int size = m_in.blockAlign / m_in.channels;
    const uchar* p = frame + channel * size;
    if (m_in.formatTag == 3) {
        if (size == 4) {
            float f;
            std::memcpy(&f, p, 4);
            return f;
        }
        double d;
        std::memcpy(&d, p, 8);
        return float(d);
    }
    switch (size) {
    case 1: return (int(p[0]) - 128) / 128.0f;
    case 2: return float(int16_t(uint16_t(p[0] | p[1] << 8))) / 32768.0f;
    case 3: return float(int32_t(uint32_t(p[0] << 8 | p[1] << 16 | p[2] << 24)) >> 8) / 8388608.0f;
    case 4: return float(int32_t(uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24))) / 2147483648.0f;
    default: return 0;
    }
}

qint64 PcmSource::readData(char* data, qint64 maxlen)
{
    const qint64 first = pos() / frameBytes();
    // A read never takes more than a few megabytes of the file, however many channels it has and
    // however far its rate is above the output's; the sound server asks again for the rest.
    const qint64 sourcePerRead = std::max<qint64>(1, kMaxReadBytes / std::max(1, m_in.blockAlign));
    const qint64 most = std::max<qint64>(1, sourcePerRead * m_outRate / m_in.sampleRate);
    const qint64 count = std::min({maxlen / frameBytes(), m_totalFrames - first, most});
    if (count <= 0)
        return 0;
    float* out = reinterpret_cast<float*>(data);
    std::fill(out, out + count * m_outChannels, 0.0f);
    // Output frames [begin, end) of this read carry sound, counted from the sound's start.
    const qint64 begin = std::max<qint64>(first - m_leadFrames, 0);
    const qint64 end = std::min(first + count - m_leadFrames, m_soundFrames);
    if (begin < end) {
        const qint64 from = sourceFrame(begin);
        const qint64 to = std::min(sourceFrame(end - 1) + 1, m_sourceFrames);
        QByteArray bytes((to - from) * m_in.blockAlign, '\0');
        if (m_file.isOpen() && m_file.seek(m_in.dataOffset + from * m_in.blockAlign))
            m_file.read(bytes.data(), bytes.size());
        const auto* frames = reinterpret_cast<const uchar*>(bytes.constData());
        for (qint64 f = begin; f < end; ++f) {
            const qint64 s = sourceFrame(f) - from;
            if (s < 0 || s >= to - from)
                continue;
            const qint64 at = (f + m_leadFrames - first) * m_outChannels;
            for (int c = 0; c < m_outChannels; ++c)
                out[at + c] = sample(frames + s * m_in.blockAlign, c);
        }
    }
    return count * frameBytes();
}
