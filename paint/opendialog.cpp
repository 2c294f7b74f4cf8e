// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/opendialog.h"

#include "paint/companions.h"
#include "platform/files.h"
#include "platform/picture.h"

bool bolPictureChosen = false;
QString strChosenPicture;
QString strChosenName;
QString strChosenSound;
QString strChosenINI;

namespace {
QStringList listablePictures(const QString& folder)
{
    QStringList found;
    for (const QString& name : listDir(folder, ListKind::FilesOnly))
        if (pntCanBePicture(name) && !pntThumbnailFile(folder + name).isEmpty())
            found.append(name);
    return found;
}
}

QVector<PictureEntry> opnListPictures(const QString& rawFolder, QString* problems, QSize shown)
{
    QString folder = rawFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    // Counting pass, then the listing pass; a picture that vanished in between is left out.
    QVector<PictureEntry> entries;
    entries.reserve(listablePictures(folder).size());
    for (const QString& name : listablePictures(folder)) {
        const QString path = folder + name;
        const QString thumbFile = pntThumbnailFile(path);
        if (thumbFile.isEmpty())
            continue;
        QString error;
        QImage thumb = loadPicture(thumbFile, &error, shown);
        if (thumb.isNull()) {
            if (problems && problems->isEmpty())
                *problems = error;
            continue;
        }
        entries.append({path, thumb, pntPictureName(path)});
    }
    return entries;
}

OpenDialog::OpenDialog() : catalogs(pntCatalogSlots(false)) {}

bool OpenDialog::chooseCatalog(int k, QString* problems)
{
    if (k < 0 || k >= catalogs.size())
        return false;
    openCatalog = k;
    opnReadOpenFiles(catalogs[k].folder, problems);
    return true;
}

void OpenDialog::opnClearFiles()
{
    intFirstPicture = 0;
    intSelectedPicture = -1;
}

void OpenDialog::opnReadOpenFiles(const QString& strPath, QString* problems)
{
    opnClearFiles();
    opnPictures = opnListPictures(strPath, problems, thumbnailSize);
    // The grid counts in 16 bits; a folder beyond that shows its first 32767 pictures.
    if (opnPictures.size() > 32767)
        opnPictures.resize(32767);
    intPictureCount = int16_t(opnPictures.size());
    intFirstPicture = 0;
}

bool OpenDialog::scrollUp()
{
    if (intFirstPicture < kGridColumns)
        return false;
    intFirstPicture = int16_t(intFirstPicture - kGridColumns);
    return true;
}

bool OpenDialog::scrollDown()
{
    if (!downEnabled())
        return false;
    intFirstPicture = int16_t(intFirstPicture + kGridColumns);
    return true;
}

bool OpenDialog::opnPictureClick(int n)
{
    if (n < 0 || n >= kGridCells || intPictureCount <= 0 || intFirstPicture + n > intPictureCount - 1)
        return false;
    intSelectedPicture = int16_t(intFirstPicture + n);
    return true;
}

bool OpenDialog::opnOpenFile()
{
    if (intSelectedPicture < 0 || intSelectedPicture >= opnPictures.size())
        return false;
    bolPictureChosen = true;
    strChosenPicture = opnPictures[intSelectedPicture].path;
    strChosenINI = pntFigureFile(strChosenPicture);
    strChosenName = pntPictureName(strChosenPicture);
    strChosenSound = pntSoundFile(strChosenPicture);
    return true;
}

void OpenDialog::cancel() { bolPictureChosen = false; }

const PictureEntry* OpenDialog::cellEntry(int n) const
{
    const int k = intFirstPicture + n;
    if (n < 0 || n >= kGridCells || k >= opnPictures.size())
        return nullptr;
    return &opnPictures[k];
}

int OpenDialog::selectedCell() const
{
    if (intSelectedPicture < 0)
        return -1;
    const int cell = intSelectedPicture - intFirstPicture;
    return cell >= 0 && cell < kGridCells ? cell : -1;
}
