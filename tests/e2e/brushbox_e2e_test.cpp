// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// The colours of a screenshot's pixels at a few places, to tell a drawn window from an empty screen.
int distinctColours(const QImage& img, const QRect& area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y < area.bottom(); y += 7)
        for (int x = area.left(); x < area.right(); x += 7)
            colours.insert(img.pixel(x, y));
    return colours.size();
}

} // namespace

TEST(BrushboxEndToEnd, StartsOnAThemeShowsSplashAndWindowAndLogs)
{
    REQUIRE_X();
    ThemeFolder t;
    t.copyFromSample("gfx", "gfx");
    t.copyFromSample("snd", "snd");
    QDir().mkpath(t.path("pictures"));
    t.write("zypaint.ini", "app=zypaint\r\n" + t.brushboxPaths() + "[interface]\r\nbackground=background.bmp\r\n"
                           "[splash screen]\r\ntext=Hello\r\npicture=splash.bmp\r\nactive=1\r\n[catalogs]\r\nRed folder\t0\r\n");
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    const QImage shot = x->screenshot(QDir::temp().filePath("e2e-brushbox-start.png"));
    EXPECT_GT(distinctColours(shot, QRect(0, 0, 1024, 768)), 3);
    EXPECT_TRUE(run.running());
    const QByteArray startLines = "\r\n" + QByteArray("-=").repeated(24) + "\r\n\r\n=> Main <=\r\n";
    EXPECT_EQ(t.read("windows/brushbox.log").left(startLines.size()), startLines);
    EXPECT_TRUE(QFileInfo(t.path("catalogs/Red folder")).isDir());
    EXPECT_TRUE(QFileInfo(t.path("catalogs/Red folder.bmp")).isFile());
    EXPECT_TRUE(run.endWithEscape());
}

TEST(BrushboxEndToEnd, MissingConfigurationArgumentIsNamed)
{
    REQUIRE_X();
    ThemeFolder t;
    ProgramRun run(BRUSHBOX_EXE, {t.path("no such.ini")}, t.windows());
    ASSERT_TRUE(run.waitForStderr("The configuration file '" + t.path("no such.ini") + "' does not exist."))
        << qPrintable(run.stderrText());
    x->focus(x->waitForWindow("Brushbox"));
    x->key("Return");
    EXPECT_TRUE(run.waitForExit());
}

TEST(BrushboxEndToEnd, ThemeWrittenOnWindowsStartsUnchanged)
{
    REQUIRE_X();
    // As Notepad saves it: in Windows-1252, and as "Unicode" (UTF-16 with its byte order mark).
    for (const bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "UTF-16" : "Windows-1252");
        ThemeFolder t;
        t.copyFromSample("gfx/background.bmp", "GFX/BACKGROUND.BMP");
        t.copyFromSample("gfx/Blue folder.bmp", QString::fromUtf8("GFX/BLÅ.BMP"));
        QDir().mkpath(t.path("SND"));
        QDir().mkpath(t.path("Catalogs"));
        // Backslashes, CRLF, upper-case names and a Swedish catalog name.
        QByteArray ini = "app=Brushbox\r\n[Path]\r\ngfx=" + t.path("gfx").toUtf8().replace('/', '\\') + "\\\r\nsnd="
                         + t.path("snd").toUtf8().replace('/', '\\') + "\r\ncatalog=" + t.path("catalogs").toUtf8().replace('/', '\\')
                         + "\\\r\n[Interface]\r\nBackground=Background.bmp\r\n[Catalogs]\r\nBl\xe5\t0\r\n";
        if (unicode)
            ini = QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(QString::fromLatin1(ini));
        t.write("zypaint.ini", ini);
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        const auto window = x->waitForWindow("Brushbox");
        ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
        EXPECT_FALSE(run.stderrText().contains("brushbox: ")) << qPrintable(run.stderrText());
        EXPECT_TRUE(QFileInfo(t.path("Catalogs/" + QString::fromUtf8("Blå"))).isDir());
        const QImage shot = x->screenshot(QDir::temp().filePath("e2e-brushbox-windows-theme.png"));
        EXPECT_GT(distinctColours(shot, QRect(0, 0, 1024, 768)), 3);
        EXPECT_TRUE(run.endWithEscape());
        EXPECT_TRUE(x->waitForNoWindow("Brushbox"));
    }
}
