// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/catalogs.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>

// Paintings are saved as n.bmp with the thumbnail n_.bmp; n is the lowest number from 0 to
// kMaxPaintingNumber that no numbered picture of the folder uses (a picture file without "_"
// uses the leading number of its name, so 7.gif and 0007.jpg use 7 and sun.bmp uses 0).
constexpr int kMaxPaintingNumber = 30000;

// The free number among the names of a folder's files; -1 when every number is in use.
int pntFreeNumber(const QStringList& fileNames);
// The names in a folder (files and folders), in no particular order.
QStringList pntFolderNames(const QString& folder);

// Writes bytes to a new file at path (one left there is removed first, never written through)
// and makes sure they reached the disk; on failure error says why.
bool pntWriteDurably(const QString& path, const QByteArray& bytes, QString* error);

// Writes painting and thumbnail into folder as number n, both or neither: each is written to a
// temporary file in the folder (a name the open dialog never lists), flushed to disk, then put in
// place. The painting's name is claimed atomically (a hard link, or an exclusive create where the
// file system has no links), so an existing painting is never replaced, also when another
// computer saves into the same folder at the same moment. On failure nothing of this save remains
// and error says why; taken (when given) tells that n was taken meanwhile, and another number
// may be tried.
bool pntWritePainting(const QString& folder, int n, const QImage& painting, const QImage& thumbnail, QString* error,
                      bool* taken = nullptr);

// The save dialog without its window: the row of user catalogs, the chosen slot (kept while the
// window is hidden between showings) and the save itself.
class SaveDialog {
public:
    SaveDialog();

    QVector<CatalogSlot> catalogs;
    int16_t chosenSlot = -1;

    bool chooseCatalog(int k);

    enum class Result { NoCatalog, Saved, Failed };
    // Saves into the chosen catalog; number (when given) receives the number written and error
    // the reason of a failure.
    Result save(const QImage& painting, const QImage& thumbnail, int* number = nullptr, QString* error = nullptr);
};
