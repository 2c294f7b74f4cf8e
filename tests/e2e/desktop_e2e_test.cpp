// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The programs on a desktop: a session that ends, a window manager that minimises and closes.
#include "harness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace {

#define REQUIRE_X()                                                                                                    \
    XServer* x = XServer::instance();                                                                                  \
    if (!x)                                                                                                            \
        GTEST_SKIP() << "Xvfb is not installed";

struct Program {
    const char* exe;
    QString ini, title, lock;
};

// Both programs' sample themes in t, with the [classroom] lines added.
QVector<Program> samplePrograms(const ThemeFolder& t, const QByteArray& classroom)
{
    t.write("zypaint.ini", t.copySampleBrushbox() + "\r\n[classroom]\r\n" + classroom);
    t.copySampleTwinturn();
    t.write("memory.ini", t.read("memory.ini") + "[classroom]\r\n" + classroom);
    return {{BRUSHBOX_EXE, t.path("zypaint.ini"), "Brushbox", "brushbox.lock"},
            {TWINTURN_EXE, t.path("memory.ini"), "Twinturn", "twinturn.lock"}};
}

// Whether cond holds within timeoutMs, looked at every 100 ms.
bool within(int timeoutMs, const std::function<bool()>& cond)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (cond())
            return true;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

// "Iconic" or "Normal": the window's state as the window manager keeps it.
QString wmState(const XServer& x, qulonglong window)
{
    const QString out = x.run("xprop", {"-id", QString::number(window), "WM_STATE"});
    return out.contains("Iconic") ? "Iconic" : out.contains("Normal") ? "Normal" : QString();
}

// The close button on the window manager's title bar, from the frame it drew around the window.
QPoint closeButton(const XServer& x, qulonglong window)
{
    const QRect r = x.geometry(window);
    const QStringList extents = x.run("xprop", {"-id", QString::number(window), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    const int top = extents.size() == 4 ? extents[2].trimmed().toInt() : 20;
    return {r.right() - 9, r.top() - top / 2};
}

void drag(const XServer& x, QPoint from, QPoint to)
{
    x.run("xdotool", {"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1", "mousemove",
                      QString::number((from.x() + to.x()) / 2), QString::number(from.y()), "mousemove", QString::number(to.x()),
                      QString::number(to.y()), "mouseup", "1"});
}

} // namespace

// Under a window manager a child may minimise the paint window: the program and its painting
// stay, and a second start brings the window back, restored and with the keyboard.
TEST(DesktopEndToEnd, MinimisedBrushboxKeepsItsPaintingAndASecondStartBringsItBack)
{
    REQUIRE_X();
    ASSERT_TRUE(x->managed());
    ThemeFolder t;
    samplePrograms(t, "");
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QRect canvas(x->geometry(window).topLeft() + QPoint(224, 16), QSize(401, 401));
    const QImage blank = x->screenshot().copy(canvas);
    drag(*x, canvas.topLeft() + QPoint(40, 200), canvas.topLeft() + QPoint(360, 220));
    QImage painted;
    ASSERT_TRUE(within(5000, [&] { return (painted = x->screenshot().copy(canvas)) != blank; })) << "no stroke was drawn";

    x->run("xdotool", {"windowminimize", QString::number(window)});
    ASSERT_TRUE(within(5000, [&] { return wmState(*x, window) == "Iconic"; }));
    EXPECT_FALSE(run.waitForExit(1500)) << "minimising ended Brushbox";

    ProgramRun second(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    ASSERT_TRUE(second.waitForExit(10000));
    EXPECT_TRUE(second.stderrText().contains("already running; its window was brought to the front")) << qPrintable(second.stderrText());
    EXPECT_TRUE(within(5000, [&] { return wmState(*x, window) == "Normal"; })) << "the window stayed minimised";
    EXPECT_TRUE(within(5000, [&] { return x->screenshot().copy(canvas) == painted; })) << "the painting is not shown as it was";
    EXPECT_TRUE(within(5000, [&] { return x->run("xdotool", {"getactivewindow"}).trimmed() == QString::number(window); }))
        << "the window did not get the keyboard";
    EXPECT_TRUE(run.running());
}

// noquit holds against the window manager: its close button and its Alt+F4 (which it turns into
// the same request) end neither program; without noquit the close button ends Brushbox.
TEST(DesktopEndToEnd, NoQuitHoldsAgainstTheWindowManagersCloseAndAltF4)
{
    REQUIRE_X();
    ASSERT_TRUE(x->managed());
    ThemeFolder t;
    for (const Program& p : samplePrograms(t, "noquit=1\r\n")) {
        ProgramRun run(p.exe, {p.ini}, t.windows());
        const auto window = x->waitForWindow(p.title);
        ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
        const QPoint close = closeButton(*x, window);
        x->click(close.x(), close.y());
        EXPECT_FALSE(run.waitForExit(1500)) << p.exe << " ended on the title bar's close button";
        x->focus(window);
        x->key("alt+F4");
        EXPECT_FALSE(run.waitForExit(1500)) << p.exe << " ended on Alt+F4";
        EXPECT_NE(x->waitForWindow(p.title, 1000), 0u) << p.exe << " has no window any more";
    }

    ThemeFolder plain;
    const Program brushbox = samplePrograms(plain, "").first();
    ProgramRun run(brushbox.exe, {brushbox.ini}, plain.windows());
    const auto window = x->waitForWindow(brushbox.title);
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QPoint close = closeButton(*x, window);
    x->click(close.x(), close.y());
    EXPECT_TRUE(run.waitForExit(5000)) << "the close button did not end Brushbox";
    EXPECT_EQ(run.exitCode(), 0);
}

// A logout or a shutdown (SIGTERM, SIGHUP) ends either program through its own end, noquit or
// not: it ends with status 0 and gives its one-copy lock back.
TEST(DesktopEndToEnd, TermAndHangUpEndBothProgramsCleanly)
{
    REQUIRE_X();
    ThemeFolder t;
    for (const Program& p : samplePrograms(t, "noquit=1\r\n")) {
        for (const int sig : {SIGTERM, SIGHUP}) {
            ProgramRun run(p.exe, {p.ini}, t.windows());
            ASSERT_NE(x->waitForWindow(p.title), 0u) << qPrintable(run.stderrText());
            ASSERT_TRUE(QFile::exists(t.windows() + "/" + p.lock));
            run.sendSignal(sig);
            ASSERT_TRUE(run.waitForExit(10000)) << p.exe << " did not end on signal " << sig;
            EXPECT_TRUE(run.endedNormally()) << p.exe << " was killed by signal " << sig;
            EXPECT_EQ(run.exitCode(), 0) << p.exe << " " << qPrintable(run.stderrText());
            EXPECT_FALSE(QFile::exists(t.windows() + "/" + p.lock)) << p.exe << " left its lock on signal " << sig;
        }
    }
}
