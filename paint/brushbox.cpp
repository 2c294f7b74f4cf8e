// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/brushbox.h"

#include "common/classroom.h"
#include "common/fileio.h"
#include "common/game32.h"
#include "common/programmain.h"
#include "common/log.h"
#include "paint/ending.h"
#include "paint/frm_paint.h"
#include "paint/openini.h"
#include "paint/paintmessages.h"
#include "paint/paintsettings.h"
#include "paint/setinterface.h"
#include "platform/forms.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <cstdio>

int pntStartUp(const QString& strFile, const std::function<void(frm_Paint& window)>& show, IniFiles* files,
               const ConfigurationFile* taken)
{
    intTool = 0;
    bolButtonSound = false;
    PaintSettings.help.active = false;
    PaintSettings.nameText.active = false;
    if (!OpenINI(strFile, files, taken))
        return 1;
    if (bolEndRequested)
        return 0;
    frm_Paint window;
    SetInterface(window);
    if (!bolEndRequested)
        show(window);
    return 0;
}

int Main(StartupRead& read)
{
    pntWriteLog(QString());
    pntWriteLog(QStringLiteral("-=").repeated(24));
    pntWriteLog(QString());
    pntWriteLog(QStringLiteral("=> Main <="));
    if (bolDebug)
        pntWriteLog(QStringLiteral("--> kallar på gamGetFilePath..."));
    const QString strFile = read.found.path;
    if (bolDebug)
        pntWriteLog(QStringLiteral("----> ...fick filnamn: ") + strFile);
    if (strFile.isEmpty()) {
        // No box: there is no theme to show one in, but an adult at a terminal learns why.
        std::fprintf(stderr, "brushbox: no configuration file; looked for %s\n",
                     qUtf8Printable(gamPlacesLookedIn(QStringLiteral("zypaint.ini"))));
        return 1;
    }
    // Before the splash screen: a second copy must not show one.
    if (!startClassroom(readClassroomSettings(strFile, &read.files), QStringLiteral("brushbox"), pntEndProgram))
        return 0;
    const int code = pntStartUp(strFile, [](frm_Paint& window) { showModal(&window); }, &read.files, &read.found);
    if (bolDebug)
        pntWriteLog(QStringLiteral("--> Main END"));
    return code;
}
