// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"
#include "soundcheck.h"

#include "common/fullscreen.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QByteArray paintTheme(const ThemeFolder& t, const QByteArray& classroom)
{
    t.copyFromSample("gfx", "gfx");
    t.copyFromSample("snd", "snd");
    QDir().mkpath(t.path("pictures"));
    return "app=zypaint\r\n" + t.brushboxPaths() + "[interface]\r\nbackground=background.bmp\r\nbuttonsound=click.wav\r\n"
           "[clear button]\r\nactive=1\r\npicnormal=clear.bmp\r\n[classroom]\r\n" + classroom;
}

} // namespace

TEST(ClassroomEndToEnd, ASecondStartBringsTheFirstForwardAndACrashedCopyLeavesNoLock)
{
    REQUIRE_X();
    ThemeFolder t;
    t.write("zypaint.ini", paintTheme(t, ""));
    t.copySampleTwinturn();
    ProgramRun first(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(first.stderrText());
    const QRect area = x->geometry(window);
    const QImage alone = x->stillScreen();

    // Twinturn fills the screen over it.
    ProgramRun game(TWINTURN_EXE, {t.path("memory.ini")}, t.windows());
    ASSERT_NE(x->waitForWindow("Twinturn"), 0u) << qPrintable(game.stderrText());
    ASSERT_TRUE(waitFor([&] { return x->screenshot().copy(area) != alone.copy(area); })) << "Twinturn does not cover the paint window";

    ProgramRun second(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    ASSERT_TRUE(second.waitForExit(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.stderrText().contains("brushbox: already running")) << qPrintable(second.stderrText());
    EXPECT_TRUE(waitFor([&] { return x->screenshot().copy(area) == alone.copy(area); }, 5000))
        << "the first copy did not come to the front";
    EXPECT_TRUE(first.running());

    // A copy that crashed holds the lock no more.
    first.kill();
    ProgramRun after(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    EXPECT_NE(x->waitForWindow("Brushbox"), 0u) << qPrintable(after.stderrText());
    EXPECT_TRUE(after.running());

    // Without singleinstance two copies run side by side.
    t.write("loose.ini", paintTheme(t, "singleinstance=0\r\n"));
    ProgramRun loose(BRUSHBOX_EXE, {t.path("loose.ini")}, t.windows());
    EXPECT_TRUE(waitFor([&] { return x->windows("Brushbox").size() == 2; })) << qPrintable(loose.stderrText());
    EXPECT_TRUE(loose.running());
}

TEST(ClassroomEndToEnd, MuteStartsSilentAndCtrlMBringsTheSoundBack)
{
    REQUIRE_X();
    REQUIRE_SOUND();
    ThemeFolder t;
    t.write("zypaint.ini", paintTheme(t, "mute=1\r\n"));
    const double tone = 1800;
    t.write("snd/click.wav", toneWav(tone, 400));
    SoundRecording recording(*sound);
    QProcessEnvironment env;
    env.insert("PULSE_SERVER", sound->address());
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows(), env);
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QRect area = x->geometry(window);
    const QPoint clear = area.topLeft() + QPoint(40, 255); // the clear button, which clicks
    x->stillScreen();
    x->click(clear);
    EXPECT_FALSE(recording.waitForToneEnd(tone, 0, 1000)) << "heard while muted";
    x->focus(window);
    // The window takes its X events in order: the key is taken before the click after it.
    const double unmuted = x->key("ctrl+m");
    x->click(clear);
    recording.waitForToneEnd(tone, unmuted);
    recording.stop();
    const QVector<SoundRecording::Span> heard = recording.heard(tone);
    ASSERT_FALSE(heard.isEmpty()) << "the click was not heard after Ctrl+M";
    for (const SoundRecording::Span& s : heard)
        EXPECT_GT(s.startMs, unmuted - 50) << "heard while muted";
}

TEST(ClassroomEndToEnd, FullScreenBrushboxFillsTheScreenAndTheCanvasTakesClicksWhereItIsShown)
{
    REQUIRE_X();
    ThemeFolder t;
    t.write("zypaint.ini", paintTheme(t, "fullscreen=1\r\n")); // no draw button: the fill tool is in hand
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QImage before = x->stillScreen();
    EXPECT_EQ(x->geometry(window), QRect(QPoint(0, 0), before.size()));

    // Where the canvas is shown: its place on the 641 x 481 window, grown and centred.
    const double f = fullscreenFactor(before.size(), QSize(641, 481));
    const QSize logical(int(before.width() / f), int(before.height() / f));
    const QPointF origin((logical.width() - 641) / 2, (logical.height() - 481) / 2);
    auto shown = [&](double cx, double cy) { return QPoint(int((origin.x() + 224 + cx) * f), int((origin.y() + 16 + cy) * f)); };
    const QPoint middle = shown(200, 200);
    x->click(middle);
    const QImage after = x->changedScreen(before);
    after.save(QDir::temp().filePath("e2e-brushbox-fullscreen.png"));
    // The whole canvas, and only the canvas, took the fill's black.
    for (const QPoint p : {shown(3, 3), shown(397, 397), middle})
        EXPECT_EQ(QColor(after.pixel(p)), QColor(Qt::black)) << p.x() << "," << p.y();
    for (const QPoint p : {shown(-12, 200), shown(200, 412)})
        EXPECT_NE(QColor(after.pixel(p)), QColor(Qt::black)) << p.x() << "," << p.y();
}

// A game whose files give a layout smaller than the screen (800 x 600 on 1024 x 768) is shown
// grown to the screen under full screen, and as before without it.
TEST(ClassroomEndToEnd, FullScreenTwinturnGrowsASmallerLayoutToTheScreen)
{
    REQUIRE_X();
    ThemeFolder t;
    t.copySampleTwinturn();
    QByteArray main = t.read("games/pairs/main.ini");
    ASSERT_TRUE(main.contains("pictures=\tbk800.bmp\tbk1024.bmp"));
    t.write("games/pairs/main.ini", main.replace("pictures=\tbk800.bmp\tbk1024.bmp", "pictures=\tbk800.bmp"));
    const QByteArray ini = t.read("memory.ini");
    QImage shots[2];
    QRect inside; // the plain window's inside: under a window manager, below its title bar
    for (const int fullscreen : {0, 1}) {
        t.write("memory.ini", ini + "[classroom]\r\nfullscreen=" + QByteArray::number(fullscreen) + "\r\n");
        ProgramRun run(TWINTURN_EXE, {t.path("memory.ini")}, t.windows());
        const auto window = x->waitForWindow("Twinturn");
        ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
        if (!fullscreen)
            inside = x->geometry(window);
        shots[fullscreen] = x->stillScreen(20000).convertToFormat(QImage::Format_RGB32);
        shots[fullscreen].save(QDir::temp().filePath(QStringLiteral("e2e-twinturn-fullscreen%1.png").arg(fullscreen)));
        run.kill();
    }
    const QSize screen = shots[0].size();
    const QRect layout(QPoint((screen.width() - 800) / 2, (screen.height() - 600) / 2), QSize(800, 600));
    const double f = fullscreenFactor(screen, layout.size());
    ASSERT_GT(f, 1);
    const QImage plain = shots[0].copy(QRect(inside.topLeft() + QPoint((inside.width() - 800) / 2, (inside.height() - 600) / 2),
                                              layout.size()));
    const QImage grown = shots[1].copy(QRect(QPoint((screen.width() - int(800 * f)) / 2, (screen.height() - int(600 * f)) / 2),
                                             QSize(int(800 * f), int(600 * f))))
                             .scaled(layout.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The grown board brought back to its own size is the board; the screen's middle unscaled is not.
    EXPECT_LT(meanDifference(plain, grown), 12);
    EXPECT_GT(meanDifference(plain, shots[1].copy(layout)), 2 * meanDifference(plain, grown));
}
