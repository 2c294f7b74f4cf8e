// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/sysfolder.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// A real folder (no link) of this user that no one else may enter.
bool privateFolder(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
           && (st.st_mode & 077) == 0;
}
}

namespace {
QString findSystemFolder()
{
    QString folder = qEnvironmentVariable("WINDIR");
    if (folder.isEmpty()) {
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty())
            config = QDir::homePath() + QStringLiteral("/.config");
        folder = config + QStringLiteral("/brushbox-twinturn");
        if (!QDir(folder).exists() && !QDir().mkpath(folder))
            return QString();
    }
    folder = folder.trimmed();
    if (folder.isEmpty())
        return QString();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
}

// Found once for each setting of the variables it comes from, not once for every log line.
QString systemFolder()
{
    static QString from, found;
    const QString now = qEnvironmentVariable("WINDIR") + QLatin1Char('\n') + qEnvironmentVariable("XDG_CONFIG_HOME")
                        + QLatin1Char('\n') + QDir::homePath();
    if (now != from || found.isEmpty()) {
        from = now;
        found = findSystemFolder();
    }
    return found;
}

QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && privateFolder(runtime))
        return runtime.endsWith(QLatin1Char('/')) ? runtime : runtime + QLatin1Char('/');
    // The host in the name: containers and thin clients may share one temporary folder. Short
    // enough that a socket path in it stays within its limit.
    QString host = QSysInfo::machineHostName().left(40);
    host.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString folder = QDir::tempPath() + QStringLiteral("/brushbox-twinturn-%1-%2").arg(::geteuid()).arg(host);
    // Made private from the start; one made by someone else, or a link, is never used.
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return privateFolder(folder) ? folder + QLatin1Char('/') : QString();
}
