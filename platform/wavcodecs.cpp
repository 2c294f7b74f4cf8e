// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/wavcodecs.h"

#include <QString>
#include <algorithm>
#include <limits>

namespace {
const int kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
const int kImaIndexShift[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
const int kMsAdapt[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

qint16 clamp16(int v) { return qint16(std::clamp(v, -32768, 32767)); }
qint16 le16(const uchar* p) { return qint16(quint16(p[0] | p[1] << 8)); }

int headerBytes(int formatTag, int channels) { return (formatTag == kWavImaAdpcm ? 4 : 7) * channels; }

struct ImaChannel {
    int predictor;
    int index;
    qint16 next(int nibble)
    {
        const int step = kImaSteps[index];
        int diff = step >> 3;
        if (nibble & 4) diff += step;
        if (nibble & 2) diff += step >> 1;
        if (nibble & 1) diff += step >> 2;
        predictor = clamp16(nibble & 8 ? predictor - diff : predictor + diff);
        index = std::clamp(index + kImaIndexShift[nibble & 7], 0, 88);
        return qint16(predictor);
    }
};

// IMA ADPCM: after each channel's header, groups of four bytes per channel, eight samples
// each, low nibble first.
int decodeIma(int channels, int frames, const uchar* block, qint16* out)
{
    ImaChannel state[8];
    for (int c = 0; c < channels; ++c) {
        state[c] = {le16(block + 4 * c), std::min<int>(block[4 * c + 2], 88)};
        out[c] = qint16(state[c].predictor);
    }
    const uchar* data = block + 4 * channels;
    for (int f = 1; f < frames; ++f) {
        const int k = f - 1; // the sample's place after the header's
        for (int c = 0; c < channels; ++c) {
            const uchar byte = data[(k / 8) * 4 * channels + c * 4 + (k % 8) / 2];
            out[f * channels + c] = state[c].next(k % 2 ? byte >> 4 : byte & 0x0F);
        }
    }
    return frames;
}

// MS ADPCM: each channel's predictor, step, second and first sample, then nibbles high first,
// the channels taking turns.
int decodeMs(const PcmLayout& l, int frames, const uchar* block, qint16* out)
{
    const int ch = l.channels;
    int c1[2], c2[2], delta[2], s1[2], s2[2];
    const int pairs = int(l.coefs.size() / 2);
    for (int c = 0; c < ch; ++c) {
        const int predictor = block[c];
        if (predictor >= pairs)
            return 0;
        c1[c] = l.coefs[2 * predictor];
        c2[c] = l.coefs[2 * predictor + 1];
        delta[c] = le16(block + ch + 2 * c);
        s1[c] = le16(block + 3 * ch + 2 * c);
        s2[c] = le16(block + 5 * ch + 2 * c);
        out[c] = qint16(s2[c]);
        if (frames > 1)
            out[ch + c] = qint16(s1[c]);
    }
    const uchar* data = block + 7 * ch;
    for (int i = 0; i < (frames - 2) * ch; ++i) {
        const int c = i % ch;
        const int nibble = i % 2 ? data[i / 2] & 0x0F : data[i / 2] >> 4;
        const int predicted = int((qint64(s1[c]) * c1[c] + qint64(s2[c]) * c2[c]) >> 8);
        const int sample = clamp16(predicted + (nibble - ((nibble & 8) << 1)) * delta[c]);
        // A made-up block can drive the step up without end.
        delta[c] = std::clamp((kMsAdapt[nibble] * delta[c]) >> 8, 16, std::numeric_limits<int>::max() / 768);
        s2[c] = s1[c];
        s1[c] = sample;
        out[(2 + i / ch) * ch + c] = qint16(sample);
    }
    return frames;
}
} // namespace

bool isBlockCoded(int formatTag) { return formatTag == kWavImaAdpcm || formatTag == kWavMsAdpcm; }

int framesInBlock(int formatTag, int channels, qint64 blockBytes)
{
    if (channels <= 0 || blockBytes < headerBytes(formatTag, channels))
        return 0;
    const qint64 data = blockBytes - headerBytes(formatTag, channels);
    const qint64 frames = formatTag == kWavImaAdpcm ? 1 + data / (4 * channels) * 8 : 2 + data * 2 / channels;
    return int(std::min<qint64>(frames, 1 << 20));
}

bool decodable(const PcmLayout& l)
{
    if (l.channels <= 0 || l.blockAlign <= 0 || l.dataOffset < 0)
        return false;
    if (isBlockCoded(l.formatTag)) {
        const bool channels = l.formatTag == kWavImaAdpcm ? l.channels <= 8 : l.channels <= 2;
        const bool coefs = l.formatTag == kWavImaAdpcm || (!l.coefs.empty() && l.coefs.size() % 2 == 0);
        return channels && coefs && l.samplesPerBlock >= 1
               && l.samplesPerBlock <= framesInBlock(l.formatTag, l.channels, l.blockAlign);
    }
    if (l.blockAlign % l.channels != 0)
        return false;
    const int size = l.blockAlign / l.channels;
    switch (l.formatTag) {
    case kWavPcm: return size >= 1 && size <= 4;
    case kWavFloat: return size == 4 || size == 8;
    case kWavALaw:
    case kWavMuLaw: return size == 1;
    default: return false;
    }
}

qint64 storedFrames(const PcmLayout& l)
{
    if (!decodable(l) || l.dataBytes <= 0)
        return 0;
    if (!isBlockCoded(l.formatTag))
        return l.dataBytes / l.blockAlign;
    const qint64 last = std::min<qint64>(framesInBlock(l.formatTag, l.channels, l.dataBytes % l.blockAlign), l.samplesPerBlock);
    const qint64 frames = l.dataBytes / l.blockAlign * l.samplesPerBlock + last;
    return l.factFrames >= 0 ? std::min(frames, l.factFrames) : frames;
}

qint16 g711Sample(int formatTag, uchar byte)
{
    if (formatTag == kWavMuLaw) {
        const int u = ~byte & 0xFF;
        const int magnitude = (((u & 0x0F) << 3) + 0x84) << ((u >> 4) & 7);
        return qint16(u & 0x80 ? 0x84 - magnitude : magnitude - 0x84);
    }
    const int a = byte ^ 0x55;
    const int segment = (a >> 4) & 7;
    int magnitude = (a & 0x0F) << 4;
    magnitude = segment == 0 ? magnitude + 8 : (magnitude + 0x108) << (segment - 1);
    return qint16(a & 0x80 ? magnitude : -magnitude);
}

int decodeAdpcmBlock(const PcmLayout& l, const uchar* block, qint64 bytes, qint16* out)
{
    if (!decodable(l))
        return 0;
    const int frames = std::min(framesInBlock(l.formatTag, l.channels, std::min<qint64>(bytes, l.blockAlign)), l.samplesPerBlock);
    if (frames <= 0)
        return 0;
    return l.formatTag == kWavImaAdpcm ? decodeIma(l.channels, frames, block, out) : decodeMs(l, frames, block, out);
}

QString wavFormatName(int formatTag)
{
    switch (formatTag) {
    case 0x02: return QStringLiteral("MS ADPCM");
    case 0x06: return QStringLiteral("A-law");
    case 0x07: return QStringLiteral("mu-law");
    case 0x11: return QStringLiteral("IMA ADPCM");
    case 0x22: return QStringLiteral("TrueSpeech");
    case 0x31: return QStringLiteral("GSM 6.10");
    case 0x40: return QStringLiteral("G.721 ADPCM");
    case 0x50: return QStringLiteral("MPEG");
    case 0x55: return QStringLiteral("MP3");
    case 0xFF: return QStringLiteral("AAC");
    case 0x160:
    case 0x161: return QStringLiteral("Windows Media Audio");
    case 0x2000: return QStringLiteral("AC-3");
    case 0xF1AC: return QStringLiteral("FLAC");
    default: return {};
    }
}
