// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/twinturn.h"

#include "common/classroom.h"
#include "common/fileio.h"
#include "common/game32.h"
#include "common/log.h"
#include "common/programmain.h"
#include "platform/files.h"

#include <QFileInfo>
#include "memory/frm_memorygame.h"
#include "memory/memerrors.h"
#include "paint/frm_splash.h"
#include "platform/endsignals.h"

bool bolDebug = false;
QString memFile;
bool bolStartFailed = false;

namespace {
void debugLog(const QString& line)
{
    if (bolDebug)
        memWriteLog(line);
}
}

bool Memory(const QString& strFile, IniFiles* files)
{
    return memStartUp(strFile, [](frm_MemoryGame& window) { window.exec(); }, files);
}

bool memStartUp(const QString& strFile, const std::function<void(frm_MemoryGame& window)>& show, IniFiles* files)
{
    bolSplashShown = true;
    // Only looked at here: memCheckINI opens and reads it.
    if (QFileInfo(resolvePath(strFile)).isFile()) {
        memFile = strFile;
        debugLog(QStringLiteral("--> Memory: INI-filen fanns..."));
        debugLog(QStringLiteral("--> Memory: memFile: '") + memFile + QStringLiteral("'"));
    } else {
        debugLog(QStringLiteral("--> Memory: strFile fanns ej... (") + strFile + QStringLiteral(")"));
        memHandleError(1);
    }
    debugLog(QStringLiteral("--> Memory: Visar frm_MemoryGame"));
    {
        frm_MemoryGame window;
        window.files = files;
        if (window.Form_Load())
            show(window);
    }
    debugLog(QStringLiteral("--> Memory END"));
    return !bolStartFailed;
}

int Main(StartupRead& read)
{
    // A logout leaves the game's loop, so the window and the one-copy lock go in order; a wait
    // for the splash screen sees the flag.
    installEndSignals([] {
        bolEndRequested = true;
        leaveProgram();
    });
    bolDebug = true;
    const ConfigurationFile& found = read.found;
    const QString path = found.path;
    if (!path.isEmpty())
        debugLog(QStringLiteral("--> Main: ") + path + QStringLiteral(" (") + found.reason + QStringLiteral(")"));
    bool ok = false;
    if (!path.isEmpty()) {
        // Before the splash screen: a second copy must not show one.
        if (!startClassroom(readClassroomSettings(path, &read.files), QStringLiteral("twinturn"), [] { memEndProgram(0); }))
            return 0;
        ok = Memory(path, &read.files);
    }
    else
        memHandleError(1);
    debugLog(QStringLiteral("--> Main END"));
    return ok ? 0 : 1;
}
