#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
QString g_appFolderOverride;
}

QString toPlatformSeparators(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
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
        QString candidate = current.isEmpty() || current.endsWith(QLatin1Char('/')) ? current + part
                                                                                     : current + QLatin1Char('/') + part;
        if (!QFileInfo::exists(candidate) && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    candidate = current.isEmpty() || current.endsWith(QLatin1Char('/')) ? current + e
                                                                                        : current + QLatin1Char('/') + e;
                    break;
                }
            }
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

QString appFolder()
{
    if (!g_appFolderOverride.isEmpty())
        return g_appFolderOverride;
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    if (!canonical.isEmpty())
        dir = canonical;
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}
