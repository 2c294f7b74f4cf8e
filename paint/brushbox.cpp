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
#include "paint/frm_splash.h"
#include "paint/keptpainting.h"
#include "paint/openini.h"
#include "paint/paintmessages.h"
#include "paint/paintsettings.h"
#include "paint/setinterface.h"
#include "platform/endsignals.h"
#include "platform/forms.h"
#include "platform/msgbox.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <cstdio>

namespace {
// Under [classroom] keeppainting: the painting of the last run comes back on the canvas.
void restorePainting(frm_Paint& window)
{
    QString why;
    const QString folder = pntKeepFolder(&why);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "brushbox: the painting is not kept: %s\n", qUtf8Printable(why));
        return;
    }
    KeptPainting kept;
    if (pntReadKeptPainting(folder, window.pic_Paint->image().size(), &kept, &why)) {
        window.pic_Paint->replacePicture(kept.picture);
        window.pic_Paint->imageForWriting() = kept.painting.convertToFormat(QImage::Format_RGB32);
        window.pic_Paint->imageChanged();
    } else if (!why.isEmpty()) {
        std::fprintf(stderr, "brushbox: %s; it was moved aside and the canvas starts clean\n", qUtf8Printable(why));
    }
}

// However the program ends, the canvas as it stands is kept for the next start.
void keepPainting(const frm_Paint& window)
{
    QString why;
    const QString folder = pntKeepFolder(&why);
    if (folder.isEmpty())
        return;
    if (!pntWriteKeptPainting(folder, {window.pic_Paint->image(), window.pic_Paint->Picture()}, &why))
        std::fprintf(stderr, "brushbox: the painting could not be kept: %s\n", qUtf8Printable(why));
}
}

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
    if (bolEndRequested)
        return 0;
    const bool keep = PaintSettings.classroom.keeppainting;
    if (keep) {
        restorePainting(window);
        whenEndedAbruptly([&window] { keepPainting(window); });
    }
    show(window);
    whenEndedAbruptly({});
    if (keep)
        keepPainting(window);
    return 0;
}

int Main(StartupRead& read)
{
    // A logout ends Brushbox as Esc does: every end comes back out of show in pntStartUp.
    installEndSignals(pntEndProgram);
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
