// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/game32.h"

#include "common/fileio.h"
#include "common/string32.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

bool bolEndRequested = false;

void gamPadCaption(QLabel* label)
{
    if (!label)
        return;
    label->setText(gamPaddedCaption(label->text(), label->font().pointSizeF()));
}

QStringList gamClassThemeFolders()
{
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.trimmed().isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    QStringList folders;
    for (const QString& d : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << fioWithBackslash(d) + QStringLiteral("brushbox-twinturn/");
    return folders;
}

ConfigurationFile gamFindConfiguration(const QString& name, const QStringList& arguments)
{
    const QString app = fioWithBackslash(fioGetAppPath());
    const QString installed = installedDataFolder();
    if (!arguments.isEmpty()) {
        const QString arg = toPlatformSeparators(arguments.join(QLatin1Char(' ')));
        if (fioIsFullPath(arg))
            return {arg, QStringLiteral("named on the command line")};
        // Typed in a shell, a relative path means the current folder; an author inside a theme's
        // folder must never get the sample beside the program instead.
        if (fioFileExists(arg))
            return {QFileInfo(arg).absoluteFilePath(), QStringLiteral("named on the command line, found in the current folder")};
        const QString inProgramFolder = app + arg;
        if (fioFileExists(inProgramFolder))
            return {inProgramFolder, QStringLiteral("named on the command line, found in the program's folder")};
        if (!installed.isEmpty() && fioFileExists(installed + arg))
            return {installed + arg, QStringLiteral("named on the command line, found among the installed sample themes")};
        return {inProgramFolder, QStringLiteral("named on the command line")};
    }
    if (fioFileExists(app + name))
        return {app + name, QStringLiteral("beside the program")};
    const QString windows = fioGetWindowsDir();
    if (!windows.isEmpty()) {
        // The system folder already ends in a separator; the joined path doubles it, which the
        // memory game's log shows.
        const QString sys = windows + QLatin1Char('/') + name;
        if (fioFileExists(sys))
            return {sys, QStringLiteral("the user's own, in the system folder")};
    }
    for (const QString& folder : gamClassThemeFolders())
        if (fioFileExists(folder + name))
            return {folder + name, QStringLiteral("the class theme for every user of this computer")};
    if (!installed.isEmpty() && fioFileExists(installed + name))
        return {installed + name, QStringLiteral("the sample theme installed with the program")};
    return {};
}

QString gamGetFilePath(const QString& name, const QStringList& arguments) { return gamFindConfiguration(name, arguments).path; }

QString gamPlacesLookedIn(const QString& name)
{
    QStringList places{fioWithBackslash(fioGetAppPath()) + name};
    if (!fioGetWindowsDir().isEmpty())
        places << fioGetWindowsDir() + name;
    for (const QString& folder : gamClassThemeFolders())
        places << folder + name;
    if (!installedDataFolder().isEmpty())
        places << installedDataFolder() + name;
    return places.join(QStringLiteral(", "));
}

QString gamGetFilePath(const QString& name)
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return gamGetFilePath(name, args);
}
