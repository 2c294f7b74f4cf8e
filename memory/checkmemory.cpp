// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checkmemory.h"
#include "memory/checker.h"
#include "memory/memerrors.h"

#include "common/game32.h"
#include "common/themecheck.h"

#include <cstdio>

namespace memcheck {

void MemoryChecker::run()
{
    if (readIni()) {
        readMain();
        readGlobal();
        readSpecial();
        checkBackgrounds();
        checkBoard();
    }
    flush();
}

} // namespace memcheck

void checkMemoryConfiguration(const QString& path, ThemeReport& report)
{
    memcheck::MemoryChecker(path, report).run();
}

int runMemoryCheck(const QStringList& configuration)
{
    const ConfigurationFile found = gamFindConfiguration(QStringLiteral("memory.ini"), configuration);
    const QString path = found.path;
    if (!path.isEmpty())
        std::printf("Checking %s (%s)\n", qUtf8Printable(path), qUtf8Printable(found.reason));
    ThemeReport report;
    if (path.isEmpty()) {
        report.problem(QStringLiteral("memory.ini"), 0,
                       startupFinding(QStringLiteral("not found; looked for ") + gamPlacesLookedIn(QStringLiteral("memory.ini")),
                                      memErrorText(1).message, true, 1));
    } else {
        checkMemoryConfiguration(path, report);
    }
    for (const QString& line : report.lines())
        std::printf("%s\n", qUtf8Printable(line));
    if (report.clean())
        std::printf("%s: no problems found\n", qUtf8Printable(path));
    return report.clean() ? 0 : 1;
}
