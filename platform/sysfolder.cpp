// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/sysfolder.h"

#include <QDir>

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
