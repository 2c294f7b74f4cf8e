// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/brushbox.h"
#include "paint/checkpaint.h"
#include "paint/frm_splash.h"
#include "paint/openini.h"
#include "paint/paintmessages.h"

#include "common/themecheck.h"
#include "testsupport/testsupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A theme with every folder and its background, so that each case breaks exactly one thing.
const QByteArray kTheme = "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%snd\npicture=%apppath%pictures\n"
                          "catalog=%apppath%catalogs\n[interface]\nbackground=bg.bmp\n";

struct BrokenTheme {
    PaintMessageNumber number;
    const char* mistake;
    std::function<void(const TestFolders&, QByteArray&)> make;
};

void sparse(const TestFolders& f, const QString& relative, qint64 bytes)
{
    f.write(relative, "x");
    QFile(f.path(relative)).resize(bytes);
}

const QVector<BrokenTheme>& brokenThemes()
{
    static const QVector<BrokenTheme> themes = {
        {pmsNoConfiguration, "the file named does not exist", [](const TestFolders&, QByteArray& ini) { ini.clear(); }},
        {pmsUnreadableConfiguration, "the file is too large to be read",
         [](const TestFolders& f, QByteArray& ini) {
             ini.clear();
             sparse(f, "app/zypaint.ini", 101LL * 1024 * 1024);
         }},
        {pmsWrongDeclaration, "no app=zypaint line", [](const TestFolders&, QByteArray& ini) { ini.replace("app=zypaint", "app=paint"); }},
        {pmsBadGraphicsPath, "a misspelt gfx folder", [](const TestFolders&, QByteArray& ini) { ini.replace("%apppath%gfx", "%apppath%gxf"); }},
        {pmsBadSoundPath, "a missing sound folder", [](const TestFolders&, QByteArray& ini) { ini.replace("%apppath%snd", "%apppath%sounds"); }},
        {pmsBadPicturePath, "a missing picture folder",
         [](const TestFolders&, QByteArray& ini) { ini.replace("%apppath%pictures", "%apppath%pics"); }},
        {pmsCatalogFolderNotMade, "a file where the catalog folder should be",
         [](const TestFolders& f, QByteArray& ini) {
             f.write("app/paintings", "a file");
             ini.replace("%apppath%catalogs", "%apppath%paintings");
         }},
        {pmsRelativeCatalogFolder, "a relative catalog folder",
         [](const TestFolders&, QByteArray& ini) { ini.replace("%apppath%catalogs", "paintings"); }},
        {pmsSplashPicture, "a missing splash picture", [](const TestFolders&, QByteArray& ini) { ini += "[splash screen]\npicture=none.bmp\n"; }},
        {pmsNoCatalogFolder, "a children's catalog without a catalog folder",
         [](const TestFolders&, QByteArray& ini) {
             ini.replace("catalog=%apppath%catalogs\n", "");
             ini += "[catalogs]\nKids\t0\n";
         }},
        {pmsCatalogIcon, "a children's catalog without its icon", [](const TestFolders&, QByteArray& ini) { ini += "[catalogs]\nKids\t0\n"; }},
        {pmsCatalogNameNotPlain, "a catalog name that leaves the folder", [](const TestFolders&, QByteArray& ini) { ini += "[catalogs]\n..\t0\n"; }},
        {pmsCatalogIconNotCopied, "an icon too large to be copied",
         [](const TestFolders& f, QByteArray& ini) {
             sparse(f, "app/gfx/Kids.bmp", 257LL * 1024 * 1024);
             ini += "[catalogs]\nKids\t0\n";
         }},
        {pmsMainBackground, "no background key", [](const TestFolders&, QByteArray& ini) { ini.replace("background=bg.bmp\n", ""); }},
    };
    return themes;
}

// The boxes the real start-up shows for the theme, each as one line.
QStringList startupBoxes(const QString& ini)
{
    resetPaintSettings();
    MessageRecorder boxes;
    pntStartUp(ini, [](frm_Paint&) {});
    destroySplashWindow();
    QStringList texts;
    for (QString t : boxes.texts())
        texts << t.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
    return texts;
}

} // namespace

// Each box start-up can show for a theme is a checker finding in the same words, with its number.
TEST(PaintStartupMessages, TheCheckerSaysWhatStartupShows)
{
    for (const BrokenTheme& theme : brokenThemes()) {
        SCOPED_TRACE(theme.mistake);
        TestFolders f;
        for (const char* d : {"app/gfx", "app/snd", "app/pictures", "app/catalogs"})
            f.mkdir(QString::fromLatin1(d));
        f.write("app/gfx/bg.bmp", pictureBytes("BMP"));
        QByteArray ini = kTheme;
        theme.make(f, ini);
        if (!ini.isEmpty())
            f.write("app/zypaint.ini", ini);
        const QString path = f.app() + QStringLiteral("/zypaint.ini");

        // The checker only reads: it runs first, on the theme as the author left it.
        ThemeReport report;
        checkPaintConfiguration(path, report);
        const QStringList findings = report.lines();
        const QStringList boxes = startupBoxes(path);

        ASSERT_EQ(boxes.size(), 1) << qPrintable(boxes.join('\n'));
        const QString tag = QStringLiteral("(%1 %2)").arg(paintMessage(theme.number).fatal ? "error" : "warning").arg(theme.number);
        const QStringList paired = findings.filter(boxes[0]).filter(tag);
        EXPECT_EQ(paired.size(), 1) << "start-up showed: " << qPrintable(boxes[0]) << "\nthe checker said:\n"
                                    << qPrintable(findings.join('\n'));
    }
}

// Every message of the table has its broken theme above.
TEST(PaintStartupMessages, EveryMessageHasItsBrokenTheme)
{
    QSet<int> covered;
    for (const BrokenTheme& theme : brokenThemes())
        covered.insert(theme.number);
    for (PaintMessageNumber n : paintMessageNumbers())
        EXPECT_TRUE(covered.contains(n)) << "message " << n << ": " << qPrintable(paintMessage(n, "...", "...").text);
}
