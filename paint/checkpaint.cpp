// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/checkpaint.h"

#include "common/game32.h"
#include "common/inireader.h"
#include "common/themecheck.h"
#include "paint/openini.h"

#include <cstdio>

void checkPaintConfiguration(const QString& path, ThemeReport& report)
{
    PaintSettingsRecord settings;
    Findings found(path, [&report](const Finding& f) { return report.add(f); }, true);
    IniFiles files;
    // Before the figure files it reads on the way.
    report.name(path);
    pntReadConfiguration(settings, found, files);
}

int runPaintCheck(const QStringList& configuration)
{
    const ConfigurationFile found = gamFindConfiguration(QStringLiteral("zypaint.ini"), configuration);
    const QString path = found.path;
    if (!path.isEmpty())
        std::printf("Checking %s (%s)\n", qUtf8Printable(path), qUtf8Printable(found.reason));
    ThemeReport report;
    if (path.isEmpty())
        report.problem(QStringLiteral("zypaint.ini"), 0,
                       QStringLiteral("not found; looked for %1").arg(gamPlacesLookedIn(QStringLiteral("zypaint.ini"))));
    else
        checkPaintConfiguration(path, report);
    for (const QString& line : report.lines())
        std::printf("%s\n", qUtf8Printable(line));
    if (report.clean())
        std::printf("%s: no problems found\n", qUtf8Printable(path));
    return report.clean() ? 0 : 1;
}
