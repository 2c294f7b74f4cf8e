// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"
#include "soundcheck.h"

#include "testsupport/brokenfiles.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(BrokenFilesEndToEnd, BrushboxOnAThemeOfBrokenFilesRunsOn)
{
    REQUIRE_X();
    ThemeFolder t;
    const QList<BrokenFile> pictures = makeBrokenPictures(t.path("gfx"));
    makeBrokenSounds(t.path("snd"));
    QDir().mkpath(t.path("pictures/Broken"));
    makeBrokenPictures(t.path("pictures/Broken"));
    // Every picture and sound key names a broken file, in turn through the corpus.
    QByteArray ini = "app=zypaint\r\n" + t.brushboxPaths();
    ini += "[interface]\r\nbackground=header-only.bmp\r\nstartsound=lying.wav\r\nbuttonsound=text.wav\r\ngoodsound=folder.wav\r\n"
           "smallquit=huge.bmp\r\nsmallhelp=empty.gif\r\n[help]\r\nactive=1\r\npicture=corrupted.jpg\r\n"
           "[palette]\r\nactive=1\r\nnormal=huge.gif\r\ninactive=text.bmp\r\n[current]\r\nactive=1\r\n";
    const char* const buttons[] = {"draw", "spray", "fill", "clear", "print", "save", "open", "quit", "sound"};
    for (int i = 0; i < 9; ++i) {
        ini += QByteArray("[") + buttons[i] + " button]\r\nactive=1\r\n";
        for (const char* key : {"picnormal", "pichighlight", "picdown", "picinactive", "piccurrent", "piccurmini"})
            ini += QByteArray(key) + "=" + pictures[(i * 6 + int(qstrlen(key))) % pictures.size()].name.toUtf8() + "\r\n";
    }
    ini += "[open]\r\nbackground=header-only.wmf\r\nsound=zero-rate.wav\r\n[save]\r\nbackground=folder.bmp\r\n"
           "[catalogs]\r\nBroken\t1\r\n";
    t.write("zypaint.ini", ini);
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    run.answerMessages("brushbox: ");
    ASSERT_TRUE(run.running()) << qPrintable(run.stderrText());
    EXPECT_NE(x->waitForWindow("Brushbox"), 0u);
    x->screenshot(QDir::temp().filePath("e2e-broken-brushbox.png"));
    EXPECT_TRUE(run.stderrText().contains("Could not load main background picture")) << qPrintable(run.stderrText());
    if (kMemoryMeasurable) {
        EXPECT_LT(run.peakMegabytes(), 200);
    }
    run.endWithEscape();
}

// A click sound whose header gives 8 samples a second once ended Brushbox (SIGFPE in the sound
// server's output) at the first button press; the start sound gave 2^31.
TEST(BrokenFilesEndToEnd, BrushboxWithSoundsOfImpossibleRatesOnARealSoundServer)
{
    REQUIRE_X();
    REQUIRE_SOUND();
    ThemeFolder t;
    QByteArray ini = t.copySampleBrushbox();
    makeBrokenSounds(t.path("snd"));
    QString text = QString::fromUtf8(ini);
    text.replace(QRegularExpression("buttonsound=[^\r\n]*"), "buttonsound=low-rate.wav");
    text.replace(QRegularExpression("startsound=[^\r\n]*"), "startsound=huge-rate.wav");
    t.write("zypaint.ini", text.toUtf8());
    QProcessEnvironment env;
    env.insert("PULSE_SERVER", sound->address());
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows(), env);
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QPoint origin = x->geometry(window).topLeft();
    for (const QPoint button : {QPoint(60, 60), QPoint(164, 172), QPoint(60, 60)})
        x->click(origin + button);
    EXPECT_FALSE(run.waitForExit(2000)) << "exit code " << run.exitCode() << ": " << qPrintable(run.stderrText());
    run.endWithEscape();
}

TEST(BrokenFilesEndToEnd, FoldersAndFilesSwappedAndAHugeConfiguration)
{
    REQUIRE_X();
    {
        // A file where the graphics folder should be.
        ThemeFolder t;
        t.write("gfx", "not a folder");
        t.write("zypaint.ini", "app=zypaint\r\n" + t.brushboxPaths());
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        ASSERT_TRUE(run.waitForStderr("Bad graphics path: '" + t.path("gfx") + "'")) << qPrintable(run.stderrText());
        run.answerMessages("brushbox: ", 500);
        EXPECT_TRUE(run.waitForExit());
    }
    {
        // A folder where the configuration file should be.
        ThemeFolder t;
        QDir().mkpath(t.path("zypaint.ini"));
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        EXPECT_TRUE(run.waitForStderr("does not exist")) << qPrintable(run.stderrText());
        run.answerMessages("brushbox: ", 500);
        EXPECT_TRUE(run.waitForExit());
    }
    {
        // 50 MB of noise after a good first line.
        ThemeFolder t;
        QDir().mkpath(t.path("gfx"));
        makeHugeConfiguration(t.path("zypaint.ini"), "app=zypaint", 50);
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        // Read three times before the window (full screen, one copy, the rest): slow in a sanitizer build.
        EXPECT_NE(x->waitForWindow("Brushbox", 90000), 0u) << qPrintable(run.stderrText());
        run.answerMessages("brushbox: ", 500);
        EXPECT_TRUE(run.running()) << qPrintable(run.stderrText());
        if (kMemoryMeasurable) {
            EXPECT_LT(run.peakMegabytes(), 200);
        }
        run.endWithEscape();
    }
}

TEST(BrokenFilesEndToEnd, TwinturnWithBrokenCardPicturesAndSounds)
{
    REQUIRE_X();
    ThemeFolder t;
    t.copySampleTwinturn();
    // Break every card picture and sound of the sample game, keeping their names.
    const QList<BrokenFile> pictures = makeBrokenPictures(t.path("broken"));
    const QList<BrokenFile> sounds = makeBrokenSounds(t.path("brokensnd"));
    int i = 0;
    for (const QString& dir : {QStringLiteral("games/cards"), QStringLiteral("games/sfx")}) {
        for (const QString& name : QDir(t.path(dir)).entryList(QDir::Files)) {
            const bool sound = name.endsWith(".wav", Qt::CaseInsensitive);
            const QString from = sound ? t.path("brokensnd/" + sounds[i % sounds.size()].name)
                                       : t.path("broken/" + pictures[i % pictures.size()].name);
            ++i;
            if (QFileInfo(from).isDir())
                continue;
            QFile::remove(t.path(dir + "/" + name));
            QFile::copy(from, t.path(dir + "/" + name));
        }
    }
    ProgramRun run(TWINTURN_EXE, {t.path("memory.ini")}, t.windows());
    run.answerMessages("twinturn: ");
    x->screenshot(QDir::temp().filePath("e2e-broken-twinturn.png"));
    // It either plays on the pictures it could read or ends after its message: never a crash.
    if (run.running()) {
        if (kMemoryMeasurable) {
            EXPECT_LT(run.peakMegabytes(), 200);
        }
        run.kill();
    } else {
        EXPECT_EQ(run.exitCode(), 1) << qPrintable(run.stderrText());
        EXPECT_TRUE(run.stderrText().contains("twinturn: ")) << qPrintable(run.stderrText());
    }
}

TEST(BrokenFilesEndToEnd, LogThatCannotBeWrittenIsSkipped)
{
    REQUIRE_X();
    ThemeFolder t;
    t.copyFromSample("gfx", "gfx");
    QDir().mkpath(t.path("snd"));
    QDir().mkpath(t.path("pictures"));
    t.write("zypaint.ini", "app=zypaint\r\ndebug=1\r\n" + t.brushboxPaths() + "[interface]\r\nbackground=background.bmp\r\n");
    QDir().mkpath(t.path("logdir/brushbox.log"));
    t.write("afile", "a file where the system folder should be");
    // Missing, a file, and a folder holding a folder named like the log.
    for (const QString& windows : {t.path("missing"), t.path("afile"), t.path("logdir")}) {
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, windows);
        EXPECT_GE(run.answerMessages("brushbox: ", 800), 1) << qPrintable(run.stderrText());
        EXPECT_TRUE(run.stderrText().contains("Debug Mode"));
        EXPECT_NE(x->waitForWindow("Brushbox", 5000), 0u) << qPrintable(windows + ": " + run.stderrText());
        EXPECT_TRUE(run.running()) << qPrintable(run.stderrText());
        run.endWithEscape();
    }
    EXPECT_TRUE(QFileInfo(t.path("logdir/brushbox.log")).isDir());
}
