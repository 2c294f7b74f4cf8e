// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/pcmsource.h"
#include "testsupport/testsupport.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The samples bytes of one stored sample value, little-endian.
QByteArray le(qint64 v, int bytes)
{
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
    return b;
}

struct Stored {
    PcmLayout layout;
    QString path;
};

// A file holding some header bytes and then the given samples.
Stored store(const TestFolders& f, const QByteArray& samples, int tag, int channels, int bytesPerSample, int rate = 8000)
{
    Stored s;
    s.path = f.path(QStringLiteral("s.raw"));
    f.write(QStringLiteral("s.raw"), QByteArray(44, 'h') + samples);
    s.layout.formatTag = tag;
    s.layout.channels = channels;
    s.layout.sampleRate = rate;
    s.layout.blockAlign = channels * bytesPerSample;
    s.layout.dataOffset = 44;
    s.layout.dataBytes = samples.size();
    return s;
}

std::vector<float> readAll(PcmSource& source)
{
    source.open(QIODevice::ReadOnly);
    std::vector<float> out;
    char chunk[64]; // small, odd reads as a sound server makes them
    qint64 n;
    while ((n = source.read(chunk, 28)) > 0) {
        const size_t at = out.size();
        out.resize(at + size_t(n) / sizeof(float));
        std::memcpy(out.data() + at, chunk, size_t(n));
    }
    return out;
}

} // namespace

TEST(PcmSource, EveryStoredSampleKindComesOutInTheSameScale)
{
    TestFolders f;
    struct Case {
        int tag, bytes;
        QByteArray half, minusQuarter;
    } cases[] = {
        {1, 1, le(192, 1), le(96, 1)},
        {1, 2, le(16384, 2), le(-8192, 2)},
        {1, 3, le(4194304, 3), le(-2097152, 3)},
        {1, 4, le(1073741824, 4), le(-536870912, 4)},
    };
    for (const Case& c : cases) {
        Stored s = store(f, c.half + c.minusQuarter, c.tag, 1, c.bytes);
        PcmSource source(s.path, s.layout, 8000, 0, 0);
        const std::vector<float> out = readAll(source);
        ASSERT_EQ(out.size(), 2u) << c.bytes;
        EXPECT_FLOAT_EQ(out[0], 0.5f) << c.bytes;
        EXPECT_FLOAT_EQ(out[1], -0.25f) << c.bytes;
    }
    float f32[2] = {0.5f, -0.25f};
    double f64[2] = {0.5, -0.25};
    for (const QByteArray& bytes : {QByteArray(reinterpret_cast<const char*>(f32), 8), QByteArray(reinterpret_cast<const char*>(f64), 16)}) {
        Stored s = store(f, bytes, 3, 1, bytes.size() / 2);
        PcmSource source(s.path, s.layout, 8000, 0, 0);
        EXPECT_EQ(readAll(source), (std::vector<float>{0.5f, -0.25f}));
    }
}

TEST(PcmSource, ChannelsBeyondTwoAreLeftOutAndSilenceSurroundsTheSound)
{
    TestFolders f;
    // Three frames of four channels: 1, 2, 3, 4 quarters of full scale.
    QByteArray samples;
    for (int frame = 0; frame < 3; ++frame)
        for (int c = 1; c <= 4; ++c)
            samples += le(c * 8192, 2);
    Stored s = store(f, samples, 1, 4, 2);
    PcmSource source(s.path, s.layout, 8000, 1, 1); // 1 ms at 8000 Hz: 8 frames of silence
    EXPECT_EQ(source.channels(), 2);
    const std::vector<float> out = readAll(source);
    ASSERT_EQ(out.size(), size_t(2 * (8 + 3 + 8)));
    for (size_t i = 0; i < out.size(); ++i) {
        const size_t frame = i / 2;
        const float want = frame < 8 || frame >= 11 ? 0.0f : i % 2 == 0 ? 0.25f : 0.5f;
        EXPECT_FLOAT_EQ(out[i], want) << i;
    }
}

TEST(PcmSource, AnotherRateKeepsTheLengthAndAVanishedFileIsSilence)
{
    TestFolders f;
    QByteArray samples;
    for (int i = 0; i < 100; ++i)
        samples += le(i * 300, 2);
    Stored s = store(f, samples, 1, 1, 2, 8000);
    PcmSource up(s.path, s.layout, 44100, 0, 0);
    const std::vector<float> out = readAll(up);
    EXPECT_EQ(out.size(), size_t(std::ceil(100 * 44100.0 / 8000)));
    EXPECT_FLOAT_EQ(out.back(), 99 * 300 / 32768.0f);

    // Cut short after the header was read: the missing part plays as silence, of full length.
    QFile::resize(s.path, 44 + 20);
    PcmSource cut(s.path, s.layout, 8000, 0, 0);
    const std::vector<float> rest = readAll(cut);
    ASSERT_EQ(rest.size(), 100u);
    EXPECT_FLOAT_EQ(rest[9], 9 * 300 / 32768.0f);
    EXPECT_EQ(rest[10], 0.0f);
    EXPECT_EQ(rest[99], 0.0f);
}

TEST(PcmSource, ALayoutNoHeaderGivesPlaysAsSilence)
{
    TestFolders f;
    struct Case {
        int tag, channels, blockAlign, rate, outRate;
        bool readable;
    } cases[] = {{1, 0, 2, 8000, 8000, false}, {1, 2, 3, 8000, 8000, false}, {3, 1, 2, 8000, 8000, false},
                 {1, 1, 2, 0, 0, true},        {1, 1, 2, 8, 8, true},        {1, 1, 5, 8000, 8000, false},
                 {3, 1, 4, 8000, 8000, true},  {5, 1, 2, 8000, 8000, false}, {7, 1, 1, 8000, 8000, true},
                 {7, 1, 2, 8000, 8000, false}};
    for (const Case& c : cases) {
        Stored s = store(f, QByteArray(200, '\x40'), c.tag, 1, 2, c.rate);
        s.layout.channels = c.channels;
        s.layout.blockAlign = c.blockAlign;
        PcmSource source(s.path, s.layout, c.outRate, 0, 0);
        const std::vector<float> out = readAll(source);
        EXPECT_EQ(std::count(out.begin(), out.end(), 0.0f) == qsizetype(out.size()), !c.readable)
            << c.tag << " " << c.channels << " " << c.blockAlign;
    }
    // Blocks that cannot hold the frames the layout gives them, an MS ADPCM layout without its
    // coefficients or of more channels than it has, and a short last block.
    struct Block {
        int tag, channels, blockAlign, samplesPerBlock, coefs;
        bool readable;
    } blocks[] = {{0x11, 1, 40, 73, 0, true},  {0x11, 1, 40, 74, 0, false}, {0x11, 1, 40, 0, 0, false},
                  {0x11, 9, 360, 9, 0, false}, {2, 1, 40, 68, 130, true},   {2, 1, 40, 69, 130, false},
                  {2, 1, 40, 68, 0, false},    {2, 3, 60, 10, 130, false},  {0x11, 3, 48, 9, 0, true}};
    for (const Block& b : blocks) {
        // Every header byte 0x40: predictor 64 of MS ADPCM, which is why it is given 65 pairs.
        Stored s = store(f, QByteArray(212, '\x40'), b.tag, b.channels, 1);
        s.layout.blockAlign = b.blockAlign;
        s.layout.samplesPerBlock = b.samplesPerBlock;
        s.layout.coefs.assign(size_t(b.coefs), 256);
        PcmSource source(s.path, s.layout, 8000, 0, 0);
        const std::vector<float> out = readAll(source);
        EXPECT_EQ(std::count(out.begin(), out.end(), 0.0f) != qsizetype(out.size()), b.readable)
            << b.tag << " " << b.channels << " " << b.samplesPerBlock;
        // Five whole blocks, and what is left of a sixth: its header and two groups of samples.
        if (b.readable && b.tag == 0x11 && b.channels == 1) {
            EXPECT_EQ(out.size(), size_t(5 * 73 + 1 + 16));
        }
    }
}
