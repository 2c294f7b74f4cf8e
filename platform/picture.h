// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QString>

// Loads a picture file (BMP, GIF, JPG/JPEG, and WMF through platform/wmf.h).
// On failure the image is null and error says why, naming the file: missing, too large, or not
// a picture this program can read.
// shown, when valid, is the size the picture will be shown at: a larger picture is decoded at
// that size (a thumbnail of a huge picture takes little memory); a smaller one keeps its own.
// found, when given, says whether the path named a file that could be opened at all: false is what
// the programs call a missing picture, true one that is broken.
QImage loadPicture(const QString& path, QString* error = nullptr, QSize shown = QSize(), bool* found = nullptr);

// Largest picture decoded, in pixels (33,554,432), so an oversized header is refused before
// decoding. A JPEG shown smaller than it is counts at the size it is decoded at (down to an
// eighth of each side), so a large phone photo loads as a small card.
constexpr qint64 kMaxPicturePixels = 32LL * 1024 * 1024;

// A progressive JPEG may have at most kMaxJpegScans scans, and fewer when it is large: all of
// its scans together may go over this many pixels (20 scans of the largest picture).
constexpr qint64 kMaxJpegScanPixels = 20 * kMaxPicturePixels;

// A reader for a format Qt lacks (Windows metafiles); it returns a null image on failure. shown is
// loadPicture's: a drawing is drawn at that size when it is valid.
using PictureReader = QImage (*)(const QByteArray& bytes, QString* error, QSize shown);
void registerPictureReader(const QString& extension, PictureReader reader);

// All pictures held at once may take this much; a picture that would go beyond it is not loaded
// and the error says so.
constexpr qint64 kPictureBudgetBytes = 1024LL * 1024 * 1024;
qint64 pictureBytesHeld();
// A smaller budget for tests; 0 restores the real one.
void setPictureBudgetForTests(qint64 bytes);
