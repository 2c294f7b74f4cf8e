// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/qtmessages.h"

#include <QStringList>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
bool g_debugOn = false;
QStringList g_logged;

void recordingLog(const QString& line)
{
    if (g_debugOn)
        g_logged << line;
}

// What the lines written to standard error by f were.
template <typename F>
QString stderrOf(F f)
{
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(file.handle(), 2);
    f();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}
}

// Qt's chatter goes to the log with debug on and nowhere without; its errors always reach the
// terminal, named as the program's.
TEST(QtMessages, WarningsOnlyInTheDebugLogErrorsOnStandardError)
{
    installQtMessageRoute("brushbox", recordingLog);
    g_debugOn = false;
    g_logged.clear();
    EXPECT_EQ(stderrOf([] { qWarning("XDG_RUNTIME_DIR not set"); qInfo("font substituted"); }), "");
    EXPECT_TRUE(g_logged.isEmpty());
    EXPECT_EQ(stderrOf([] { qCritical("cannot open display"); }), "brushbox: Qt: cannot open display\n");

    g_debugOn = true;
    EXPECT_EQ(stderrOf([] { qWarning("PulseAudio not reachable"); }), "");
    EXPECT_EQ(g_logged, QStringList("Qt: PulseAudio not reachable"));
    qInstallMessageHandler(nullptr);
}
