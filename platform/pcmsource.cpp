// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/pcmsource.h"

#include "platform/files.h"
#include "platform/wavcodecs.h"

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
    m_sourceFrames = storedFrames(m_in);
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
    switch (m_in.formatTag) {
    case kWavFloat:
        if (size == 4) {
            float f;
            std::memcpy(&f, p, 4);
            return f;
        } else {
            double d;
            std::memcpy(&d, p, 8);
            return float(d);
        }
    case kWavALaw:
    case kWavMuLaw: return g711Sample(m_in.formatTag, p[0]) / 32768.0f;
    default: break;
    }
    switch (size) {
    case 1: return (int(p[0]) - 128) / 128.0f;
    case 2: return float(int16_t(uint16_t(p[0] | p[1] << 8))) / 32768.0f;
    case 3: return float(int32_t(uint32_t(p[0] << 8 | p[1] << 16 | p[2] << 24)) >> 8) / 8388608.0f;
    case 4: return float(int32_t(uint32_t(p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24))) / 2147483648.0f;
    default: return 0;
    }
}

std::vector<float> PcmSource::decoded(qint64 from, qint64 to)
{
    std::vector<float> out(size_t((to - from) * m_outChannels), 0.0f);
    if (!m_file.isOpen())
        return out;
    if (!isBlockCoded(m_in.formatTag)) {
        QByteArray bytes((to - from) * m_in.blockAlign, '\0');
        if (m_file.seek(m_in.dataOffset + from * m_in.blockAlign))
            m_file.read(bytes.data(), bytes.size());
        const auto* frames = reinterpret_cast<const uchar*>(bytes.constData());
        for (qint64 f = 0; f < to - from; ++f)
            for (int c = 0; c < m_outChannels; ++c)
                out[size_t(f * m_outChannels + c)] = sample(frames + f * m_in.blockAlign, c);
        return out;
    }
    // Whole blocks are read and decoded; each starts afresh, so any may be read first.
    const qint64 spb = m_in.samplesPerBlock;
    const qint64 firstBlock = from / spb;
    const qint64 blocks = (to - 1) / spb - firstBlock + 1;
    QByteArray bytes(blocks * m_in.blockAlign, '\0');
    qint64 got = 0;
    if (m_file.seek(m_in.dataOffset + firstBlock * m_in.blockAlign))
        got = std::max<qint64>(0, m_file.read(bytes.data(), std::min<qint64>(bytes.size(), m_in.dataBytes - firstBlock * m_in.blockAlign)));
    std::vector<qint16> pcm(size_t(spb * m_in.channels));
    for (qint64 b = 0; b < blocks; ++b) {
        const qint64 start = b * m_in.blockAlign;
        const int frames = start < got ? decodeAdpcmBlock(m_in, reinterpret_cast<const uchar*>(bytes.constData()) + start,
                                                          std::min<qint64>(m_in.blockAlign, got - start), pcm.data())
                                       : 0;
        for (qint64 f = std::max<qint64>(0, from - (firstBlock + b) * spb); f < frames; ++f) {
            const qint64 at = (firstBlock + b) * spb + f - from;
            if (at >= to - from)
                break;
            for (int c = 0; c < m_outChannels; ++c)
                out[size_t(at * m_outChannels + c)] = pcm[size_t(f * m_in.channels + c)] / 32768.0f;
        }
    }
    return out;
}

qint64 PcmSource::readData(char* data, qint64 maxlen)
{
    const qint64 first = pos() / frameBytes();
    // A read never takes more than a few megabytes of the file, however many channels it has and
    // however far its rate is above the output's; the sound server asks again for the rest.
    const qint64 sourcePerRead = isBlockCoded(m_in.formatTag)
                                     ? std::max<qint64>(1, kMaxReadBytes / 16 / m_in.blockAlign) * m_in.samplesPerBlock
                                     : std::max<qint64>(1, kMaxReadBytes / std::max(1, m_in.blockAlign));
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
        const std::vector<float> frames = decoded(from, to);
        for (qint64 f = begin; f < end; ++f) {
            const qint64 s = sourceFrame(f) - from;
            if (s < 0 || s >= to - from)
                continue;
            const qint64 at = (f + m_leadFrames - first) * m_outChannels;
            for (int c = 0; c < m_outChannels; ++c)
                out[at + c] = frames[size_t(s * m_outChannels + c)];
        }
    }
    return count * frameBytes();
}
