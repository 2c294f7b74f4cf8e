// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_splash.h"
#include "paint/openini.h"
#include "paint/paintsettings.h"

#include "common/inireader.h"
#include "testsupport/keycases.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A theme folder with the usual folders, for one test.
struct Theme {
    TestFolders folders;
    MessageRecorder boxes;
    Theme()
    {
        resetPaintSettings();
        for (const char* d : {"app/gfx", "app/snd", "app/pictures", "app/catalogs"})
            folders.mkdir(d);
    }
    ~Theme() { destroySplashWindow(); }
    bool read(const QByteArray& ini)
    {
        folders.write("app/zypaint.ini", ini);
        return OpenINI(folders.app() + "/zypaint.ini");
    }
    QString gfx() const { return folders.app() + "/gfx/"; }
};

const QByteArray kPaths = "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%snd\npicture=%apppath%pictures\n"
                          "catalog=%apppath%catalogs\n";

} // namespace

// Each row of the table reaches the settings, and a value its kind refuses is found on its line.
TEST(OpenINI, EveryRowReachesTheSettingsAndAWrongValueIsFound)
{
    Theme t;
    QVector<KeyCase> cases = keyCases(pntConfigurationTable(), {t.gfx(), t.folders.app() + "/snd/"}, {{"shape", {"circle", "rounded"}}});
    // The splash screen and the canvas picture act as they are read; they fill no setting.
    cases.removeIf([](const KeyCase& c) { return c.section == "splash screen" || c.key == "paintpicture"; });
    const QString path = t.folders.app() + "/zypaint.ini";
    expectEveryRowReads(cases, path, [&](const KeyCase& c, const QString& value, QVector<Finding>& found, int& line) {
        t.folders.write("app/zypaint.ini", "app=zypaint\n" + c.lines(value));
        line = c.section.isEmpty() ? 2 : 3;
        PaintSettingsRecord s;
        Findings findings(path, [&found](const Finding& f) { return found.append(f), true; }, true);
        IniFiles files;
        pntReadConfiguration(s, findings, files);
        return s;
    });
}

// The boxes start-up shows for a file, "%A" standing for the program's folder, and whether
// reading went on to the help section at the end.
TEST(OpenINI, BoxesForDeclarationsAndFolders)
{
    const struct {
        QByteArray ini;
        bool ok;
        QStringList boxes;
    } cases[] = {
        {"program=BRUSHBOX\n", true, {}},
        {"zypaint\n", false, {"Bad INI file. Wrong file declaration."}},
        {"", false, {"Bad INI file. Wrong file declaration."}},
        {"debug=1\n", false, {"Bad INI file. Wrong file declaration."}},
        {QByteArray("\x00\x01\xff", 3), false, {"Bad INI file. Wrong file declaration."}},
        {"app=zypaint\n[path]\ngfx=%apppath%nothere\n", false, {"Bad graphics path: '%A/nothere/'"}},
        {"app=zypaint\n[path]\nsnd=%apppath%nothere\n", false, {"Bad sound path: '%A/nothere/'"}},
        {"app=zypaint\n[path]\npicture=%apppath%nothere\n", false, {"Bad picture path: '%A/nothere/'"}},
        // Without a macro the message quotes the value as written: no separator is added.
        {"app=zypaint\n[path]\ngfx=%A\\nothere\n", false, {"Bad graphics path: '%A/nothere'"}},
        {"app=zypaint\n[path]\ncatalog=%apppath%newcats\n", true, {}},
        {"app=zypaint\n[path]\ncatalog=relative\\cats\n", true, {"Kan ej skapa användarkatalog: relative/cats"}},
        {"app=zypaint\n[path]\ncatalog=%apppath%missing\\deeper\n", false,
         {"Could not create the catalog folder '%A/missing/deeper': No such file or directory."}},
        {"app=zypaint\n[catalogs]\nMine\t0\nOld\t1\n", true, {"Kan ej skapa användarkatalog 'Mine'. Katalog '' har ej skapats"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini.constData());
        Theme t;
        const QString app = t.folders.app();
        QByteArray ini = c.ini;
        EXPECT_EQ(t.read(ini.replace("%A", app.toUtf8()) + (c.ini.startsWith("app=") ? "[help]\nactive=1\n" : "")), c.ok);
        QStringList boxes = c.boxes;
        EXPECT_EQ(t.boxes.texts(), boxes.replaceInStrings("%A", app));
        EXPECT_TRUE(!c.ini.startsWith("app=") || PaintSettings.help.active == c.ok) << "reading stops at a fatal box";
    }
    Theme t;
    ASSERT_TRUE(t.read("app=zypaint\n[path]\ncatalog=%apppath%newcats\n"));
    EXPECT_TRUE(QFileInfo(t.folders.app() + "/newcats").isDir());
}

TEST(OpenINI, DebugSwitchOnlyAsExactItem)
{
    {
        Theme t;
        EXPECT_TRUE(t.read("app=zypaint\ndebug = 1\n"));
        EXPECT_FALSE(bolDebug);
    }
    Theme t;
    EXPECT_TRUE(t.read("app=zypaint\nDEBUG=1\n"));
    EXPECT_TRUE(bolDebug);
    EXPECT_EQ(t.boxes.texts(), QStringList{"Debug Mode"});
    // Nothing logged before the switch; at it, which file this is and why it was taken.
    EXPECT_EQ(t.folders.read("windows/brushbox.log"), "--> OpenINI: " + t.folders.app().toUtf8() + "/zypaint.ini (beside the program)\r\n");
}

TEST(OpenINI, UserCatalogsAreCreatedWithTheirIcons)
{
    Theme t;
    t.folders.write("app/gfx/Red.GIF", pictureBytes("GIF"));
    t.folders.write("app/gfx/blue.jpg", pictureBytes("JPG"));
    t.folders.mkdir("app/catalogs/Existing");
    QByteArray ini = kPaths + "[catalogs]\nAnimals\t1\nRed\t0\n; a comment\n  ;another\nblue\nExisting\t0\nGreen\t0\n";
    ASSERT_TRUE(t.read(ini));
    const QString cats = t.folders.app() + "/catalogs/";
    ASSERT_EQ(PaintSettings.catalogs.size(), 6); // five catalogs and the empty end
    EXPECT_EQ(PaintSettings.catalogs[0].name, "Animals");
    EXPECT_TRUE(PaintSettings.catalogs[0].locked);
    EXPECT_EQ(PaintSettings.catalogs[1].name, "Red");
    EXPECT_FALSE(PaintSettings.catalogs[1].locked);
    EXPECT_EQ(PaintSettings.catalogs[5].name, "");
    EXPECT_FALSE(QFileInfo::exists(cats + "Animals")); // locked: nothing made
    EXPECT_TRUE(QFileInfo(cats + "Red").isDir());
    EXPECT_TRUE(QFileInfo(cats + "Red.GIF").isFile() || QFileInfo(cats + "Red.gif").isFile());
    EXPECT_TRUE(QFileInfo(cats + "blue.jpg").isFile());
    EXPECT_TRUE(QFileInfo(cats + "Green").isDir());
    EXPECT_EQ(QDir(cats).entryList(QDir::Dirs | QDir::NoDotAndDotDot).filter(";").size(), 0); // comments are no catalogs
    EXPECT_EQ(t.boxes.texts(), QStringList{"Bilden '" + t.gfx() + "Green.bmp/.gif/.jpg' för användarkatalogen '" + cats
                                           + "Green' saknas."});
}

TEST(OpenINI, UserCatalogWithoutCatalogFolder)
{
    Theme t;
    ASSERT_TRUE(t.read("app=zypaint\n[catalogs]\nMine\t0\nOld\t1\n"));
    EXPECT_EQ(t.boxes.texts(), QStringList{"Kan ej skapa användarkatalog 'Mine'. Katalog '' har ej skapats"});
    EXPECT_EQ(PaintSettings.catalogs.size(), 3);
}

TEST(OpenINI, ButtonSectionsAndShapes)
{
    Theme t;
    ASSERT_TRUE(t.read("app=zypaint\n[buttons]\nactive=1\n[QUIT BUTTON]\nACTIVE=1\n[big draw button]\nactive=1\n"
                       "[current]\nshape=square\n"));
    for (int i = 0; i < kPaintButtons; ++i)
        EXPECT_EQ(PaintSettings.buttons[i].active, i == btnQuit) << i;
    EXPECT_EQ(PaintSettings.current.shape, 0);
}

TEST(OpenINI, WindowsThemeStartsUnchanged)
{
    Theme t;
    t.folders.write("app/gfx/SPLASH.BMP", pictureBytes("BMP", 20, 10));
    QByteArray ini = "app=zypaint\r\n[Path]\r\ngfx=%APPPATH%\\gfx\\\r\nsnd=%apppath%\\snd\r\n[Splash Screen]\r\n"
                     "text=M\xe5la!\r\npicture=Splash.Bmp\r\nbackcolor=&HFF0000\r\n[Name Text]\r\nfontname=Times New Roman\r\n"
                     "[catalogs]\r\n\xc4pplen\t1\r\n";
    ASSERT_TRUE(t.read(ini));
    EXPECT_TRUE(t.boxes.messages.isEmpty()) << qPrintable(t.boxes.texts().join('\n'));
    EXPECT_EQ(splashWindow()->lbl_Text->text(), QString::fromUtf8("Måla!"));
    EXPECT_EQ(splashWindow()->img_Picture->pixmap().size(), QSize(20, 10));
    EXPECT_EQ(splashWindow()->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(PaintSettings.catalogs[0].name, QString::fromUtf8("Äpplen"));
}

TEST(OpenINI, SplashPictureMissingAndSplashRelease)
{
    Theme t;
    QByteArray ini = "app=zypaint\n[splash screen]\npicture=none.bmp\nactive=1\n[help]\nactive=1\n";
    ASSERT_TRUE(t.read(ini));
    ASSERT_EQ(t.boxes.messages.size(), 1);
    EXPECT_EQ(t.boxes.messages[0].text, "Picture for splash screen (none.bmp) is missing or invalid.\r"
                                         "Check also for path declaration before splash declaration in INI file.");
    EXPECT_EQ(t.boxes.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(t.boxes.messages[0].title, pntAboutCaption());
    // The wait ended because the splash window became active, and reading went on.
    EXPECT_TRUE(bolSplashShown);
    EXPECT_TRUE(splashWindow()->isVisible());
    EXPECT_TRUE(PaintSettings.help.active);
}

// Found by fuzzing: every further active key waited the full 5 s for an activation that a window
// already shown never gets again.
TEST(OpenINI, ASplashShownTwiceIsNotWaitedForAgain)
{
    Theme t;
    ASSERT_TRUE(t.read("app=zypaint\n[splash screen]\nactive=1\nactive=1\n[splash screen]\nactive=1\n[help]\nactive=1\n"));
    EXPECT_TRUE(bolSplashShown);
    ASSERT_TRUE(splashWindow()->isVisible());
    EXPECT_TRUE(PaintSettings.help.active);
    // Showing it once more returns before any event is handled: a wait would handle this one.
    bool waited = false;
    QTimer::singleShot(0, [&waited] {
        waited = true;
        bolEndRequested = true;
    });
    splashWindow()->showAndWait();
    EXPECT_FALSE(waited);
    QCoreApplication::processEvents();
    bolEndRequested = false;
}

TEST(OpenINI, PaintPictureBeforeGfxLooksInTheCurrentFolder)
{
    Theme t;
    t.folders.write("app/gfx/canvas.bmp", pictureBytes("BMP"));
    ASSERT_TRUE(t.read("app=zypaint\n[interface]\npaintpicture=canvas.bmp\n[path]\ngfx=%apppath%gfx\n"));
    EXPECT_TRUE(PaintSettings.paintPicture.isNull());
}

TEST(OpenINI, DebugModeShowsAndLogsCatalogSteps)
{
    Theme t;
    ASSERT_TRUE(t.read("app=zypaint\ndebug=1\n[path]\ngfx=%apppath%gfx\ncatalog=%apppath%kids\n[catalogs]\nAnna\t0\nZoo\t1\n"));
    const QString kids = t.folders.app() + "/kids/";
    EXPECT_EQ(t.boxes.texts(), QStringList({"Debug Mode", "Användarkatalog: " + kids, "Katalogen '" + kids + "' skapas...",
                                             "Bilden '" + t.gfx() + "Anna.bmp/.gif/.jpg' för användarkatalogen '" + kids
                                                 + "Anna' saknas."}));
    const QString log = QString::fromUtf8(t.folders.read("windows/brushbox.log"));
    const QStringList lines = log.split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(lines, QStringList({"--> OpenINI: " + t.folders.app() + "/zypaint.ini (beside the program)",
                                  "--> OpenINI: Användarkatalog(catalog): " + kids,
                                  "--> OpenINI: Användarkatalog(catalog): Undersöker om den finns...",
                                  "----> OpenINI: Användarkatalog(catalog): fanns ej, skapar: '" + t.folders.app() + "/kids'...",
                                  "--> OpenINI: bildanvändarkatalog: antal: 0, array 1",
                                  "----> OpenINI: bildanvändarkatalog: (0)Anna, locked: False",
                                  "------> OpenINI: bildanvändarkatalog: (0)Anna, ej låst",
                                  "--> OpenINI: bildanvändarkatalog: antal: 1, array 2",
                                  "----> OpenINI: bildanvändarkatalog: (1)Zoo, locked: True"}));

    // A folder written without a macro keeps its spelling in every box and line.
    Theme plain;
    const QByteArray folder = plain.folders.app().toUtf8() + "/kids";
    ASSERT_TRUE(plain.read("app=zypaint\ndebug=1\n[path]\npicture=" + plain.folders.app().toUtf8() + "\ncatalog=" + folder + "\n"));
    EXPECT_EQ(plain.boxes.texts(), QStringList({"Debug Mode", "Användarkatalog: " + folder, "Katalogen '" + folder + "' skapas..."}));
    const QStringList plainLines = QString::fromUtf8(plain.folders.read("windows/brushbox.log")).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_TRUE(plainLines.contains("--> OpenINI: Bildkatalog(picture): " + plain.folders.app() + " (" + plain.folders.app() + ")"));
    EXPECT_TRUE(plainLines.contains("--> OpenINI: Användarkatalog(catalog): " + folder));
    EXPECT_TRUE(plainLines.contains("----> OpenINI: Användarkatalog(catalog): fanns ej, skapar: '" + folder + "'..."));
    EXPECT_TRUE(QFileInfo(QString(folder)).isDir());
}

TEST(OpenINI, ManyCatalogsWithOneProblemGiveOneBoxWithACount)
{
    Theme t;
    QByteArray ini = "app=zypaint\n[path]\ngfx=%apppath%gfx\ncatalog=%apppath%cats\n[catalogs]\n";
    for (int i = 0; i < 2000; ++i)
        ini += "Kids" + QByteArray::number(i) + "\t0\n";
    ini += "[help]\nactive=1\n";
    ASSERT_TRUE(t.read(ini));
    ASSERT_EQ(t.boxes.texts().size(), 1) << "a box for each catalog without its picture";
    EXPECT_EQ(t.boxes.texts()[0], "Bilden '" + t.gfx() + "Kids0.bmp/.gif/.jpg' för användarkatalogen '" + t.folders.app()
                                      + "/cats/Kids0' saknas.\r\n(1999 more catalogs have the same problem.)");
    EXPECT_TRUE(QFileInfo(t.folders.app() + "/cats/Kids1999").isDir());
    EXPECT_TRUE(PaintSettings.help.active) << "reading goes on after the catalogs";
}
