// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/catalogs.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// Paintings are saved as n.bmp with the thumbnail n_.bmp; n is the lowest number from 0 to
// kMaxPaintingNumber that no numbered picture of the folder uses (a picture file without "_"
// uses the leading number of its name, so 7.gif and 0007.jpg use 7 and sun.bmp uses 0).
constexpr int kMaxPaintingNumber = 30000;

// The free number among the names of a folder's files; -1 when every number is in use.
int pntFreeNumber(const QStringList& fileNames);
// The names in a folder (files and folders), in no particular order.
QStringList pntFolderNames(const QString& folder);

// Writes bytes to a new file at path and makes sure they reached the disk; on failure error says
// why. A file already of that name is never written through nor removed: the call fails.
bool pntWriteDurably(const QString& path, const QByteArray& bytes, QString* error);

// Who made a temporary file of a save: the computer's host name, its process space (the boot of
// its kernel and its PID namespace: several computers, or containers on one, may have equal host
// names and process IDs) and the process ID.
struct SaveOwner {
    QString host;  // the host name as the file name spells it
    QString space;
    qint64 pid = 0;
    static SaveOwner thisProcess();
};

// The name in a catalog folder of a save's temporary painting (thumbnail: tail "_.tmp"):
// "_saving_", its owner and a random part, unique across computers. "_" and the extension keep
// it out of the open dialog and the number search.
QString pntTemporaryName(const SaveOwner& owner, const char* tail = ".tmp");

// Removes the temporary files among names (a listing of folder) that saves of this computer left
// when they were killed: this host and process space, a process that no longer runs. Another
// computer's files, and those of a live save, are never touched. Returns how many went.
int pntClearStaleTemporaries(const QString& folder, const QStringList& names);

// Writes painting and thumbnail into folder as number n, both or neither: each is written to a
// temporary file of this save in the folder, flushed to disk, then put in place. The painting's
// name is taken only by an operation that fails when the name exists (a hard link; where the file
// system has none, a rename that never replaces, or an exclusive create), so an existing painting
// is never replaced, also when another computer saves into the same folder at the same moment.
// The thumbnail follows the painting: until it is in place the open dialog does not offer the
// painting. On failure nothing of this save remains and error says why; taken (when given) tells
// that n was taken meanwhile, and another number may be tried.
bool pntWritePainting(const QString& folder, int n, const QImage& painting, const QImage& thumbnail, QString* error,
                      bool* taken = nullptr);

// Saves painting and thumbnail into folder under the lowest free number found in the folder's
// listing (list gives it): a number found taken meanwhile, by another computer or because the
// listing was stale (a network file system caches it), moves the save on to the next free one.
// Stale temporaries of this computer are cleared first. number receives the number written.
using FolderLister = std::function<QStringList(const QString& folder)>;
bool pntSavePainting(const QString& folder, const QImage& painting, const QImage& thumbnail, int* number, QString* error,
                     const FolderLister& list = pntFolderNames);

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
