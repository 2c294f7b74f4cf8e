// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString g_appFolderOverride;
}

QString toPlatformSeparators(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

namespace {
// The entry of folder whose name matches part without regard to case; empty when none does.
// The folder is read name by name, without looking up each entry: a folder of ten thousand
// catalogs is looked through in a moment.
// The folders last looked through, each with its names by their lower case, kept while the
// folder stays unchanged: a dialog that looks up every catalog's picture in a folder of ten
// thousand reads that folder once.
struct FolderNames {
    timespec changed {};
    nlink_t links = 0;
    QHash<QString, QString> byLower;
};

QString caseInsensitiveEntry(const QString& folder, const QString& part)
{
    static QMutex lock;
    static QHash<QString, FolderNames> cache;
    const QByteArray native = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    QMutexLocker guard(&lock);
    if (cache.size() > 16 && !cache.contains(folder))
        cache.clear();
    FolderNames& names = cache[folder];
    if (names.changed.tv_sec != st.st_mtim.tv_sec || names.changed.tv_nsec != st.st_mtim.tv_nsec || names.links != st.st_nlink
        || names.byLower.isEmpty()) {
        names.changed = st.st_mtim;
        names.links = st.st_nlink;
        names.byLower.clear();
        if (DIR* dir = ::opendir(native.constData())) {
            while (const dirent* e = ::readdir(dir)) {
                const QString name = QFile::decodeName(e->d_name);
                names.byLower.insert(name.toLower(), name);
            }
            ::closedir(dir);
        }
    }
    return names.byLower.value(part.toLower());
}
}

QString resolvePath(const QString& raw)
{
    const QString path = toPlatformSeparators(raw);
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'));
    QString current = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool last = i == parts.size() - 1;
        if (part.isEmpty()) {
            if (last && !current.isEmpty() && !current.endsWith(QLatin1Char('/')))
                current += QLatin1Char('/');
            continue;
        }
        QString candidate = current.isEmpty() || current.endsWith(QLatin1Char('/')) ? QString(current + part)
                                                                                     : QString(current + QLatin1Char('/') + part);
        if (!QFileInfo::exists(candidate) && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString e = caseInsensitiveEntry(current.isEmpty() ? QStringLiteral(".") : current, part);
            if (!e.isEmpty())
                candidate = current.isEmpty() || current.endsWith(QLatin1Char('/')) ? QString(current + e) : QString(current + QLatin1Char('/') + e);
            if (!QFileInfo::exists(candidate))
                return path;
        }
        current = candidate;
        if (last && path.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
    }
    return current;
}

QStringList listDir(const QString& folder, ListKind kind)
{
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    if (kind == ListKind::All)
        filters |= QDir::AllEntries;
    else if (kind == ListKind::FilesOnly)
        filters |= QDir::Files;
    else
        filters |= QDir::Dirs;
    QStringList names = QDir(resolvePath(folder)).entryList(filters, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

void setAppFolderForTests(const QString& folder) { g_appFolderOverride = folder; }

QString installedDataFolder()
{
    const QString folder = QDir::cleanPath(appFolder() + QStringLiteral("/../share/brushbox-twinturn"));
    return QFileInfo(folder).isDir() ? folder + QLatin1Char('/') : QString();
}

QString appFolder()
{
    if (!g_appFolderOverride.isEmpty())
        return g_appFolderOverride;
    // Before any application object exists the running program names itself.
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                               : QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).path();
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    if (!canonical.isEmpty())
        dir = canonical;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

qint64 maxFileBytes(FileKind kind)
{
    switch (kind) {
    case FileKind::Text: return 100LL * 1024 * 1024;
    case FileKind::Picture: return 256LL * 1024 * 1024;
    case FileKind::Sound: return 1024LL * 1024 * 1024;
    }
    return 0;
}

namespace {
QString whatItIs(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("is a FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("is a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("is a socket");
    return QStringLiteral("is not a regular file");
}

QString errnoText(int error)
{
    return error == ENOENT || error == ENOTDIR ? QStringLiteral("is missing")
                                              : QStringLiteral("cannot be opened: ") + QString::fromLocal8Bit(std::strerror(error));
}

void setWhy(QString* why, const QString& text)
{
    if (why)
        *why = text;
}

// The type is looked at before the open (a device may act on being opened) and again on the
// open descriptor (the path may have changed in between). A FIFO opened without blocking
// returns at once even with no writer.
int openRegular(const QString& path, QString* why, struct stat* st)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty()) {
        setWhy(why, QStringLiteral("is missing"));
        return -1;
    }
    if (::stat(native.constData(), st) != 0) {
        setWhy(why, errnoText(errno));
        return -1;
    }
    if (!S_ISREG(st->st_mode)) {
        setWhy(why, whatItIs(st->st_mode));
        return -1;
    }
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        setWhy(why, errnoText(errno));
        return -1;
    }
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        setWhy(why, whatItIs(st->st_mode));
        ::close(fd);
        return -1;
    }
    return fd;
}
}

bool openRegularFile(QFile& file, const QString& path, FileKind kind, QString* why, bool* regular)
{
    struct stat st {};
    const int fd = openRegular(path, why, &st);
    if (regular)
        *regular = fd >= 0;
    if (fd < 0)
        return false;
    if (st.st_size > maxFileBytes(kind)) {
        setWhy(why, QStringLiteral("is larger than %1 MB").arg(maxFileBytes(kind) / (1024 * 1024)));
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        setWhy(why, QStringLiteral("cannot be opened: ") + file.errorString());
        ::close(fd);
        return false;
    }
    return true;
}

// Looked at without opening it: the configuration lookup and the existence checks before a read
// must not cost the read's own open again.
QString regularFileProblem(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (native.isEmpty())
        return QStringLiteral("is missing");
    if (::stat(native.constData(), &st) != 0)
        return errnoText(errno);
    if (!S_ISREG(st.st_mode))
        return whatItIs(st.st_mode);
    if (::access(native.constData(), R_OK) != 0)
        return errnoText(errno);
    return {};
}

namespace {
QByteArray parentFolder(const QByteArray& path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : p.left(slash);
}

// The group may read and write a file, and also enter a folder, as it may in the parent.
void takeParentGroupBits(int fd, const QByteArray& path)
{
    struct stat parent {}, own {};
    if (::stat(parentFolder(path).constData(), &parent) != 0 || !(parent.st_mode & S_IWGRP) || ::fstat(fd, &own) != 0)
        return;
    const mode_t group = parent.st_mode & (S_ISDIR(own.st_mode) ? S_IRWXG : (S_IRGRP | S_IWGRP));
    const mode_t mode = own.st_mode & 07777;
    if ((mode | group) != mode)
        ::fchmod(fd, mode | group);
}
}

int openForWriting(const QString& path, int flags, QString* why)
{
    const QByteArray native = QFile::encodeName(path);
    const int common = O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | flags;
    // Made here or opened as it was: only a file this call makes takes the folder's group bits.
    int fd = ::open(native.constData(), common | O_CREAT | O_EXCL, 0644);
    const bool made = fd >= 0;
    for (int again = 0; fd < 0 && errno == EEXIST && !(flags & O_EXCL) && again < 3; ++again) {
        fd = ::open(native.constData(), common);
        if (fd < 0 && errno == ENOENT) // removed in between: make it after all
            fd = ::open(native.constData(), common | O_CREAT | O_EXCL, 0644);
    }
    if (fd >= 0 && made)
        takeParentGroupBits(fd, native);
    if (fd < 0) {
        setWhy(why, errno == ELOOP ? QStringLiteral("is a link") : errnoText(errno));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        setWhy(why, whatItIs(st.st_mode));
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool copyRegularFile(const QString& from, const QString& to, FileKind kind, QString* why)
{
    QFile in;
    if (!openRegularFile(in, from, kind, why))
        return false;
    const int fd = openForWriting(to, O_EXCL, why);
    if (fd < 0)
        return false;
    QFile out;
    out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    QByteArray chunk;
    while (!(chunk = in.read(1024 * 1024)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            setWhy(why, QStringLiteral("cannot be written: ") + out.errorString());
            out.close();
            QFile::remove(to);
            return false;
        }
    }
    return true;
}

bool makeFolder(const QString& folder, QString* why)
{
    QByteArray native = QFile::encodeName(folder);
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    if (::mkdir(native.constData(), 0777) == 0) {
        const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            takeParentGroupBits(fd, native);
            ::close(fd);
        }
        return true;
    }
    const int error = errno;
    struct stat st {};
    if (error == EEXIST && ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    setWhy(why, QString::fromLocal8Bit(std::strerror(error)));
    return false;
}
