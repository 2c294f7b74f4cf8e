// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/classroom.h"
#include "common/classroomkeys.h"
#include "common/fullscreen.h"
#include "common/sounddevice.h"
#include "platform/soundmute.h"
#include "testsupport/keycases.h"
#include "testsupport/soundrecorder.h"
#include "testsupport/testsupport.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
struct Unmuted {
    Unmuted() { SoundMute::instance().setMuted(false); }
    ~Unmuted() { SoundMute::instance().setMuted(false); }
};
}

TEST(Classroom, EachKeyHasItsDefaultAndTheDelayItsBounds)
{
    TestFolders folders;
    const ClassroomSettings none;
    EXPECT_FALSE(none.fullscreen || none.noquit || none.mute || none.keeppainting);
    EXPECT_TRUE(none.singleinstance && none.print);
    EXPECT_EQ(none.printdelay, 0);

    for (const auto& [delay, seconds] : {std::pair{"-30", 0}, {"999999", 32767}}) {
        folders.write("a.ini", QByteArray("[classroom]\r\nprintdelay=") + delay);
        EXPECT_EQ(readClassroomSettings(folders.path("a.ini")).printdelay, seconds) << delay;
    }

    // A file that cannot be read gives the defaults, not a failure.
    const ClassroomSettings missing = readClassroomSettings(folders.path("none.ini"));
    EXPECT_TRUE(missing.singleinstance);
}

// Each row of [classroom] reaches the settings start-up reads before the rest of the file, after
// a splash screen too, and the same key in another section is not taken.
TEST(Classroom, EveryRowReachesTheSettingsReadFirst)
{
    TestFolders folders;
    ClassroomSettings unused;
    const KeyTable table{{{{"classroom"}, classroomRows(unused, true)}}};
    // No file: this early read tells nothing of wrong values.
    expectEveryRowReads(keyCases(table), QString(), [&](const KeyCase& c, const QString& value, QVector<Finding>&, int&) {
        folders.write("a.ini", "app=zypaint\r\n[splash screen]\r\nactive=1\r\n" + c.lines(value) + "[help]\r\n" + c.key.toUtf8() + "=" + c.a.toUtf8());
        return readClassroomSettings(folders.path("a.ini"));
    });
}

TEST(Classroom, AMutedSoundIsNotHeardYetEndsOnTime)
{
    Unmuted guard;
    TestFolders folders;
    folders.write("a.wav", wavBytes(200));
    SoundRecorder recorder;
    SoundDevice device;
    QSignalSpy done(&device, &SoundDevice::Done);
    device.setFileName(folders.path("a.wav"));
    device.setCommand("open");

    SoundMute::instance().setMuted(true);
    device.setCommand("play");
    EXPECT_EQ(recorder.count("play"), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(device.completionStatus(), SoundDevice::StatusPlaying) << "a muted sound ended before its length";
    ASSERT_TRUE(done.wait(3000));
    EXPECT_EQ(done.at(0).at(0).toInt(), int(SoundDevice::NotifySuccessful));

    // Muting in the middle of a sound silences it at once; its end still comes.
    SoundMute::instance().setMuted(false);
    device.setCommand("play");
    EXPECT_EQ(recorder.count("play"), 1);
    SoundMute::instance().setMuted(true);
    EXPECT_EQ(recorder.count("stop"), 1);
    ASSERT_TRUE(done.wait(3000));
    EXPECT_EQ(done.size(), 2);
}

TEST(Classroom, CtrlMMutesAndCtrlShiftQEndsOnlyWhereQuittingIsForbidden)
{
    Unmuted guard;
    int ends = 0;
    ClassroomKeys withEnd([&ends] { ++ends; });
    ClassroomKeys withoutEnd({});
    const QKeyEvent ctrlM(QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier);
    const QKeyEvent plainM(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier);
    const QKeyEvent repeatM(QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier, QString(), true);
    const QKeyEvent quit(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    const QKeyEvent ctrlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);

    EXPECT_TRUE(withoutEnd.handle(ctrlM));
    EXPECT_TRUE(SoundMute::instance().muted());
    EXPECT_TRUE(withoutEnd.handle(repeatM)); // a held key does not flicker the sound
    EXPECT_TRUE(SoundMute::instance().muted());
    EXPECT_TRUE(withEnd.handle(ctrlM));
    EXPECT_FALSE(SoundMute::instance().muted());
    EXPECT_FALSE(withEnd.handle(plainM));

    EXPECT_FALSE(withoutEnd.handle(quit)); // without noquit the key is the window's own
    EXPECT_FALSE(withEnd.handle(ctrlQ));
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(withEnd.handle(quit));
    EXPECT_EQ(ends, 1);
}

TEST(Classroom, FullScreenGrowsTheWindowUniformlyToTheLargestSizeThatFits)
{
    EXPECT_DOUBLE_EQ(fullscreenFactor(QSize(1920, 1080), QSize(641, 481)), 2.24);
    EXPECT_DOUBLE_EQ(fullscreenFactor(QSize(1282, 962), QSize(641, 481)), 2.0);
    EXPECT_DOUBLE_EQ(fullscreenFactor(QSize(3840, 1080), QSize(641, 481)), 2.24); // the height decides
    EXPECT_DOUBLE_EQ(fullscreenFactor(QSize(640, 480), QSize(641, 481)), 1.0);    // never smaller
    EXPECT_DOUBLE_EQ(fullscreenFactor(QSize(1920, 1080), QSize()), 1.0);
    // The grown window never runs off the screen.
    for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768), QSize(1024, 768), QSize(2560, 1600)}) {
        const double f = fullscreenFactor(screen, QSize(641, 481));
        EXPECT_LE(641 * f, screen.width());
        EXPECT_LE(481 * f, screen.height());
    }
}
