// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/paintmessages.h"

#include <QList>

PaintMessage paintMessage(PaintMessageNumber number, const QString& info, const QString& info2)
{
    switch (number) {
    case pmsNoConfiguration: return {QStringLiteral("The configuration file '%1' does not exist.").arg(info), true, MsgIcon::Stop, true};
    case pmsUnreadableConfiguration:
        return {QStringLiteral("Could not open the configuration file '%1'.").arg(info), true, MsgIcon::Stop, true};
    case pmsWrongDeclaration: return {QStringLiteral("Bad INI file. Wrong file declaration."), true};
    case pmsBadGraphicsPath: return {QStringLiteral("Bad graphics path: '") + info + QLatin1Char('\''), true};
    case pmsBadSoundPath: return {QStringLiteral("Bad sound path: '") + info + QLatin1Char('\''), true};
    case pmsBadPicturePath: return {QStringLiteral("Bad picture path: '") + info + QLatin1Char('\''), true};
    case pmsCatalogFolderNotMade:
        return {QStringLiteral("Could not create the catalog folder '%1': %2.").arg(info, info2), true, MsgIcon::Stop, true};
    case pmsRelativeCatalogFolder: return {QStringLiteral("Kan ej skapa användarkatalog: ") + info};
    case pmsSplashPicture:
        return {QStringLiteral("Picture for splash screen (") + info + QStringLiteral(") is missing or invalid.") + QLatin1Char('\r')
                + QStringLiteral("Check also for path declaration before splash declaration in INI file."),
                false, MsgIcon::Critical, true};
    case pmsNoCatalogFolder:
        return {QStringLiteral("Kan ej skapa användarkatalog '") + info + info2 + QStringLiteral("'. Katalog '") + info
                + QStringLiteral("' har ej skapats")};
    case pmsCatalogIcon:
        return {QStringLiteral("Bilden '") + info + QStringLiteral(".bmp/.gif/.jpg' för användarkatalogen '") + info2
                + QStringLiteral("' saknas.")};
    case pmsCatalogNameNotPlain:
        return {QStringLiteral("The catalog name '%1' is not a plain folder name and is not used.").arg(info)};
    case pmsCatalogIconNotCopied: return {QStringLiteral("Could not copy the catalog picture '%1' to '%2'.").arg(info, info2)};
    case pmsMainBackground:
        return {QStringLiteral("Could not load main background picture") + QLatin1Char('\r') + QStringLiteral("''") + info
                + QStringLiteral("''.")};
    }
    return {};
}

QList<PaintMessageNumber> paintMessageNumbers()
{
    return {pmsNoConfiguration,       pmsUnreadableConfiguration, pmsWrongDeclaration,  pmsBadGraphicsPath,
            pmsBadSoundPath,          pmsBadPicturePath,          pmsCatalogFolderNotMade, pmsRelativeCatalogFolder,
            pmsSplashPicture,         pmsNoCatalogFolder,         pmsCatalogIcon,       pmsCatalogNameNotPlain,
            pmsCatalogIconNotCopied,  pmsMainBackground};
}
