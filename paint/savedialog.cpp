// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/savedialog.h"

#include "common/fileio.h"
#include "common/math32.h"
#include "common/string32.h"
#include "platform/files.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

QString systemError(int number) { return QString::fromLocal8Bit(std::strerror(number)); }

// Writes bytes to a new file at path and makes sure they reached the disk. A file of that name
// is never written through nor removed: it would be another save's.
bool writeDurably(const QString& path, const QByteArray& bytes, QString* error)
{
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
        *error = f.error() != QFileDevice::NoError ? reason(f) : systemError(errno);
    f.close();
    if (ok && f.error() != QFileDevice::NoError) {
        *error = reason(f);
        QFile::remove(path);
        return false;
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

QByteArray bmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        bytes.clear();
    return bytes;
}

// Letters, digits, "." and "-" stand as they are; anything else (and "_", which parts the name)
// as %XX, so that a name can be read back into its parts.
QString fileNameHost(const QString& host)
{
    QString out;
    for (const char c : host.toUtf8().left(64)) {
        const auto u = uchar(c);
        if (std::isalnum(u) || c == '.' || c == '-')
            out += QLatin1Char(c);
        else
            out += QStringLiteral("%%1").arg(u, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out.isEmpty() ? QStringLiteral("%00") : out;
}

QByteArray readSmallFile(const char* path)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? f.read(256).trimmed() : QByteArray();
}

// The boot of this kernel and this PID namespace: equal within one process space, different
// between computers (each boot has its own random id) and between containers of one computer.
QString processSpace()
{
    static const QString space = [] {
        QByteArray id = readSmallFile("/proc/sys/kernel/random/boot_id");
        char ns[64] = {};
        if (const ssize_t n = ::readlink("/proc/self/ns/pid", ns, sizeof ns - 1); n > 0)
            id += QByteArray(ns, int(n));
        if (id.isEmpty())
            return QStringLiteral("0");
        return QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
    }();
    return space;
}

constexpr QLatin1String kTemporaryPrefix("_saving_");

// The owner named by a temporary file's name; false for any other name.
bool temporaryOwner(const QString& name, SaveOwner* owner)
{
    if (!name.startsWith(kTemporaryPrefix) || !name.endsWith(QLatin1String(".tmp")))
        return false;
    QString middle = name.mid(kTemporaryPrefix.size()).chopped(4);
    if (middle.endsWith(QLatin1Char('_')))
        middle.chop(1);
    const QStringList parts = middle.split(QLatin1Char('_'));
    if (parts.size() != 4)
        return false;
    bool number = false;
    owner->host = parts[0];
    owner->space = parts[1];
    owner->pid = parts[2].toLongLong(&number);
    return number && owner->pid > 0;
}

bool processRuns(qint64 pid) { return ::kill(pid_t(pid), 0) == 0 || errno == EPERM; }

enum class Claim { Claimed, Taken, Failed };

bool noHardLinks(int error)
{
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK || error == ENOSYS;
}

// Puts temp in place as target when no file of that name exists; never replaces one.
Claim claim(const QString& temp, const QString& target, int* errorNumber)
{
    const QByteArray from = QFile::encodeName(temp), to = QFile::encodeName(target);
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return Claim::Claimed;
    }
    int why = errno;
    if (why == EEXIST) {
        // A network file system that retried a link it had made reports the name as existing:
        // the name is this save's only when it is this very file.
        struct stat mine {}, there {};
        if (::lstat(from.constData(), &mine) == 0 && ::lstat(to.constData(), &there) == 0 && mine.st_dev == there.st_dev
            && mine.st_ino == there.st_ino) {
            ::unlink(from.constData());
            return Claim::Claimed;
        }
        return Claim::Taken;
    }
    if (!noHardLinks(why)) {
        *errorNumber = why;
        return Claim::Failed;
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Claim::Claimed;
    why = errno;
    if (why == EEXIST)
        return Claim::Taken;
    if (why != EINVAL && why != ENOSYS && why != ENOTSUP && why != EOPNOTSUPP) {
        *errorNumber = why;
        return Claim::Failed;
    }
    // Neither: an exclusive create claims the name, the rename then fills it.
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        *errorNumber = errno;
        return errno == EEXIST ? Claim::Taken : Claim::Failed;
    }
    ::close(fd);
    if (::rename(from.constData(), to.constData()) == 0)
        return Claim::Claimed;
    *errorNumber = errno;
    ::unlink(to.constData());
    return Claim::Failed;
}

// The painting and thumbnail of one save, written to its own temporary files in the folder.
struct Temporaries {
    QString painting, thumbnail;
    bool write(const QString& folder, const QImage& paintingImage, const QImage& thumbnailImage, QString* error)
    {
        const QByteArray paintingBytes = bmpBytes(paintingImage);
        const QByteArray thumbBytes = bmpBytes(thumbnailImage);
        if (paintingBytes.isEmpty() || thumbBytes.isEmpty()) {
            *error = QStringLiteral("the picture could not be encoded");
            return false;
        }
        const SaveOwner owner = SaveOwner::thisProcess();
        const QString name = pntTemporaryName(owner, "");
        painting = folder + name + QStringLiteral(".tmp");
        thumbnail = folder + name + QStringLiteral("_.tmp");
        if (!writeDurably(painting, paintingBytes, error)) {
            painting.clear();
            thumbnail.clear();
            return false;
        }
        if (!writeDurably(thumbnail, thumbBytes, error)) {
            discard();
            return false;
        }
        return true;
    }
    void discard()
    {
        for (QString* path : {&painting, &thumbnail})
            if (!path->isEmpty())
                ::unlink(QFile::encodeName(*path).constData());
        painting.clear();
        thumbnail.clear();
    }

    // Puts both in place as number n. The painting's name is claimed first: whoever holds it
    // owns the number, and only then its thumbnail is put beside it (replacing one left behind
    // by a deleted painting). In between a reader sees a painting without a thumbnail, which the
    // open dialog does not offer (or, for that moment, beside a thumbnail its deleted forerunner
    // left), never beside another save's thumbnail: only the save holding n.bmp writes n_.bmp.
    Claim publish(const QString& folder, int n, QString* error)
    {
        const QString number = strRemoveSpaces(QString::number(n));
        const QString target = folder + number + QStringLiteral(".bmp");
        const QString thumbTarget = folder + number + QStringLiteral("_.bmp");
        int errorNumber = 0;
        const Claim claimed = claim(painting, target, &errorNumber);
        if (claimed == Claim::Taken) {
            *error = QStringLiteral("'%1' already exists").arg(target);
            return claimed;
        }
        if (claimed == Claim::Failed) {
            *error = systemError(errorNumber);
            discard();
            return claimed;
        }
        painting.clear();
        if (::rename(QFile::encodeName(thumbnail).constData(), QFile::encodeName(thumbTarget).constData()) != 0) {
            *error = systemError(errno);
            discard();
            ::unlink(QFile::encodeName(target).constData()); // this save's own, claimed above
            return Claim::Failed;
        }
        thumbnail.clear();
        if (const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return Claim::Claimed;
    }
};

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool folderMissing(const QString& folder, QString* error)
{
    if (QFileInfo(folder).isDir())
        return false;
    *error = QStringLiteral("the folder '%1' does not exist").arg(fioRemoveBackslash(folder));
    return true;
}
}

SaveOwner SaveOwner::thisProcess()
{
    return SaveOwner{fileNameHost(QSysInfo::machineHostName()), processSpace(), qint64(::getpid())};
}

QString pntTemporaryName(const SaveOwner& owner, const char* tail)
{
    return QString(kTemporaryPrefix)
           + QStringLiteral("%1_%2_%3_%4%5")
                 .arg(owner.host, owner.space)
                 .arg(owner.pid)
                 .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))
                 .arg(QLatin1String(tail));
}

int pntClearStaleTemporaries(const QString& rawFolder, const QStringList& names)
{
    const QString folder = withSlash(rawFolder);
    const SaveOwner self = SaveOwner::thisProcess();
    int cleared = 0;
    for (const QString& name : names) {
        SaveOwner owner;
        if (!temporaryOwner(name, &owner) || owner.host != self.host || owner.space != self.space || processRuns(owner.pid))
            continue;
        if (::unlink(QFile::encodeName(folder + name).constData()) == 0)
            ++cleared;
    }
    return cleared;
}

bool pntWritePainting(const QString& rawFolder, int n, const QImage& painting, const QImage& thumbnail, QString* error, bool* taken)
{
    QString why;
    if (!error)
        error = &why;
    if (taken)
        *taken = false;
    const QString folder = withSlash(rawFolder);
    if (folderMissing(folder, error))
        return false;
    const QString target = folder + strRemoveSpaces(QString::number(n)) + QStringLiteral(".bmp");
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        *error = QStringLiteral("'%1' already exists").arg(target);
        if (taken)
            *taken = true;
        return false;
    }
    Temporaries temps;
    if (!temps.write(folder, painting, thumbnail, error))
        return false;
    const Claim done = temps.publish(folder, n, error);
    temps.discard();
    if (taken)
        *taken = done == Claim::Taken;
    return done == Claim::Claimed;
}

bool pntSavePainting(const QString& rawFolder, const QImage& painting, const QImage& thumbnail, int* number, QString* error,
                     const FolderLister& list)
{
    QString why;
    if (!error)
        error = &why;
    const QString folder = withSlash(rawFolder);
    if (folderMissing(folder, error))
        return false;
    QStringList names = list(folder);
    pntClearStaleTemporaries(folder, names);
    Temporaries temps;
    if (!temps.write(folder, painting, thumbnail, error))
        return false;
    // A number found taken is never tried again in this save, even when the listing, cached by
    // a network file system, still does not show it.
    QStringList taken;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (attempt > 0)
            names = list(folder);
        const int n = pntFreeNumber(names + taken);
        if (n < 0) {
            *error = QStringLiteral("every number from 0 to %1 is in use").arg(kMaxPaintingNumber);
            break;
        }
        const Claim done = temps.publish(folder, n, error);
        if (done == Claim::Claimed) {
            if (number)
                *number = n;
            return true;
        }
        if (done == Claim::Failed)
            return false;
        taken << QString::number(n) + QStringLiteral(".bmp");
    }
    temps.discard();
    return false;
}

bool pntWriteDurably(const QString& path, const QByteArray& bytes, QString* error) { return writeDurably(path, bytes, error); }

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
    return pntSavePainting(catalogs[chosenSlot].folder, painting, thumbnail, number, error) ? Result::Saved : Result::Failed;
}
