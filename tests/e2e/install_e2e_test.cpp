// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct Installed {
    QTemporaryDir prefix;
    QString output;
    bool ok = false;
    Installed()
    {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(CMAKE_EXE), {"--install", BUILD_DIR, "--prefix", prefix.path()});
        ok = install.waitForFinished(120000) && install.exitCode() == 0;
        output = QString::fromLocal8Bit(install.readAll());
    }
    QString path(const QString& relative) const { return prefix.path() + "/" + relative; }
    QByteArray read(const QString& relative) const
    {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};
}

TEST(InstallEndToEnd, InstalledProgramsStartOnTheirSampleThemes)
{
    REQUIRE_X();
    Installed installed;
    ASSERT_TRUE(installed.ok) << qPrintable(installed.output);
    for (const char* file : {"bin/brushbox", "share/applications/brushbox.desktop", "share/man/man1/brushbox.1.gz",
                             "share/icons/hicolor/64x64/apps/brushbox.png", "share/brushbox-twinturn/zypaint.ini",
                             "share/metainfo/io.github.brushboxtwinturn.brushbox.metainfo.xml", "share/doc/brushbox-twinturn/copyright"})
        EXPECT_TRUE(QFileInfo::exists(installed.path(file))) << file;
    // No theme beside the installed program: it takes its sample theme from share/.
    EXPECT_FALSE(QFileInfo::exists(installed.path("bin/zypaint.ini")));
    EXPECT_FALSE(installed.read("share/brushbox-twinturn/zypaint.ini").contains("%apppath%"));
    EXPECT_FALSE(QFileInfo::exists(installed.path("bin/paint_tests"))) << "tests are not installed";

    for (const QString program : {"brushbox", "twinturn"}) {
        ThemeFolder home;
        ProgramRun run(installed.path("bin/" + program), {}, home.windows());
        const QString title = program == "brushbox" ? "Brushbox" : "Twinturn";
        EXPECT_NE(x->waitForWindow(title, 15000), 0u) << qPrintable(program + ": " + run.stderrText());
        x->screenshot(QDir::temp().filePath("e2e-installed-" + program + ".png"));
        EXPECT_FALSE(run.stderrText().contains(program + ": ")) << qPrintable(run.stderrText());
        // Children's catalogs are the user's.
        EXPECT_TRUE(program != "brushbox" || QFileInfo(home.windows() + "/Paintings/Red folder").isDir());
        run.endWithEscape(title);
    }
}
