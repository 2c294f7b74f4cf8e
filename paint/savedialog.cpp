// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/savedialog.h"

#include "common/fileio.h"
#include "common/math32.h"
#include "common/string32.h"
#include "platform/files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <sys/stat.h>
#include <cerrno>
#include <dirent.h>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
// The number a file name uses, or -1 when it is no numbered picture. Plain names like 12.bmp
// are read directly; anything else goes through the leading-number rule.
int usedNumber(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.contains(QLatin1Char('_')))
        return -1;
    const QStringView ext = QStringView(name).mid(dot + 1);
    static const char* const kPictures[] = {"bmp", "gif", "jpg", "wmf", "jpeg"};
    bool picture = false;
    for (const char* e : kPictures)
        picture = picture || ext.compare(QLatin1String(e), Qt::CaseInsensitive) == 0;
    if (!picture)
        return -1;
    const QStringView stem = QStringView(name).left(dot);
    if (stem.size() > 0 && stem.size() <= 5) {
        int n = 0;
        bool digits = true;
        for (QChar c : stem) {
            digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
            n = n * 10 + (c.unicode() - '0');
        }
        if (digits)
            return n <= kMaxPaintingNumber ? n : -1;
    }
    const double n = mathLeadingNumber(fioRemoveExtension(name));
    return n >= 0 && n <= kMaxPaintingNumber && n == double(int(n)) ? int(n) : -1;
}
}

int pntFreeNumber(const QStringList& fileNames)
{
    std::vector<bool> used(size_t(kMaxPaintingNumber) + 1, false);
    for (const QString& name : fileNames)
        if (const int n = usedNumber(name); n >= 0)
            used[size_t(n)] = true;
    for (int n = 0; n <= kMaxPaintingNumber; ++n)
        if (!used[size_t(n)])
            return n;
    return -1;
}

QStringList pntFolderNames(const QString& folder)
{
    // One pass over the folder, in no particular order: the number search needs no sorting.
    // Folders count too, so one named like a painting keeps its number from being written to.
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.append(QFile::decodeName(e->d_name));
    }
    ::closedir(dir);
    return names;
}

namespace {
QString reason(const QFile& f) { return f.errorString(); }
}

bool pntWriteDurably(const QString& path, const QByteArray& bytes, QString* error)
{
    // A file of this name left from an earlier save is removed, never written through: it may be
    // a link to a file outside the catalog. The new one is made afresh.
    QFile::remove(path);
    QString why;
    const int fd = openForWriting(path, O_EXCL, &why);
    if (fd < 0) {
        *error = QStringLiteral("'%1' %2").arg(path, why);
        return false;
    }
    QFile f;
    f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    const bool ok = f.write(bytes) == bytes.size() && f.flush() && ::fsync(f.handle()) == 0;
    if (!ok)
        *error = f.error() != QFileDevice::NoError ? reason(f) : QString::fromLocal8Bit(strerror(errno));
    f.close();
    if (ok && f.error() != QFileDevice::NoError) {
        *error = reason(f);
        return false;
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

namespace {
QByteArray bmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        bytes.clear();
    return bytes;
}
}

namespace {
// A name of this save's own for its temporary files: several programs, on several computers,
// may save into one folder at once.
QString temporaryName(const QString& folder, const QString& number, const char* tail)
{
    static int counter = 0;
    return folder + QStringLiteral("_saving_%1_%2_%3%4")
                        .arg(number)
                        .arg(QCoreApplication::applicationPid())
                        .arg(++counter)
                        .arg(QLatin1String(tail));
}

// Puts temp in place as target when no file of that name exists; never replaces one. EEXIST in
// *error means another save took the name.
bool claim(const QString& temp, const QString& target, int* errorNumber)
{
    const QByteArray from = QFile::encodeName(temp), to = QFile::encodeName(target);
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return true;
    }
    const int why = errno;
    struct stat st {};
    if (why == EEXIST && ::stat(from.constData(), &st) == 0 && st.st_nlink == 2) {
        // A network file system may report a link it made on a retry as existing.
        ::unlink(from.constData());
        return true;
    }
    if (why == EPERM || why == ENOTSUP || why == EOPNOTSUPP || why == EMLINK || why == ENOSYS) {
        // No hard links here: an exclusive create claims the name, the rename fills it.
        const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            *errorNumber = errno;
            return false;
        }
        ::close(fd);
        if (::rename(from.constData(), to.constData()) == 0)
            return true;
        *errorNumber = errno;
        ::unlink(to.constData());
        return false;
    }
    *errorNumber = why;
    return false;
}
}

bool pntWritePainting(const QString& rawFolder, int n, const QImage& painting, const QImage& thumbnail, QString* error, bool* taken)
{
    QString why;
    if (!error)
        error = &why;
    if (taken)
        *taken = false;
    QString folder = rawFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("the folder '%1' does not exist").arg(fioRemoveBackslash(folder));
        return false;
    }
    const QString number = strRemoveSpaces(QString::number(n));
    const QString target = folder + number + QStringLiteral(".bmp");
    const QString thumbTarget = folder + number + QStringLiteral("_.bmp");
    // "_" and the extension keep both names out of the open dialog and the number search.
    const QString temp = temporaryName(folder, number, ".tmp");
    const QString thumbTemp = temporaryName(folder, number, "_.tmp");
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        *error = QStringLiteral("'%1' already exists").arg(target);
        if (taken)
            *taken = true;
        return false;
    }
    const QByteArray paintingBytes = bmpBytes(painting);
    const QByteArray thumbBytes = bmpBytes(thumbnail);
    if (paintingBytes.isEmpty() || thumbBytes.isEmpty()) {
        *error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    if (!pntWriteDurably(temp, paintingBytes, error))
        return false;
    if (!pntWriteDurably(thumbTemp, thumbBytes, error)) {
        QFile::remove(temp);
        return false;
    }
    // The painting's name first: whoever claims it owns the number, and only then its thumbnail
    // (one left behind by a deleted painting is replaced).
    int errorNumber = 0;
    if (!claim(temp, target, &errorNumber)) {
        QFile::remove(temp);
        QFile::remove(thumbTemp);
        *error = errorNumber == EEXIST ? QStringLiteral("'%1' already exists").arg(target)
                                       : QString::fromLocal8Bit(std::strerror(errorNumber));
        if (taken)
            *taken = errorNumber == EEXIST;
        return false;
    }
    if (::rename(QFile::encodeName(thumbTemp).constData(), QFile::encodeName(thumbTarget).constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(thumbTemp);
        QFile::remove(target);
        return false;
    }
    if (const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

SaveDialog::SaveDialog() : catalogs(pntCatalogSlots(true)) {}

bool SaveDialog::chooseCatalog(int k)
{
    if (k < 0 || k >= catalogs.size())
        return false;
    chosenSlot = int16_t(k);
    return true;
}

SaveDialog::Result SaveDialog::save(const QImage& painting, const QImage& thumbnail, int* number, QString* error)
{
    if (chosenSlot < 0 || chosenSlot >= catalogs.size())
        return Result::NoCatalog;
    QString why;
    if (!error)
        error = &why;
    const QString folder = fioWithBackslash(catalogs[chosenSlot].folder);
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("the folder '%1' does not exist").arg(fioRemoveBackslash(folder));
        return Result::Failed;
    }
    // Another computer may take the free number first: then the next free one is tried.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int n = pntFreeNumber(pntFolderNames(folder));
        if (n < 0) {
            *error = QStringLiteral("every number from 0 to %1 is in use").arg(kMaxPaintingNumber);
            return Result::Failed;
        }
        bool taken = false;
        if (pntWritePainting(folder, n, painting, thumbnail, error, &taken)) {
            if (number)
                *number = n;
            return Result::Saved;
        }
        if (!taken)
            return Result::Failed;
    }
    return Result::Failed;
}
