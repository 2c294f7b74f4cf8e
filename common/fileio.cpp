// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fileio.h"

#include "platform/files.h"
#include "platform/sysfolder.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString rightTrimmed(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].isSpace())
        --n;
    return s.left(n);
}

QString driveOf(const QString& folder)
{
    // On this platform every absolute path lies on the one root.
    return folder.isEmpty() ? QString() : QStringLiteral("/");
}
}

QString fioGetWindowsDir() { return systemFolder(); }
QString fioGetAppPath() { return appFolder(); }

QString fioGetPathMacro(const QString& path)
{
    if (!path.startsWith(QLatin1Char('%')))
        return {};
    const qsizetype end = path.indexOf(QLatin1Char('%'), 1);
    return end < 0 ? path : path.left(end + 1);
}

QString fioGetMacroValue(const QString& macro)
{
    const QString m = macro.toLower();
    if (m == QLatin1String("%windows%"))
        return fioGetWindowsDir();
    if (m == QLatin1String("%apppath%"))
        return fioWithBackslash(fioGetAppPath());
    if (m == QLatin1String("%appdrive%"))
        return driveOf(fioGetAppPath());
    if (m == QLatin1String("%windrive%"))
        return fioGetWindowsDir().isEmpty() ? QStringLiteral("/") : driveOf(fioGetWindowsDir());
    return {};
}

QString fioExpandMacro(const QString& rawPath)
{
    const QString path = toPlatformSeparators(rawPath);
    if (!path.startsWith(QLatin1Char('%')))
        return path;
    const QString macro = fioGetPathMacro(path);
    QString rest = path.mid(macro.size());
    if (rest == QLatin1String("/"))
        rest.clear();
    else if (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    QString result = fioGetMacroValue(macro) + rest;
    if (!fioHasExtension(result))
        fioAddBackslash(result);
    return result;
}

QString fioExpandPath(const QString& path) { return fioExpandMacro(path); }

QString fioResolve(const QString& path) { return resolvePath(path); }

bool fioFileExists(const QString& rawPath)
{
    if (rawPath.isEmpty())
        return false;
    QString path = toPlatformSeparators(rawPath);
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty())
        return false;
    // A FIFO or a device is no file to read: opening one could block or never end.
    return regularFileProblem(resolvePath(path)).isEmpty();
}

bool fioDirExists(const QString& rawPath)
{
    QString path = toPlatformSeparators(rawPath);
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty())
        return false;
    return QFileInfo(resolvePath(path)).isDir();
}

void fioAddBackslash(QString& path)
{
    path = rightTrimmed(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
}

QString fioWithBackslash(const QString& text)
{
    return text.endsWith(QLatin1Char('/')) ? text : text + QLatin1Char('/');
}

QString fioRemoveBackslash(const QString& text)
{
    return text.endsWith(QLatin1Char('/')) ? text.left(text.size() - 1) : text;
}

QString fioGetDrive(const QString& path) { return fioIsFullPath(path) ? QStringLiteral("/") : path.left(3); }

bool fioIsFullPath(const QString& path)
{
    const QString p = toPlatformSeparators(path);
    return p.startsWith(QLatin1Char('/')) || (p.size() >= 2 && p[1] == QLatin1Char(':'));
}

bool fioHasExtension(const QString& path)
{
    return path.size() >= 4 && !path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\'))
           && path[path.size() - 4] == QLatin1Char('.');
}

QString fioGetExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == name.size() - 1)
        return {};
    return name.mid(dot + 1);
}

QString fioRemoveExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return name;
    return name.left(dot);
}

bool fioIsPictureFile(const QString& name)
{
    const QString ext = fioGetExtension(name).toUpper();
    return ext == QLatin1String("BMP") || ext == QLatin1String("GIF") || ext == QLatin1String("JPG")
           || ext == QLatin1String("WMF") || ext == QLatin1String("JPEG");
}
