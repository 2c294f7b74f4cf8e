// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The programs on a desktop: a session that ends, a window manager that minimises and closes.
#include "harness.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMargins>
#include <csignal>
#include <memory>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

struct Program {
    const char* exe;
    QString ini, title;
};

// A login's runtime folder in t (private, as a login's is), for the programs' environment.
QProcessEnvironment runtimeFolder(const ThemeFolder& t, const QString& name)
{
    QDir().mkpath(t.path(name));
    QFile::setPermissions(t.path(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env;
    env.insert("XDG_RUNTIME_DIR", t.path(name));
    return env;
}

// Both programs' sample themes in t, with the [classroom] lines added.
QVector<Program> samplePrograms(const ThemeFolder& t, const QByteArray& classroom)
{
    t.write("zypaint.ini", t.copySampleBrushbox() + "\r\n[classroom]\r\n" + classroom);
    t.copySampleTwinturn();
    t.write("memory.ini", t.read("memory.ini") + "[classroom]\r\n" + classroom);
    return {{BRUSHBOX_EXE, t.path("zypaint.ini"), "Brushbox"}, {TWINTURN_EXE, t.path("memory.ini"), "Twinturn"}};
}

// "Iconic" or "Normal": the window's state as the window manager keeps it.
QString wmState(const XServer& x, qulonglong window)
{
    const QString out = x.run("xprop", {"-id", QString::number(window), "WM_STATE"});
    return out.contains("Iconic") ? "Iconic" : out.contains("Normal") ? "Normal" : QString();
}

// The frame the window manager drew around the window: left, right, top, bottom.
QMargins frameOf(const XServer& x, qulonglong window)
{
    const QStringList e = x.run("xprop", {"-id", QString::number(window), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    return e.size() == 4 ? QMargins(e[0].toInt(), e[2].toInt(), e[1].toInt(), e[3].toInt()) : QMargins();
}

// The close button on the window manager's title bar.
QPoint closeButton(const XServer& x, qulonglong window)
{
    const QRect r = x.geometry(window);
    return {r.right() - 9, r.top() - frameOf(x, window).top() / 2};
}

// Where the paint window's canvas lies on the screen.
QRect canvasOf(const XServer& x, qulonglong window)
{
    return QRect(x.geometry(window).topLeft() + QPoint(224, 16), QSize(401, 401));
}

} // namespace

// Under a window manager a child may minimise the paint window, even in the middle of a stroke:
// the program and its painting stay, a second start brings the window back, restored and with
// the keyboard, and the button let go while it was away has ended the stroke.
TEST(DesktopEndToEnd, MinimisedBrushboxKeepsItsPaintingAndASecondStartBringsItBack)
{
    REQUIRE_X();
    ASSERT_TRUE(x->managed());
    ThemeFolder t;
    samplePrograms(t, "");
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QRect canvas = canvasOf(*x, window);
    const QImage blank = x->screenshot().copy(canvas);
    const auto at = [&](int cx, int cy) {
        const QPoint p = canvas.topLeft() + QPoint(cx, cy);
        return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())};
    };
    x->xdo(at(40, 200) << "mousedown" << "1");
    x->xdo(at(200, 210));
    x->xdo(at(360, 220));
    ASSERT_TRUE(waitFor([&] { return x->screenshot().copy(canvas) != blank; }, 5000)) << "no stroke was drawn";
    const QImage painted = x->stillScreen().copy(canvas); // the whole stroke, not its first part

    x->xdo({"windowminimize", QString::number(window)});
    ASSERT_TRUE(waitFor([&] { return wmState(*x, window) == "Iconic"; }, 5000));
    x->xdo({"mouseup", "1"}); // over the desktop: the window never hears of it
    EXPECT_FALSE(run.waitForExit(1500)) << "minimising ended Brushbox";

    ProgramRun second(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    ASSERT_TRUE(second.waitForExit(10000));
    EXPECT_TRUE(second.stderrText().contains("already running; its window was brought to the front")) << qPrintable(second.stderrText());
    EXPECT_TRUE(waitFor([&] { return wmState(*x, window) == "Normal"; }, 5000)) << "the window stayed minimised";
    EXPECT_TRUE(waitFor([&] { return x->screenshot().copy(canvas) == painted; }, 5000)) << "the painting is not shown as it was";
    EXPECT_TRUE(waitFor([&] { return x->xdo({"getactivewindow"}).trimmed() == QString::number(window); }, 5000))
        << "the window did not get the keyboard";
    x->xdo(at(100, 60));
    x->xdo(at(300, 380));
    EXPECT_TRUE(x->stillScreen().copy(canvas) == painted) << "the mouse drew on without its button";
    EXPECT_TRUE(run.running());
}

// A child's quick zigzag on a computer too busy to take each move as it comes: every corner is
// drawn, none is cut off by a straight line to the last place.
TEST(DesktopEndToEnd, AQuickZigzagOnABusyComputerKeepsEveryCorner)
{
    REQUIRE_X();
    ThemeFolder t;
    samplePrograms(t, "");
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QRect canvas = canvasOf(*x, window);
    const QImage blank = x->stillScreen().copy(canvas);
    QList<QPoint> corners, stroke;
    for (int k = 0; k <= 8; ++k) {
        corners << QPoint(40 + 40 * k, k % 2 ? 260 : 140);
        stroke << canvas.topLeft() + corners.last();
    }
    // Stopped, the program takes the whole stroke at once when it goes on, as a busy one does.
    run.sendSignal(SIGSTOP);
    x->stroke(stroke);
    run.sendSignal(SIGCONT);
    ASSERT_TRUE(waitFor([&] { return x->screenshot().copy(canvas) != blank; }, 5000)) << "no stroke was drawn";
    const QImage painted = x->stillScreen().copy(canvas);
    for (const QPoint& c : corners) {
        bool inked = false;
        for (int dy = -3; dy <= 3 && !inked; ++dy)
            for (int dx = -3; dx <= 3 && !inked; ++dx)
                inked = painted.pixel(c + QPoint(dx, dy)) != blank.pixel(c + QPoint(dx, dy));
        EXPECT_TRUE(inked) << "the corner at " << c.x() << "," << c.y() << " is not drawn";
    }
    // Ctrl+Z takes the stroke back, also on a layout without Latin letters (Z gives Я there).
    ASSERT_EQ(x->run("setxkbmap", {"-layout", "ru"}), QString());
    x->key("ctrl+Cyrillic_ya");
    x->run("setxkbmap", {"-layout", "us"});
    EXPECT_TRUE(waitFor([&] { return x->screenshot().copy(canvas) == blank; }, 5000)) << "Ctrl+Z on a Russian layout";
    EXPECT_TRUE(run.endWithEscape());
}

// noquit holds against the window manager: its close button and its Alt+F4 (which it turns into
// the same request) end neither program; without noquit the close button ends Brushbox.
TEST(DesktopEndToEnd, NoQuitHoldsAgainstEscTheWindowManagersCloseAndAltF4UntilCtrlShiftQ)
{
    REQUIRE_X();
    ASSERT_TRUE(x->managed());
    ThemeFolder t;
    for (const Program& p : samplePrograms(t, "noquit=1\r\n")) {
        ProgramRun run(p.exe, {p.ini}, t.windows());
        const auto window = x->waitForWindow(p.title);
        ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
        x->click(closeButton(*x, window));
        EXPECT_FALSE(run.waitForExit(1500)) << p.exe << " ended on the title bar's close button";
        for (const char* keys : {"Escape", "alt+F4"}) {
            x->focus(window);
            x->key(keys);
            EXPECT_FALSE(run.waitForExit(1500)) << p.exe << " ended on " << keys;
        }
        EXPECT_NE(x->waitForWindow(p.title, 1000), 0u) << p.exe << " has no window any more";
        // The teacher's key still ends it, also where the keyboard is set to a layout without
        // Latin letters (the key of Q gives Й here).
        x->focus(window);
        ASSERT_EQ(x->run("setxkbmap", {"-layout", "ru"}), QString());
        x->key("ctrl+shift+Cyrillic_shorti");
        x->run("setxkbmap", {"-layout", "us"});
        EXPECT_TRUE(run.waitForExit(5000)) << p.exe;
        EXPECT_EQ(run.exitCode(), 0);
    }

    ThemeFolder plain;
    const Program brushbox = samplePrograms(plain, "").first();
    ProgramRun run(brushbox.exe, {brushbox.ini}, plain.windows());
    const auto window = x->waitForWindow(brushbox.title);
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    x->click(closeButton(*x, window));
    EXPECT_TRUE(run.waitForExit(5000)) << "the close button did not end Brushbox";
    EXPECT_EQ(run.exitCode(), 0);
}

// A logout or a shutdown (SIGTERM, SIGHUP) ends either program through its own end, noquit or
// not: it ends with status 0 and gives its one-copy lock back.
TEST(DesktopEndToEnd, TermAndHangUpEndBothProgramsCleanly)
{
    REQUIRE_X();
    ThemeFolder t;
    const QProcessEnvironment login = runtimeFolder(t, "run");
    const auto locks = [&] { return QDir(t.path("run"), "*.lock").entryList().join(' '); };
    for (const Program& p : samplePrograms(t, "noquit=1\r\n")) {
        for (const int sig : {SIGTERM, SIGHUP}) {
            ProgramRun program(p.exe, {p.ini}, t.windows(), login);
            ASSERT_NE(x->waitForWindow(p.title), 0u) << qPrintable(program.stderrText());
            ASSERT_FALSE(locks().isEmpty());
            program.sendSignal(sig);
            ASSERT_TRUE(program.waitForExit(10000)) << p.exe << " did not end on signal " << sig;
            EXPECT_TRUE(program.endedNormally()) << p.exe << " was killed by signal " << sig;
            EXPECT_EQ(program.exitCode(), 0) << p.exe << " " << qPrintable(program.stderrText());
            EXPECT_EQ(locks(), QString()) << p.exe << " left its lock on signal " << sig;
        }
    }
}

namespace {
// A program on another computer: its own host name, machine id and process numbers (UTS, mount
// and PID namespaces), the same home. Without a runtime folder it makes its own.
std::unique_ptr<ProgramRun> onComputer(const ThemeFolder& t, const QString& host, const Program& p, const QString& runtime)
{
    t.write(host + ".machine-id", QCryptographicHash::hash(host.toUtf8(), QCryptographicHash::Md5).toHex() + "\n");
    QProcessEnvironment env = runtime.isEmpty() ? QProcessEnvironment() : runtimeFolder(t, runtime);
    if (runtime.isEmpty())
        env.insert("XDG_RUNTIME_DIR", ""); // unset, as on a desktop that sets none
    return std::make_unique<ProgramRun>(
        "unshare", QStringList{"-u", "-p", "-f", "--mount-proc", "sh", "-c",
                               "mount --bind \"$1\" /etc/machine-id && hostname \"$2\" && shift 2 && exec \"$@\"", "sh",
                               t.path(host + ".machine-id"), host, p.exe, p.ini},
        t.windows(), env);
}

// The program itself, seen from this computer (unshare's child).
void signalProgram(const ProgramRun& run, int sig)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(run.pid()));
    if (children.open(QIODevice::ReadOnly))
        for (const QByteArray& pid : children.readAll().split(' '))
            if (pid.trimmed().toInt() > 0)
                ::kill(pid.trimmed().toInt(), sig);
}
}

// Without full screen Twinturn's window, title bar and frame included, fills the screen, also
// when a warning about a missing background picture came before the window was shown.
TEST(DesktopEndToEnd, TwinturnsWindowWithItsTitleBarFillsTheScreen)
{
    REQUIRE_X();
    ASSERT_TRUE(x->managed());
    for (const bool backgrounds : {true, false}) {
        SCOPED_TRACE(backgrounds ? "sample game" : "without background pictures");
        ThemeFolder t;
        const Program twinturn = samplePrograms(t, "").last();
        if (!backgrounds) {
            for (const QString& name : QDir(t.path("games/gfx")).entryList({"bk*.bmp"}))
                ASSERT_TRUE(QFile::remove(t.path("games/gfx/" + name)));
        }
        ProgramRun run(twinturn.exe, {twinturn.ini}, t.windows());
        EXPECT_EQ(run.answerMessages("twinturn: "), backgrounds ? 0 : 1) << qPrintable(run.stderrText());
        const auto window = x->waitForWindow(twinturn.title);
        ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
        const QRect screen(QPoint(0, 0), x->screenshot().size());
        QRect frame;
        // The board is laid out for the screen: a smaller window would hide cards.
        EXPECT_TRUE(waitFor([&] {
            frame = x->geometry(window).marginsAdded(frameOf(*x, window));
            return frame.height() > x->geometry(window).height() && screen.contains(frame)
                && frame.width() >= screen.width() - 2 && frame.height() >= screen.height() - 2;
        }, 5000)) << "the window with its frame is " << frame.x() << "," << frame.y() << " " << frame.width()
                  << " x " << frame.height() << " on a screen of " << screen.width() << " x " << screen.height();
    }
}

// One network home, two computers: a logout (SIGTERM, SIGHUP) or a crash (SIGKILL) of both
// programs on the first leaves nothing that keeps them from starting on the second.
TEST(DesktopEndToEnd, OneHomeOnTwoComputersAfterALogoutOrACrashBothStartOnTheOther)
{
    REQUIRE_X();
    if (QProcess::execute("unshare", {"-u", "-p", "-f", "--mount-proc", "true"}) != 0)
        GTEST_SKIP() << "no namespaces here (CI runs as root)";
    ThemeFolder t;
    const QVector<Program> programs = samplePrograms(t, "");
    const QString suffix = QString::number(QCoreApplication::applicationPid());
    const QString first = "pupil-a-" + suffix, second = "pupil-b-" + suffix;
    for (const int sig : {SIGTERM, SIGHUP, SIGKILL}) {
        {
            // The first computer sets no runtime folder: the programs make one of their own.
            std::vector<std::unique_ptr<ProgramRun>> a;
            for (const Program& p : programs) {
                a.push_back(onComputer(t, first, p, QString()));
                ASSERT_NE(x->waitForWindow(p.title), 0u) << qPrintable(a.back()->stderrText());
            }
            for (auto& run : a) {
                signalProgram(*run, sig);
                ASSERT_TRUE(run->waitForExit(10000)) << "signal " << sig;
            }
        }
        std::vector<std::unique_ptr<ProgramRun>> b;
        for (const Program& p : programs) {
            b.push_back(onComputer(t, second, p, "run-b"));
            EXPECT_NE(x->waitForWindow(p.title), 0u) << p.exe << " after signal " << sig << ": " << qPrintable(b.back()->stderrText());
            EXPECT_FALSE(b.back()->stderrText().contains("already running")) << qPrintable(b.back()->stderrText());
        }
        for (auto& run : b) {
            signalProgram(*run, SIGTERM);
            EXPECT_TRUE(run->waitForExit(10000));
        }
    }
    QDir(QDir::tempPath() + "/brushbox-twinturn-" + QString::number(::geteuid()) + "-" + first).removeRecursively();
}
