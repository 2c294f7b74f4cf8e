// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QString>

// The painting kept from one run to the next under [classroom] keeppainting: the canvas as it
// stands and the opened picture that Clear goes back to, in the pupil's system folder. The names
// hold "_", so no catalog lists them and no painting number is ever taken by them.
struct KeptPainting {
    QImage painting; // the canvas
    QImage picture;  // what Clear goes back to; null without an opened picture
};

// The kept painting's files in folder (which ends in "/").
QString pntKeptPaintingFile(const QString& folder);
QString pntKeptPictureFile(const QString& folder);

// Writes both files atomically, each to a temporary file first; an older kept painting stays
// whole when writing fails. False with error set.
bool pntWriteKeptPainting(const QString& folder, const KeptPainting& kept, QString* error);

// Reads the kept painting for a canvas of that size. False when there is none (error empty), or
// when it cannot be used (error says why; the unusable file is moved aside as ".broken", so it
// is neither lost nor read again).
bool pntReadKeptPainting(const QString& folder, QSize canvas, KeptPainting* kept, QString* error);

// The folder the painting is kept in: the system folder, unless that is a catalog's own folder
// (then empty, with why set).
QString pntKeepFolder(QString* why);
