#include "paint/savedialog.h"

#include "common/fileio.h"
#include "common/math32.h"
#include "common/string32.h"
#include "platform/files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Writes bytes to path and makes sure they reached the disk.
bool writeDurably(const QString& path, const QByteArray& bytes, QString* error)
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

bool pntWritePainting(const QString& rawFolder, int n, const QImage& painting, const QImage& thumbnail, QString* error)
{
    QString why;
    if (!error)
        error = &why;
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
    const QString temp = folder + QStringLiteral("_saving_") + number + QStringLiteral(".tmp");
    const QString thumbTemp = folder + QStringLiteral("_saving_") + number + QStringLiteral("_.tmp");
    if (QFileInfo::exists(target)) {
        *error = QStringLiteral("'%1' already exists").arg(target);
        return false;
    }
    const QByteArray paintingBytes = bmpBytes(painting);
    const QByteArray thumbBytes = bmpBytes(thumbnail);
    if (paintingBytes.isEmpty() || thumbBytes.isEmpty()) {
        *error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    if (!writeDurably(temp, paintingBytes, error))
        return false;
    if (!writeDurably(thumbTemp, thumbBytes, error)) {
        QFile::remove(temp);
        return false;
    }
    // A thumbnail left behind by a deleted painting is replaced; a painting never is.
    QFile::remove(thumbTarget);
    QFile thumbFile(thumbTemp);
    if (!thumbFile.rename(thumbTarget)) {
        *error = reason(thumbFile);
        QFile::remove(temp);
        QFile::remove(thumbTemp);
        return false;
    }
    QFile paintingFile(temp);
    if (!paintingFile.rename(target)) {
        *error = reason(paintingFile);
        QFile::remove(temp);
        QFile::remove(thumbTarget);
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
    const int n = pntFreeNumber(pntFolderNames(folder));
    if (n < 0) {
        *error = QStringLiteral("every number from 0 to %1 is in use").arg(kMaxPaintingNumber);
        return Result::Failed;
    }
    if (number)
        *number = n;
    return pntWritePainting(folder, n, painting, thumbnail, error) ? Result::Saved : Result::Failed;
}
