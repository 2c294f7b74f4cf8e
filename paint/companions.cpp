// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/companions.h"

#include "common/fileio.h"
#include "common/inireader.h"
#include "common/string32.h"

namespace {
QString existing(const QString& path) { return fioFileExists(path) ? fioResolve(path) : QString(); }
}

QString pntCompanionBase(const QString& picturePath) { return fioRemoveExtension(picturePath); }

QString pntThumbnailFile(const QString& picturePath)
{
    const QString base = pntCompanionBase(picturePath);
    for (const char* suffix : {"_.bmp", "_.gif", "_.jpg"}) {
        const QString found = existing(base + QLatin1String(suffix));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString pntNameFile(const QString& picturePath) { return existing(pntCompanionBase(picturePath) + QStringLiteral(".dat")); }
QString pntSoundFile(const QString& picturePath) { return existing(pntCompanionBase(picturePath) + QStringLiteral(".wav")); }
QString pntFigureFile(const QString& picturePath) { return existing(pntCompanionBase(picturePath) + QStringLiteral(".INI")); }

QString pntPictureName(const QString& picturePath)
{
    const QString file = pntNameFile(picturePath);
    IniReader reader;
    if (file.isEmpty() || !reader.open(file))
        return {};
    const QString name = reader.atEnd() ? QString() : reader.readItem();
    reader.close();
    return name;
}

bool pntCanBePicture(const QString& fileName)
{
    return fioIsPictureFile(fileName) && !strContains(fileName, QStringLiteral("_"));
}
