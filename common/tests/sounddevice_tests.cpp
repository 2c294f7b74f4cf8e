// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/sounddevice.h"
#include "common/wavinfo.h"
#include "testsupport/soundrecorder.h"
#include "testsupport/testsupport.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

WavInfo infoOf(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readWavInfo(buffer, QStringLiteral("x.wav"));
}

void setLe32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

TEST(WavInfo, DurationComesFromTheHeader)
{
    const WavInfo info = infoOf(wavBytes(250));
    ASSERT_TRUE(info.playable) << qPrintable(info.error);
    EXPECT_EQ(info.durationMs, 250);
    EXPECT_EQ(info.sampleRate, 8000);
    EXPECT_EQ(info.bitsPerSample, 16);
}

TEST(WavInfo, OddChunksBeforeTheSamplesAreSkipped)
{
    QByteArray w = wavBytes(100);
    // A LIST chunk of odd size (padded to even) between "fmt " and "data".
    const QByteArray list = QByteArray("LIST") + QByteArray("\x03\0\0\0", 4) + QByteArray("abc") + QByteArray(1, '\0');
    w.insert(36, list);
    const WavInfo info = infoOf(w);
    ASSERT_TRUE(info.playable) << qPrintable(info.error);
    EXPECT_EQ(info.durationMs, 100);
}

TEST(WavInfo, ACutOffFileLastsAsLongAsTheSamplesItHas)
{
    QByteArray w = wavBytes(1000);
    w.truncate(44 + 8000); // half a second of samples, header still claiming one second
    EXPECT_EQ(infoOf(w).durationMs, 500);
    setLe32(w, 40, 0xFFFFFFFFu); // a length far past the end of the file
    EXPECT_EQ(infoOf(w).durationMs, 500);
}

TEST(WavInfo, WhatCannotBePlayedIsRefusedWithAReason)
{
    EXPECT_FALSE(infoOf("hello, this is text").playable);
    EXPECT_FALSE(infoOf(QByteArray()).playable);
    QByteArray noData = wavBytes(100).left(36);
    EXPECT_FALSE(infoOf(noData).playable);
    QByteArray compressed = wavBytes(100);
    compressed[20] = 2; // ADPCM
    const WavInfo adpcm = infoOf(compressed);
    EXPECT_FALSE(adpcm.playable);
    EXPECT_TRUE(adpcm.error.contains(QStringLiteral("x.wav")));
    QByteArray zeroRate = wavBytes(100);
    setLe32(zeroRate, 28, 0); // byte rate 0 would divide by zero
    EXPECT_FALSE(infoOf(zeroRate).playable);
    QByteArray empty = wavBytes(0);
    EXPECT_FALSE(infoOf(empty).playable);
    EXPECT_FALSE(readWavInfo(QStringLiteral("/nonexistent/none.wav")).playable);
}

// The event rules hold on every backend that runs without a person listening.
enum class Backend { Silent, Recording, AudioSink };

class SoundDeviceRules : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        folders.write(QStringLiteral("short.wav"), wavBytes(60));
        folders.write(QStringLiteral("other.wav"), wavBytes(60));
        folders.write(QStringLiteral("broken.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20));
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

    void playFile(const QString& name)
    {
        device->setCommand(QStringLiteral("close"));
        device->setFileName(folders.path(name));
        device->setCommand(QStringLiteral("open"));
        device->setCommand(QStringLiteral("play"));
    }

    TestFolders folders;
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    std::unique_ptr<SoundDevice> device;
    std::unique_ptr<QSignalSpy> done;
};

TEST_P(SoundDeviceRules, APlayEndsWithOneDoneAfterTheSoundsLength)
{
    playFile(QStringLiteral("short.wav"));
    EXPECT_TRUE(device->isOpen());
    EXPECT_EQ(device->completionStatus(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(done->count(), 0) << "ended before its length";
    ASSERT_TRUE(done->wait(5000));
    EXPECT_EQ(done->takeFirst().at(0).toInt(), int(SoundDevice::NotifySuccessful));
    EXPECT_NE(device->completionStatus(), 0);
    ASSERT_TRUE(letTicksPass(15));
    EXPECT_EQ(done->count(), 0) << "a second Done for one play";
}

TEST_P(SoundDeviceRules, RewindAndPlayAgainGivesOneDoneEachTime)
{
    playFile(QStringLiteral("short.wav"));
    ASSERT_TRUE(done->wait(5000));
    device->setCommand(QStringLiteral("prev"));
    device->setCommand(QStringLiteral("play"));
    EXPECT_EQ(device->completionStatus(), 0);
    ASSERT_TRUE(done->wait(5000));
    ASSERT_TRUE(letTicksPass(12));
    EXPECT_EQ(done->count(), 2);
}

TEST_P(SoundDeviceRules, CloseWhenClosedAndOpenWhenOpenDoNoHarm)
{
    device->setCommand(QStringLiteral("close"));
    device->setCommand(QStringLiteral("close"));
    EXPECT_FALSE(device->isOpen());
    device->setFileName(folders.path(QStringLiteral("short.wav")));
    device->setCommand(QStringLiteral("open"));
    device->setCommand(QStringLiteral("play"));
    device->setCommand(QStringLiteral("open")); // the same name: the play goes on
    EXPECT_EQ(device->completionStatus(), 0);
    ASSERT_TRUE(done->wait(5000));
    EXPECT_EQ(done->count(), 1);
    if (GetParam() == Backend::Recording) {
        EXPECT_EQ(calls->filter(QStringLiteral("load")).size(), 1);
    }
}

TEST_P(SoundDeviceRules, ACutShortPlayRaisesNoDone)
{
    for (const char* cut : {"stop", "close", "prev", "eject"}) {
        playFile(QStringLiteral("short.wav"));
        device->setCommand(QLatin1String(cut));
        EXPECT_NE(device->completionStatus(), 0) << cut;
    }
    // A new play of the other sound while one plays: only the new one ends.
    playFile(QStringLiteral("short.wav"));
    device->setFileName(folders.path(QStringLiteral("other.wav")));
    device->setCommand(QStringLiteral("open"));
    device->setCommand(QStringLiteral("play"));
    ASSERT_TRUE(done->wait(5000));
    ASSERT_TRUE(letTicksPass(15));
    EXPECT_EQ(done->count(), 1);
    EXPECT_TRUE(device->openFile().endsWith(QStringLiteral("other.wav")));
}

TEST_P(SoundDeviceRules, AnUnplayableFileReportsCompletionAtOnceAndOnlyOnce)
{
    for (const char* name : {"broken.wav", "missing.wav"}) {
        playFile(QLatin1String(name));
        EXPECT_FALSE(device->isOpen()) << name;
        EXPECT_EQ(device->completionStatus(), int(SoundDevice::StatusFailed)) << name;
        EXPECT_EQ(done->count(), 0) << "Done inside the command that failed";
        ASSERT_TRUE(done->wait(1000)) << name;
        EXPECT_EQ(done->takeFirst().at(0).toInt(), int(SoundDevice::NotifyFailure));
        QTest::qWait(50);
        EXPECT_EQ(done->count(), 0) << name;
    }
    // A caller that goes on at once (and issues its next command) gets no late report.
    playFile(QStringLiteral("broken.wav"));
    device->setCommand(QStringLiteral("close"));
    QTest::qWait(50);
    EXPECT_EQ(done->count(), 0);
}

TEST_P(SoundDeviceRules, StatusUpdatesComeWhileASoundIsOpen)
{
    device->setUpdateInterval(10);
    QSignalSpy updates(device.get(), &SoundDevice::StatusUpdate);
    QTest::qWait(40);
    EXPECT_EQ(updates.count(), 0) << "updates while closed";
    device->setFileName(folders.path(QStringLiteral("short.wav")));
    device->setCommand(QStringLiteral("open"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return updates.count() >= 2; }, 5000));
    device->setCommand(QStringLiteral("close"));
    updates.clear();
    QTest::qWait(40);
    EXPECT_EQ(updates.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SoundDeviceRules,
                         ::testing::Values(Backend::Silent, Backend::Recording, Backend::AudioSink),
                         [](const auto& test) {
                             switch (test.param) {
                             case Backend::Silent: return std::string("Silent");
                             case Backend::Recording: return std::string("Recording");
                             default: return std::string("AudioSink");
                             }
                         });

TEST(SoundDevice, TheRecorderStandsInForEveryNewDevice)
{
    TestFolders folders;
    folders.write(QStringLiteral("a.wav"), wavBytes(20));
    folders.write(QStringLiteral("b.wav"), wavBytes(20));
    SoundRecorder recorder;
    SoundDevice device;
    device.setFileName(folders.path(QStringLiteral("a.wav")));
    device.setCommand(QStringLiteral("Open")); // the words are read without regard to case
    device.setCommand(QStringLiteral("play"));
    device.setFileName(folders.path(QStringLiteral("b.wav")));
    device.setCommand(QStringLiteral("open"));
    device.setCommand(QStringLiteral("rewind")); // not a command: ignored
    EXPECT_EQ(*recorder.calls, (QStringList{QStringLiteral("load a.wav"), QStringLiteral("play"), QStringLiteral("stop"),
                                            QStringLiteral("unload"), QStringLiteral("load b.wav")}));
}

TEST(SoundDevice, OnlyACommandBeforeDoneSilencesTheSound)
{
    TestFolders folders;
    folders.write(QStringLiteral("a.wav"), wavBytes(30));
    SoundRecorder recorder;
    SoundDevice device;
    QSignalSpy done(&device, &SoundDevice::Done);
    device.setFileName(folders.path(QStringLiteral("a.wav")));
    device.setCommand(QStringLiteral("open"));
    device.setCommand(QStringLiteral("play"));
    ASSERT_TRUE(done.wait(2000));
    // The server may still be sounding its last part: nothing here may cut it.
    for (const char* c : {"stop", "prev", "eject", "close"})
        device.setCommand(QLatin1String(c));
    EXPECT_EQ(*recorder.calls, (QStringList{QStringLiteral("load a.wav"), QStringLiteral("play"), QStringLiteral("unload")}));

    // A close while the sound is still reported playing silences it.
    recorder.calls->clear();
    device.setCommand(QStringLiteral("open"));
    device.setCommand(QStringLiteral("play"));
    device.setCommand(QStringLiteral("close"));
    EXPECT_EQ(*recorder.calls, (QStringList{QStringLiteral("load a.wav"), QStringLiteral("play"), QStringLiteral("stop"),
                                            QStringLiteral("unload")}));
}
