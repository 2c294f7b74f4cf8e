// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/keptpainting.h"

#include "common/fileio.h"
#include "paint/paintsettings.h"
#include "paint/savedialog.h"
#include "platform/picture.h"
#include "platform/sysfolder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        bytes.clear();
    return bytes;
}

QString temporary(const QString& file) { return file + QStringLiteral(".%1.tmp").arg(QCoreApplication::applicationPid()); }

bool putInPlace(const QString& temp, const QString& file, QString* error)
{
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(file).constData()) == 0)
        return true;
    *error = QStringLiteral("'%1' %2").arg(file, QString::fromLocal8Bit(std::strerror(errno)));
    QFile::remove(temp);
    return false;
}

void moveAside(const QString& file)
{
    const QString aside = file + QStringLiteral(".broken");
    QFile::remove(aside);
    QFile::rename(file, aside);
}

QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }
}

QString pntKeptPaintingFile(const QString& folder) { return folder + QStringLiteral("brushbox_kept.bmp"); }
QString pntKeptPictureFile(const QString& folder) { return folder + QStringLiteral("brushbox_kept_picture.png"); }

bool pntWriteKeptPainting(const QString& folder, const KeptPainting& kept, QString* error)
{
    const QString file = pntKeptPaintingFile(folder), pictureFile = pntKeptPictureFile(folder);
    const QByteArray painting = encoded(kept.painting, "BMP");
    // PNG keeps a picture's transparent parts as they were opened.
    const QByteArray picture = kept.picture.isNull() ? QByteArray() : encoded(kept.picture, "PNG");
    if (painting.isEmpty() || (!kept.picture.isNull() && picture.isEmpty())) {
        *error = QStringLiteral("the painting could not be encoded");
        return false;
    }
    const QString temp = temporary(file), pictureTemp = temporary(pictureFile);
    // Left by an earlier run that had this process number and was killed.
    QFile::remove(temp);
    QFile::remove(pictureTemp);
    if (!pntWriteDurably(temp, painting, error))
        return false;
    if (!picture.isEmpty() && !pntWriteDurably(pictureTemp, picture, error)) {
        QFile::remove(temp);
        return false;
    }
    if (picture.isEmpty())
        QFile::remove(pictureFile);
    else if (!putInPlace(pictureTemp, pictureFile, error)) {
        QFile::remove(temp);
        return false;
    }
    if (!putInPlace(temp, file, error))
        return false;
    if (const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool pntReadKeptPainting(const QString& folder, QSize canvas, KeptPainting* kept, QString* error)
{
    error->clear();
    const QString file = pntKeptPaintingFile(folder), pictureFile = pntKeptPictureFile(folder);
    if (!QFileInfo::exists(file))
        return false;
    QString why;
    KeptPainting read;
    read.painting = loadPicture(file, &why);
    if (!read.painting.isNull() && read.painting.size() != canvas)
        why = QStringLiteral("it is %1 x %2 pixels, the canvas %3 x %4")
                  .arg(read.painting.width()).arg(read.painting.height()).arg(canvas.width()).arg(canvas.height());
    if (why.isEmpty() && QFileInfo::exists(pictureFile)) {
        read.picture = loadPicture(pictureFile, &why);
        if (read.picture.isNull()) {
            *error = QStringLiteral("the kept picture '%1' cannot be read: %2").arg(pictureFile, why);
            moveAside(pictureFile);
            return false;
        }
    }
    if (!why.isEmpty() || read.painting.isNull()) {
        *error = QStringLiteral("the kept painting '%1' cannot be read: %2").arg(file, why.isEmpty() ? QStringLiteral("no picture") : why);
        moveAside(file);
        return false;
    }
    *kept = read;
    return true;
}

QString pntKeepFolder(QString* why)
{
    const QString folder = systemFolder();
    if (folder.isEmpty()) {
        *why = QStringLiteral("there is no system folder");
        return QString();
    }
    const QString here = canonical(folder);
    for (const UserCatalog& c : PaintSettings.catalogs) {
        if (c.name.isEmpty())
            continue;
        for (const QString& root : {PaintSettings.catalog.expanded, PaintSettings.picture.expanded}) {
            if (!root.isEmpty() && canonical(fioWithBackslash(root) + c.name) == here) {
                *why = QStringLiteral("the system folder '%1' is the catalog '%2'").arg(folder, c.name);
                return QString();
            }
        }
    }
    return folder;
}
