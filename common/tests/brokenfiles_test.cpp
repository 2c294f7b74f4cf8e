// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/inireader.h"
#include "common/sounddevice.h"
#include "common/wavinfo.h"
#include "platform/picture.h"

#include "testsupport/brokenfiles.h"
#include "testsupport/soundrecorder.h"
#include "testsupport/testsupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Peak resident memory of this process, in megabytes.
qint64 peakMegabytes() { return statusKilobytes("VmHWM") / 1024; }
}

TEST(BrokenFiles, EveryBrokenPictureIsRefusedWithItsName)
{
    TestFolders folders;
    for (const BrokenFile& f : makeBrokenPictures(folders.path("pics"))) {
        QString why;
        const QImage img = loadPicture(folders.path("pics/" + f.name), &why);
        if (img.isNull()) {
            EXPECT_TRUE(why.contains(f.name)) << qPrintable(f.what + ": " + why);
            EXPECT_TRUE(why.contains(f.cause)) << qPrintable(f.what + ": " + why);
        } else {
            EXPECT_TRUE(f.cause.isEmpty()) << qPrintable(f.what);
            // A decoder may make something of a damaged file; it must be of the size the file claims.
            EXPECT_LE(qint64(img.width()) * img.height(), kMaxPicturePixels) << qPrintable(f.what);
        }
    }
    for (const auto& [name, cause] : {std::pair{"huge.bmp", "too large"}, {"huge.gif", "too large"},
                                      {"bits.bmp", "63 bits per pixel"}, {"nosize.wmf", "gives no size"}}) {
        QString why;
        EXPECT_TRUE(loadPicture(folders.path("pics/") + name, &why).isNull()) << name;
        EXPECT_TRUE(why.contains(cause)) << qPrintable(why);
    }
}

TEST(BrokenFiles, BrokenSoundsNeverStallTheDevice)
{
    TestFolders folders;
    SoundRecorder recorder;
    for (const BrokenFile& f : makeBrokenSounds(folders.path("snd"))) {
        const WavInfo info = readWavInfo(folders.path("snd/" + f.name));
        // A lying header counts only the samples really there.
        EXPECT_LT(info.durationMs, 1000) << qPrintable(f.what);
        if (!f.cause.isEmpty()) {
            EXPECT_FALSE(info.playable) << qPrintable(f.what);
            EXPECT_TRUE(info.error.contains(f.cause)) << qPrintable(f.what + ": " + info.error);
        }
        SoundDevice device;
        QSignalSpy done(&device, &SoundDevice::Done);
        device.setFileName(folders.path("snd/" + f.name));
        device.setCommand("open");
        device.setCommand("play");
        EXPECT_TRUE(done.wait(2000) || done.size() == 1) << qPrintable(f.what);
        QTest::qWait(50);
        EXPECT_EQ(done.size(), 1) << qPrintable(f.what);
        EXPECT_NE(device.completionStatus(), 0) << qPrintable(f.what);
    }
    // Its length is its samples', whatever the header's byte rate says.
    EXPECT_EQ(readWavInfo(folders.path("snd/byte-rate.wav")).durationMs, 205);
}

TEST(BrokenFiles, FiftyMegabyteConfigurationIsReadInBoundedMemory)
{
    TestFolders folders;
    makeHugeConfiguration(folders.path("huge.ini"), "app=zypaint", 50);
    const qint64 before = peakMegabytes();
    IniReader reader;
    ASSERT_TRUE(reader.open(folders.path("huge.ini")));
    EXPECT_EQ(reader.readItem(), "app=zypaint");
    qint64 items = 0;
    while (!reader.atEnd()) {
        reader.readItem();
        ++items;
    }
    EXPECT_GT(items, 50 * 10000);
    // The file is streamed: far less than its size is ever held.
    if (kMemoryMeasurable) {
        EXPECT_LT(peakMegabytes() - before, 30);
    }
}
