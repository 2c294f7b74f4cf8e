// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/sysfolder.h"

#include <QDir>

QString systemFolder()
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
