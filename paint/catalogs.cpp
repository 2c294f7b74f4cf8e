// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/catalogs.h"

#include "common/fileio.h"
#include "paint/paintsettings.h"

bool pntIsPlainFolderName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && name != QLatin1String(".") && name != QLatin1String("..");
}

QVector<CatalogSlot> pntCatalogSlots(bool unlockedOnly)
{
    QVector<CatalogSlot> row;
    for (const UserCatalog& c : PaintSettings.catalogs) {
        if (row.size() == kCatalogSlots)
            break;
        if ((unlockedOnly && c.locked) || !pntIsPlainFolderName(c.name))
            continue;
        QString root;
        if (!PaintSettings.catalog.expanded.isEmpty() && fioDirExists(PaintSettings.catalog.expanded + c.name))
            root = PaintSettings.catalog.expanded;
        else if (!PaintSettings.picture.expanded.isEmpty() && fioDirExists(PaintSettings.picture.expanded + c.name))
            root = PaintSettings.picture.expanded;
        else
            continue;
        fioAddBackslash(root);
        QString icon;
        for (const char* ext : {".bmp", ".gif", ".jpg"}) {
            if (fioFileExists(root + c.name + QLatin1String(ext))) {
                icon = fioResolve(root + c.name + QLatin1String(ext));
                break;
            }
        }
        if (icon.isEmpty())
            continue;
        row.append({fioResolve(root + c.name), icon});
    }
    return row;
}
