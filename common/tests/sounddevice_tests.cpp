// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/sounddevice.h"
#include "common/wavinfo.h"
#include "platform/pcmsource.h"
#include "testsupport/soundrecorder.h"
#include "testsupport/testsupport.h"

#include <QBuffer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

WavInfo infoOf(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readWavInfo(buffer, "x.wav");
}

QByteArray withLe32(QByteArray b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

} // namespace

TEST(WavInfo, DurationIsThatOfTheSamplesThere)
{
    const WavInfo info = infoOf(wavBytes(250));
    ASSERT_TRUE(info.playable) << qPrintable(info.error);
    EXPECT_EQ(info.sampleRate, 8000);
    EXPECT_EQ(info.bitsPerSample, 16);
    // A LIST chunk of odd size (padded to even) between "fmt " and "data" is skipped.
    const QByteArray list = QByteArray("LIST\x03\0\0\0abc\0", 12);
    // Half a second of samples, the header claiming one second, then a length far past the end.
    const QByteArray cut = wavBytes(1000).left(44 + 8000);
    const std::pair<QByteArray, int> cases[] = {
        {wavBytes(250), 250}, {wavBytes(100).insert(36, list), 100}, {cut, 500}, {withLe32(cut, 40, 0xFFFFFFFFu), 500}};
    for (const auto& [bytes, ms] : cases) {
        EXPECT_TRUE(infoOf(bytes).playable) << ms;
        EXPECT_EQ(infoOf(bytes).durationMs, ms);
    }
}

TEST(WavInfo, WhatCannotBePlayedIsRefusedWithAReason)
{
    QByteArray adpcm = wavBytes(100);
    adpcm[20] = 2;
    // Text, nothing, no data chunk, ADPCM, a byte rate of 0 (a division by zero), no samples.
    for (const QByteArray& bytes : {QByteArray("hello, this is text"), QByteArray(), wavBytes(100).left(36), adpcm,
                                    withLe32(wavBytes(100), 28, 0), wavBytes(0)})
        EXPECT_FALSE(infoOf(bytes).playable) << bytes.size();
    EXPECT_TRUE(infoOf(adpcm).error.contains("x.wav"));
    EXPECT_FALSE(readWavInfo(QStringLiteral("/nonexistent/none.wav")).playable);
}

// Sounds that sox writes in every compressed kind Windows plays without a codec of its own: each
// plays as sox itself decodes it, to its last frame. A kind that is not played is named.
TEST(WavInfo, CompressedSoundsOfAnotherProgramPlayAsItDecodesThem)
{
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        GTEST_SKIP() << "sox is needed to write compressed sounds";
    TestFolders f;
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(sox, args);
        return p.waitForFinished(60000) && p.exitCode() == 0;
    };
    // A sweep on one channel and a tone on the other, of a length that ends inside a block.
    ASSERT_TRUE(run({"-n", "-r", "22050", "-c", "2", "-b", "16", f.path("tone.wav"), "synth", "0.73", "sine", "100-6000",
                     "sine", "440", "vol", "0.9"}));
    const auto samples = [](const QString& path, const WavInfo& info) {
        PcmSource source(path, info.layout(), info.sampleRate, 0, 0);
        source.open(QIODevice::ReadOnly);
        std::vector<float> out;
        char chunk[4 * 7]; // small reads, whose ends fall anywhere in a block
        for (qint64 n; (n = source.read(chunk, sizeof chunk)) > 0;) {
            out.resize(out.size() + size_t(n) / sizeof(float));
            std::memcpy(out.data() + out.size() - size_t(n) / sizeof(float), chunk, size_t(n));
        }
        return out;
    };
    for (const char* kind : {"ima-adpcm", "ms-adpcm", "u-law", "a-law"}) {
        for (const char* channels : {"1", "2"}) {
            const QString name = QStringLiteral("%1-%2").arg(kind, channels);
            const QString coded = f.path(name + ".wav"), plain = f.path(name + "-plain.wav");
            ASSERT_TRUE(run({f.path("tone.wav"), "-c", channels, "-e", kind, coded}));
            ASSERT_TRUE(run({coded, "-e", "signed-integer", "-b", "16", plain}));
            const WavInfo info = readWavInfo(coded), reference = readWavInfo(plain);
            ASSERT_TRUE(info.playable) << qPrintable(name) << " " << qPrintable(info.error);
            // sox decodes an ADPCM file's last block whole; the file's own count of its frames
            // says where the sound ends.
            const qint64 frames = qint64(0.73 * 22050);
            EXPECT_EQ(info.durationMs, (frames * 1000 + 22049) / 22050) << qPrintable(name);
            const std::vector<float> got = samples(coded, info), want = samples(plain, reference);
            ASSERT_EQ(got.size(), size_t(frames * info.channels)) << qPrintable(name);
            ASSERT_GE(want.size(), got.size()) << qPrintable(name);
            float worst = 0;
            for (size_t i = 0; i < got.size(); ++i)
                worst = std::max(worst, std::abs(got[i] - want[i]));
            EXPECT_EQ(worst, 0.0f) << qPrintable(name);
            EXPECT_GT(*std::max_element(got.begin(), got.end()), 0.5f) << qPrintable(name);
        }
    }
    // A header whose blocks cannot hold the frames it claims is refused; a block with a predictor
    // the header does not have is silence, and the rest plays.
    QFile file(f.path("ms-adpcm-1.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ms = file.readAll();
    const WavInfo good = readWavInfo(f.path("ms-adpcm-1.wav"));
    QByteArray spb = ms;
    spb[38] = char(0x88), spb[39] = char(0x13); // 5000 frames in a block of 512 bytes
    f.write("spb.wav", spb);
    EXPECT_TRUE(readWavInfo(f.path("spb.wav")).error.contains("its MS ADPCM samples are stored in an unknown way"));
    QByteArray badBlock = ms;
    badBlock[int(good.dataOffset + good.blockAlign)] = char(200);
    f.write("predictor.wav", badBlock);
    const std::vector<float> played = samples(f.path("predictor.wav"), good);
    ASSERT_EQ(played.size(), size_t(0.73 * 22050));
    const auto block = played.begin() + good.samplesPerBlock;
    EXPECT_TRUE(std::all_of(block, block + good.samplesPerBlock, [](float v) { return v == 0; }));
    EXPECT_GT(*std::max_element(block + good.samplesPerBlock, played.end()), 0.5f);

    ASSERT_TRUE(run({f.path("tone.wav"), "-c", "1", "-r", "8000", "-e", "gsm-full-rate", f.path("gsm.wav")}));
    EXPECT_EQ(readWavInfo(f.path("gsm.wav")).error,
              QStringLiteral("Sound '%1' cannot be played: its samples are compressed as GSM 6.10 (format 49).").arg(f.path("gsm.wav")));
}

// The event rules hold on every backend that runs without a person listening.
enum class Backend { Silent, Recording, AudioSink };

class SoundDeviceRules : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        folders.write("short.wav", wavBytes(60));
        folders.write("other.wav", wavBytes(60));
        folders.write("broken.wav", QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20));
        std::unique_ptr<SoundBackend> backend;
        switch (GetParam()) {
        case Backend::Silent: backend = std::make_unique<SilentSoundBackend>(); break;
        case Backend::Recording: backend = std::make_unique<RecordingSoundBackend>(calls); break;
        case Backend::AudioSink: backend = std::make_unique<AudioSinkBackend>(); break;
        }
        device = std::make_unique<SoundDevice>(std::move(backend));
        done = std::make_unique<QSignalSpy>(device.get(), &SoundDevice::Done);
    }

    // Lets an open device report its status n more times: long enough for a late Done to show.
    bool letTicksPass(int n)
    {
        device->setUpdateInterval(10);
        QSignalSpy ticks(device.get(), &SoundDevice::StatusUpdate);
        return QTest::qWaitFor([&] { return ticks.count() >= n; }, 5000);
    }

    void command(const char* c) { device->setCommand(QLatin1String(c)); }
    void playFile(const char* name, bool closeFirst = true)
    {
        if (closeFirst)
            command("close");
        device->setFileName(folders.path(QLatin1String(name)));
        command("open");
        command("play");
    }

    TestFolders folders;
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<QSignalSpy> done;
};

// One Done after the sound's length, then none; rewound and played again, one more.
TEST_P(SoundDeviceRules, EachPlayEndsWithOneDoneAfterTheSoundsLength)
{
    playFile("short.wav");
    EXPECT_TRUE(device->isOpen());
    EXPECT_EQ(device->completionStatus(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(done->count(), 0) << "ended before its length";
    ASSERT_TRUE(done->wait(5000));
    EXPECT_EQ(done->at(0).at(0).toInt(), int(SoundDevice::NotifySuccessful));
    EXPECT_NE(device->completionStatus(), 0);
    ASSERT_TRUE(letTicksPass(15));
    EXPECT_EQ(done->count(), 1) << "a second Done for one play";

    command("prev");
    command("play");
    EXPECT_EQ(device->completionStatus(), 0);
    ASSERT_TRUE(done->wait(5000));
    ASSERT_TRUE(letTicksPass(12));
    EXPECT_EQ(done->count(), 2);
}

TEST_P(SoundDeviceRules, CloseWhenClosedAndOpenWhenOpenDoNoHarm)
{
    command("close");
    command("close");
    EXPECT_FALSE(device->isOpen());
    playFile("short.wav", false);
    command("open"); // the same name: the play goes on
    EXPECT_EQ(device->completionStatus(), 0);
    ASSERT_TRUE(done->wait(5000));
    EXPECT_EQ(done->count(), 1);
    if (GetParam() == Backend::Recording) {
        EXPECT_EQ(calls->filter("load").size(), 1);
    }
}

TEST_P(SoundDeviceRules, ACutShortPlayRaisesNoDone)
{
    for (const char* cut : {"stop", "close", "prev", "eject"}) {
        playFile("short.wav");
        command(cut);
        EXPECT_NE(device->completionStatus(), 0) << cut;
    }
    // A new play of the other sound while one plays: only the new one ends.
    playFile("short.wav");
    playFile("other.wav", false);
    ASSERT_TRUE(done->wait(5000));
    ASSERT_TRUE(letTicksPass(15));
    EXPECT_EQ(done->count(), 1);
    EXPECT_TRUE(device->openFile().endsWith("other.wav"));
}

TEST_P(SoundDeviceRules, AnUnplayableFileReportsCompletionAtOnceAndOnlyOnce)
{
    for (const char* name : {"broken.wav", "missing.wav"}) {
        playFile(name);
        EXPECT_FALSE(device->isOpen()) << name;
        EXPECT_EQ(device->completionStatus(), int(SoundDevice::StatusFailed)) << name;
        EXPECT_EQ(done->count(), 0) << "Done inside the command that failed";
        ASSERT_TRUE(done->wait(1000)) << name;
        EXPECT_EQ(done->takeFirst().at(0).toInt(), int(SoundDevice::NotifyFailure));
        QTest::qWait(50);
        EXPECT_EQ(done->count(), 0) << name;
    }
    // A caller that goes on at once (and issues its next command) gets no late report.
    playFile("broken.wav");
    command("close");
    QTest::qWait(50);
    EXPECT_EQ(done->count(), 0);
}

TEST_P(SoundDeviceRules, StatusUpdatesComeWhileASoundIsOpen)
{
    QSignalSpy updates(device.get(), &SoundDevice::StatusUpdate);
    // The first comes at once, not after the period: the game waits for its sounds from then on.
    device->setUpdateInterval(3600 * 1000);
    device->setFileName(folders.path("short.wav"));
    command("open");
    EXPECT_EQ(updates.count(), 0) << "an update inside the open";
    EXPECT_TRUE(QTest::qWaitFor([&] { return updates.count() >= 1; }, 5000));
    command("close");
    device->setUpdateInterval(10);
    updates.clear();
    QTest::qWait(40);
    EXPECT_EQ(updates.count(), 0) << "updates while closed";
    command("open");
    EXPECT_TRUE(QTest::qWaitFor([&] { return updates.count() >= 3; }, 5000));
    command("close");
    updates.clear();
    QTest::qWait(40);
    EXPECT_EQ(updates.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SoundDeviceRules, ::testing::Values(Backend::Silent, Backend::Recording, Backend::AudioSink),
                         [](const auto& test) { return std::string(std::array{"Silent", "Recording", "AudioSink"}[int(test.param)]); });

TEST(SoundDevice, TheRecorderStandsInForEveryNewDevice)
{
    TestFolders folders;
    folders.write("a.wav", wavBytes(20));
    folders.write("b.wav", wavBytes(20));
    SoundRecorder recorder;
    SoundDevice device;
    device.setFileName(folders.path("a.wav"));
    device.setCommand("Open"); // the words are read without regard to case
    device.setCommand("play");
    device.setFileName(folders.path("b.wav"));
    device.setCommand("open");
    device.setCommand("rewind"); // not a command: ignored
    EXPECT_EQ(*recorder.calls, (QStringList{"load a.wav", "play", "stop", "unload", "load b.wav"}));
}

TEST(SoundDevice, OnlyACommandBeforeDoneSilencesTheSound)
{
    TestFolders folders;
    folders.write("a.wav", wavBytes(30));
    SoundRecorder recorder;
    SoundDevice device;
    QSignalSpy done(&device, &SoundDevice::Done);
    device.setFileName(folders.path("a.wav"));
    device.setCommand("open");
    device.setCommand("play");
    ASSERT_TRUE(done.wait(2000));
    // The server may still be sounding its last part: nothing here may cut it.
    for (const char* c : {"stop", "prev", "eject", "close"})
        device.setCommand(QLatin1String(c));
    EXPECT_EQ(*recorder.calls, (QStringList{"load a.wav", "play", "unload"}));

    // A close while the sound is still reported playing silences it.
    recorder.calls->clear();
    device.setCommand("open");
    device.setCommand("play");
    device.setCommand("close");
    EXPECT_EQ(*recorder.calls, (QStringList{"load a.wav", "play", "stop", "unload"}));
}
