// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/catalogs.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
#include <cstdint>

// What the open dialog hands back to the paint window. bolPictureChosen tells whether the
// others belong to the last showing; each path is empty when its file does not exist.
extern bool bolPictureChosen;
extern QString strChosenPicture;
extern QString strChosenName;
extern QString strChosenSound;
extern QString strChosenINI;

struct PictureEntry {
    QString path;
    QImage thumbnail;
    QString name; // empty when the picture has no name file
};

// The pictures a catalog folder offers, in listing order: picture files without "_" in their
// name that have a thumbnail. A thumbnail that exists but cannot be read leaves its picture out;
// problems (when given) names the first such file and why. A thumbnail larger than shown is
// read at that size: a catalog of huge thumbnails takes little memory.
QVector<PictureEntry> opnListPictures(const QString& folder, QString* problems = nullptr, QSize shown = QSize());

constexpr int kGridColumns = 8;
constexpr int kGridCells = 32;

// The open dialog without its window: the catalog row, the listed pictures, the page of 32 that
// the grid shows (moved by rows of 8), the selection and the hand-back. Both open windows, small
// and large, drive one of these and show what it says.
class OpenDialog {
public:
    OpenDialog();

    QVector<CatalogSlot> catalogs;
    QVector<PictureEntry> opnPictures;
    int16_t intPictureCount = 0;
    int16_t intFirstPicture = 0;
    int16_t intSelectedPicture = -1;
    int openCatalog = -1; // the slot whose pictures are listed
    QSize thumbnailSize;  // the size of a grid cell, when a window shows the grid

    // Opens catalog slot k; false when the slot holds no catalog.
    bool chooseCatalog(int k, QString* problems = nullptr);
    void opnReadOpenFiles(const QString& strPath, QString* problems = nullptr);
    void opnClearFiles();
    // Each true when it moved the grid (and so sounds the click).
    bool scrollUp();
    bool scrollDown();
    // Selects the picture in grid cell n; false for an empty cell.
    bool opnPictureClick(int n);
    // Hands the selected picture back; false (a beep) when none is selected.
    bool opnOpenFile();
    // Leaving without choosing.
    void cancel();

    // What the window shows.
    const PictureEntry* cellEntry(int n) const;
    bool upEnabled() const { return intFirstPicture > 0; }
    bool downEnabled() const { return intFirstPicture + kGridCells <= intPictureCount - 1; }
    // The cell the selection frame stands on; -1 while the selection is off the grid or none.
    int selectedCell() const;
};
