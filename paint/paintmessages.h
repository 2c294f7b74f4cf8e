// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/msgbox.h"

#include <QString>

// Every box Brushbox's start-up can show for a theme, by number. Start-up shows the text; the
// checker reports the same text with its number, so the two cannot say different things.
// Fatal ones end the program; warnings are shown and start-up goes on.
enum PaintMessageNumber {
    pmsNoConfiguration = 1,     // info: the path named
    pmsUnreadableConfiguration, // info: the path
    pmsWrongDeclaration,
    pmsBadGraphicsPath,         // info: the folder as written, expanded
    pmsBadSoundPath,
    pmsBadPicturePath,
    pmsCatalogFolderNotMade,    // info: the folder, info2: why
    pmsRelativeCatalogFolder = 100, // info: the folder as written, expanded
    pmsSplashPicture,           // info: the path looked for
    pmsNoCatalogFolder,         // info: the catalog folder, info2: the catalog's name
    pmsCatalogIcon,             // info: gfx folder + name, info2: the catalog folder + name
    pmsCatalogNameNotPlain,     // info: the name
    pmsCatalogIconNotCopied,    // info: the icon, info2: where it was copied to
    pmsMainBackground,          // info: gfx folder + background
};

struct PaintMessage {
    QString text;
    bool fatal = false;
    MsgIcon icon = MsgIcon::None;
    bool captioned = false; // titled with the program's about caption
};

PaintMessage paintMessage(PaintMessageNumber number, const QString& info = QString(), const QString& info2 = QString());

// The numbers of every message, for tests and the guide's table.
QList<PaintMessageNumber> paintMessageNumbers();
