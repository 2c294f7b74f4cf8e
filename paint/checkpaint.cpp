// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/checkpaint.h"

#include "common/game32.h"
#include "common/inireader.h"
#include "common/themecheck.h"
#include "paint/openini.h"

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
    ThemeReport report;
    if (found.path.isEmpty())
        report.problem(QStringLiteral("zypaint.ini"), 0,
                       QStringLiteral("not found; looked for %1").arg(gamPlacesLookedIn(QStringLiteral("zypaint.ini"))));
    else
        checkPaintConfiguration(found.path, report);
    return printThemeReport(found.path, found.reason, report);
}
