// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fileio.h"
#include "common/game32.h"
#include "platform/files.h"
#include "common/log.h"

#include "testsupport/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <QFileInfo>

TEST(Macros, ExpandLeadingMacro)
{
    TestFolders folders;
    const QString app = folders.app() + "/";
    const QString win = folders.windows() + "/";
    // Four letters are no extension; without a macro only the separators change.
    const std::pair<const char*, QString> cases[] = {
        {"%apppath%gfx", app + "gfx/"}, {"%APPPATH%\\sfx\\", app + "sfx/"}, {"%apppath%", app},
        {"%windows%memory.ini", win + "memory.ini"}, {"%apppath%pic.jpeg", app + "pic.jpeg/"}, {"%unknown%gfx", "gfx/"},
        {"%appdrive%pics", "/pics/"}, {"%windrive%", "/"}, {"plain\\path", "plain/path"}};
    for (const auto& [text, expanded] : cases)
        EXPECT_EQ(fioExpandMacro(text), expanded) << text;
    EXPECT_EQ(fioExpandPath("%apppath%gfx"), fioExpandMacro("%apppath%gfx"));
    EXPECT_EQ(fioGetPathMacro("%apppath%gfx"), "%apppath%");
    EXPECT_EQ(fioGetPathMacro("gfx"), "");
}

TEST(PathText, BackslashesDrivesAndExtensions)
{
    QString p = QStringLiteral("/a/b  ");
    fioAddBackslash(p);
    EXPECT_EQ(p, "/a/b/");
    fioAddBackslash(p);
    EXPECT_EQ(p, "/a/b/");
    EXPECT_EQ(fioWithBackslash("x"), "x/");
    EXPECT_EQ(fioRemoveBackslash("x/"), "x");
    EXPECT_EQ(fioRemoveBackslash("x"), "x");
    EXPECT_TRUE(fioIsFullPath("/etc"));
    EXPECT_TRUE(fioIsFullPath("C:\\x"));
    EXPECT_FALSE(fioIsFullPath("gfx/x"));
    EXPECT_EQ(fioGetDrive("/home/x"), "/");

    for (const auto& [name, has] : {std::pair{"a.bmp", true}, {"a.bm", false}, {"/", false}, {"a.bmp/", false}})
        EXPECT_EQ(fioHasExtension(name), has) << name;
    for (const auto& [name, ext, rest] : {std::tuple{"bild.tar.bmp", "bmp", "bild.tar"}, {"bild.", "", "bild"},
                                          {"bild", "", "bild"}, {".bmp", "bmp", ""}}) {
        EXPECT_EQ(fioGetExtension(name), ext) << name;
        EXPECT_EQ(fioRemoveExtension(name), rest) << name;
    }
    for (const auto& [name, picture] : {std::pair{"BILD.Jpg", true}, {"x.jpeg", true}, {"x.WMF", true}, {"x.png", false}})
        EXPECT_EQ(fioIsPictureFile(name), picture) << name;
}

TEST(FileTests, CaseAndSeparatorsAndFolders)
{
    TestFolders folders;
    folders.write("app/Gfx/House.BMP", "x");
    const QString app = folders.app();
    EXPECT_TRUE(fioFileExists(app + "/gfx/house.bmp")); // found without regard to case
    EXPECT_TRUE(fioFileExists(app + "\\Gfx\\House.BMP"));
    EXPECT_FALSE(fioFileExists(app + "/gfx")); // a folder is no file
    EXPECT_FALSE(fioFileExists(""));
    EXPECT_TRUE(fioDirExists(app + "/GFX/"));
    EXPECT_FALSE(fioDirExists(app + "/gfx/house.bmp"));
    EXPECT_FALSE(fioDirExists(app + "/nothing"));
    EXPECT_EQ(fioResolve(app + "/gfx/HOUSE.bmp"), app + "/Gfx/House.BMP");
}

TEST(ConfigLookup, ArgumentAppFolderSystemFolder)
{
    TestFolders folders;
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {"C:\\nowhere.ini"}), "C:/nowhere.ini");
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {"/abs/x.ini"}), "/abs/x.ini");
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {"my", "theme.ini"}), folders.app() + "/my theme.ini");
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {}), "");
    folders.write("windows/zypaint.ini", "app=zypaint");
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {}), folders.windows() + "//zypaint.ini");
    folders.write("app/zypaint.ini", "app=zypaint");
    EXPECT_EQ(gamGetFilePath("zypaint.ini", {}), folders.app() + "/zypaint.ini");
}

// Typed inside a theme's folder, a relative name is that theme's file even when the program's
// folder holds one of the same name; the program's folder is only the fallback.
TEST(ConfigLookup, RelativeArgumentMeansTheCurrentFolderFirst)
{
    TestFolders folders;
    folders.write("app/zypaint.ini", "app=zypaint");
    folders.write("app/only/here.ini", "app=zypaint");
    folders.write("theme/zypaint.ini", "app=zypaint");
    const QString before = QDir::currentPath();
    QDir::setCurrent(folders.path("theme"));
    for (const QString& typed : {QStringLiteral("zypaint.ini"), QStringLiteral("./zypaint.ini")}) {
        const ConfigurationFile found = gamFindConfiguration("zypaint.ini", {typed});
        EXPECT_EQ(QFileInfo(found.path).canonicalFilePath(), QFileInfo(folders.path("theme/zypaint.ini")).canonicalFilePath()) << typed.toStdString();
        EXPECT_EQ(found.reason, "named on the command line, found in the current folder");
    }
    EXPECT_EQ(gamFindConfiguration("zypaint.ini", {"only/here.ini"}).path, folders.app() + "/only/here.ini");
    QDir::setCurrent(before);
}

// An installed program has no configuration beside it: the pupil's own file comes first, then
// the class theme of the computer, then the sample theme installed with the program.
TEST(ConfigLookup, InstalledProgramsTakeThePupilsTheClasssThenTheSampleTheme)
{
    TestFolders folders;
    folders.mkdir("usr/bin");
    setAppFolderForTests(folders.path("usr/bin"));
    qputenv("XDG_CONFIG_DIRS", (folders.path("none") + ":" + folders.path("xdg")).toLocal8Bit());
    EXPECT_EQ(gamFindConfiguration("memory.ini", {}).path, "");
    folders.write("usr/share/brushbox-twinturn/memory.ini", "app=memory");
    folders.write("usr/share/brushbox-twinturn/games/four/memory.ini", "app=memory");
    ConfigurationFile found = gamFindConfiguration("memory.ini", {});
    EXPECT_EQ(found.path, folders.path("usr/share/brushbox-twinturn/memory.ini"));
    EXPECT_EQ(found.reason, "the sample theme installed with the program");
    // A relative argument finds the installed sample games too.
    EXPECT_EQ(gamFindConfiguration("memory.ini", {"games/four/memory.ini"}).path,
              folders.path("usr/share/brushbox-twinturn/games/four/memory.ini"));

    folders.write("xdg/brushbox-twinturn/memory.ini", "app=memory");
    found = gamFindConfiguration("memory.ini", {});
    EXPECT_EQ(found.path, folders.path("xdg/brushbox-twinturn/memory.ini"));
    EXPECT_EQ(found.reason, "the class theme for every user of this computer");

    folders.write("windows/memory.ini", "app=memory");
    found = gamFindConfiguration("memory.ini", {});
    EXPECT_EQ(found.path, folders.windows() + "//memory.ini");
    EXPECT_EQ(found.reason, "the user's own, in the system folder");

    // A copy run from its own folder keeps its own theme, whatever else there is.
    folders.write("usr/bin/memory.ini", "app=memory");
    EXPECT_EQ(gamFindConfiguration("memory.ini", {}).reason, "beside the program");
    EXPECT_TRUE(gamPlacesLookedIn("zypaint.ini").contains(folders.path("none") + "/brushbox-twinturn/zypaint.ini"));
}

TEST(Log, PaintLogIsCutPast30000Bytes)
{
    TestFolders folders;
    const QString log = folders.windows() + "/brushbox.log";
    folders.write("windows/brushbox.log", QByteArray(30000, 'a'));
    pntWriteLog("line");
    EXPECT_EQ(QFile(log).size(), 30006); // exactly 30000 is not cut
    pntWriteLog("next");
    EXPECT_EQ(folders.read("windows/brushbox.log"), "next\r\n");

    folders.write("windows/memory.log", QByteArray(40000, 'a'));
    memWriteLog(QString::fromUtf8("=> Memory <= åäö"));
    EXPECT_EQ(QFile(folders.windows() + "/memory.log").size(), 40000 + 19 + 2); // never cut, UTF-8
}

TEST(Log, UnwritableLogIsSkipped)
{
    TestFolders folders;
    folders.mkdir("windows/brushbox.log"); // a folder where the file should be
    pntWriteLog("x");
    EXPECT_TRUE(QFileInfo(folders.windows() + "/brushbox.log").isDir());
    qputenv("WINDIR", "/nonexistent/windows");
    memWriteLog("y");
    EXPECT_FALSE(QFileInfo::exists("/nonexistent/windows/memory.log"));
}
