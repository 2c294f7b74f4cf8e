// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/qtmessages.h"

#include <QtGlobal>
#include <cstdio>

namespace {
// Qt's handler is a plain function; these are set once, before the application exists.
const char* g_program = "";
DebugLogWriter g_debugLog = nullptr;

void handleQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    const QString line = QStringLiteral("Qt: ") + text;
    if (g_debugLog)
        g_debugLog(line);
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", g_program, qUtf8Printable(line));
        std::fflush(stderr);
    }
}
}

void installQtMessageRoute(const char* program, DebugLogWriter debugLog)
{
    g_program = program;
    g_debugLog = debugLog;
    qInstallMessageHandler(handleQtMessage);
}
