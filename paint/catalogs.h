// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QVector>

// The catalog row both dialogs show: one slot per catalog of the configuration whose folder
// exists (user catalogs under the catalog folder first, then supplied ones under the picture
// folder) and whose icon lies beside that folder. At most eight slots, in configuration order.
struct CatalogSlot {
    QString folder; // the catalog's folder, without a trailing "/"
    QString icon;   // the icon file beside it
};

constexpr int kCatalogSlots = 8;

// unlockedOnly leaves out the supplied catalogs, which cannot be saved into.
QVector<CatalogSlot> pntCatalogSlots(bool unlockedOnly);

// Whether a catalog name from the configuration names one folder inside its parent and nothing
// else: not empty, no "/" or "\", not "." or "..".
bool pntIsPlainFolderName(const QString& name);
