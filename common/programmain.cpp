// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/programmain.h"

#include "common/commandline.h"
#include "common/fullscreen.h"
#include "common/qtmessages.h"
#include "platform/accessible.h"
#include "platform/fontwarmup.h"
#include "platform/qttranslations.h"
#include "platform/startupprobe.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

int programMain(int argc, char** argv, const ProgramEntry& entry)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    const QString name = QString::fromLatin1(entry.command);
    installQtMessageRoute(entry.command, entry.debugLog);
    switch (command.action) {
    case CommandLine::Help:
        std::fputs(qUtf8Printable(helpText(name, QString::fromLatin1(entry.configName), QString::fromUtf8(entry.summary))), stdout);
        return 0;
    case CommandLine::Version:
        std::fputs(qUtf8Printable(versionText(name)), stdout);
        return 0;
    case CommandLine::Usage:
        std::fprintf(stderr, "%s: %s\n%s", entry.command, qUtf8Printable(command.error), qUtf8Printable(usageText(name)));
        return 2;
    case CommandLine::Check: {
        // No window and no sound: the checker only reads.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QString::fromLatin1(entry.title));
        return entry.check(command.configuration);
    }
    case CommandLine::Run:
        break;
    }
    // While the display is connected and the configuration read, not after.
    FontWarmUp fonts;
    StartupRead read{gamFindConfiguration(QString::fromLatin1(entry.configName), command.configuration), {}};
    prepareFullscreen(argc, argv, read.found.path, read.files, entry.design);
    QApplication app(argc, argv);
    // Every move of a stroke is drawn: merging the moves that queue up on a busy classroom
    // computer would straighten a child's quick zigzag. (The X11 platform sets this on at start.)
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QApplication::setApplicationName(QString::fromLatin1(entry.title));
    fonts.finish();
    installQtTranslations();
    installAccessibleControls();
    installStartupProbe();
    return entry.run(read);
}
