// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The programs on a desktop: a session that ends, a window manager that minimises and closes.
#include "harness.h"

#include <QDir>
#include <QFile>
#include <csignal>
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

} // namespace

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
