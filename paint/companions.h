// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// The files that go with a picture, named from its path without the extension (the base):
// thumbnail base + "_.bmp", "_.gif" or "_.jpg" (the first that exists), name file base + ".dat",
// sound base + ".wav", figure file base + ".INI". Names are found without regard to case, and
// each function gives the path as it exists on disk, or empty.

QString pntCompanionBase(const QString& picturePath);
QString pntThumbnailFile(const QString& picturePath);
QString pntNameFile(const QString& picturePath);
QString pntSoundFile(const QString& picturePath);
QString pntFigureFile(const QString& picturePath);

// The picture's display name: the first item of its name file; empty when there is none or the
// file is empty.
QString pntPictureName(const QString& picturePath);

// Whether a file name can be a picture of a catalog: a picture extension and no "_" (thumbnails
// carry one). Whether it has a thumbnail is asked separately.
bool pntCanBePicture(const QString& fileName);
