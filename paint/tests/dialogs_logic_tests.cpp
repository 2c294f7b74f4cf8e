// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/catalogs.h"
#include "paint/openini.h"
#include "paint/opendialog.h"
#include "paint/paintsettings.h"
#include "paint/savedialog.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <QSet>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A configuration with a picture folder of supplied catalogs and a catalog folder of user ones.
struct Catalogs {
    TestFolders folders;
    MessageRecorder boxes;
    Catalogs()
    {
        resetPaintSettings();
        folders.mkdir("pictures");
        folders.mkdir("user");
        PaintSettings.picture.expanded = folders.path("pictures/");
        PaintSettings.catalog.expanded = folders.path("user/");
    }
    ~Catalogs() { resetPaintSettings(); }
    // A catalog with its icon; locked ones go under the picture folder.
    QString add(const QString& name, bool locked, bool icon = true)
    {
        const QString root = locked ? "pictures/" : "user/";
        folders.mkdir(root + name);
        if (icon)
            folders.write(root + name + ".gif", pictureBytes("GIF"));
        PaintSettings.catalogs.append({name, locked});
        return folders.path(root + name);
    }
    void picture(const QString& folder, const QString& name, const char* thumb = "_.bmp", const QByteArray& dat = {})
    {
        const QString base = folder + "/" + name;
        QFile f(base + ".bmp");
        f.open(QIODevice::WriteOnly);
        f.write(pictureBytes("BMP", 20, 20));
        f.close();
        if (thumb) {
            QFile t(base + thumb);
            t.open(QIODevice::WriteOnly);
            t.write(pictureBytes(QByteArray(thumb).endsWith("gif") ? "GIF" : QByteArray(thumb).endsWith("jpg") ? "JPG" : "BMP"));
        }
        if (!dat.isNull()) {
            QFile d(base + ".dat");
            d.open(QIODevice::WriteOnly);
            d.write(dat);
        }
    }
    void finish() { PaintSettings.catalogs.append(UserCatalog{}); }
};

QStringList names(const QVector<PictureEntry>& entries)
{
    QStringList out;
    for (const PictureEntry& e : entries)
        out << QFileInfo(e.path).fileName();
    return out;
}

} // namespace

TEST(CatalogRow, FoldersWithIconsInConfigurationOrderUserFolderFirstAtMostEight)
{
    Catalogs c;
    c.add("Animals", true);
    c.add("Mine", false);
    c.add("No icon", true, false);
    c.folders.mkdir("pictures/Both");
    c.folders.write("pictures/Both.bmp", pictureBytes("BMP"));
    c.add("Both", false); // also under the user folder, which wins
    PaintSettings.catalogs.append({"Missing", false});
    PaintSettings.catalogs.append({"..", false});
    c.finish();
    const auto all = pntCatalogSlots(false);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(QFileInfo(all[0].folder).fileName(), "Animals");
    EXPECT_EQ(all[1].folder, c.folders.path("user/Mine"));
    EXPECT_EQ(all[2].folder, c.folders.path("user/Both"));
    EXPECT_TRUE(all[2].icon.endsWith("user/Both.gif"));
    const auto unlocked = pntCatalogSlots(true);
    ASSERT_EQ(unlocked.size(), 2);
    EXPECT_EQ(unlocked[0].folder, c.folders.path("user/Mine"));

    for (int i = 0; i < 9; ++i)
        c.add(QStringLiteral("Extra%1").arg(i), false);
    EXPECT_EQ(pntCatalogSlots(false).size(), kCatalogSlots);
    EXPECT_FALSE(pntIsPlainFolderName("a/b"));
    EXPECT_FALSE(pntIsPlainFolderName("a\\b"));
    EXPECT_FALSE(pntIsPlainFolderName(".."));
    EXPECT_FALSE(pntIsPlainFolderName(""));
    EXPECT_TRUE(pntIsPlainFolderName("Red folder"));
}

TEST(PictureListing, ThumbnailsUnderscoresAndOneEntryPerPicture)
{
    Catalogs c;
    const QString folder = c.add("Animals", true);
    c.picture(folder, "house", "_.gif");
    c.picture(folder, "bare", nullptr);            // no thumbnail: not listed
    c.picture(folder, "my_house", "_.bmp");        // "_" in the name: never a picture
    c.picture(folder, "both", "_.jpg");
    c.folders.write("pictures/Animals/both_.bmp", pictureBytes("BMP", 8, 8, Qt::blue));
    c.picture(folder, "named", "_.bmp", "Little house, red\r\n");
    c.picture(folder, "quoted", "_.bmp", "\"Little house, red\"\r\n");
    c.picture(folder, "empty", "_.bmp", "");
    c.folders.write("pictures/Animals/broken.bmp", pictureBytes("BMP"));
    c.folders.write("pictures/Animals/broken_.bmp", "not a picture");
    c.folders.write("pictures/Animals/_saving_3.tmp", "half");
    QString problems;
    const auto entries = opnListPictures(folder, &problems);
    EXPECT_EQ(names(entries), QStringList({"both.bmp", "empty.bmp", "house.bmp", "named.bmp", "quoted.bmp"}));
    EXPECT_TRUE(problems.contains("broken_.bmp")) << problems.toStdString();
    // The BMP thumbnail comes before the JPG one.
    EXPECT_EQ(entries[0].thumbnail.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(entries[1].name, "");
    EXPECT_EQ(entries[3].name, "Little house");
    EXPECT_EQ(entries[4].name, "Little house, red");
    // Thumbnails larger than the grid's cells are decoded at the cells' size.
    EXPECT_EQ(opnListPictures(folder, nullptr, QSize(4, 4))[0].thumbnail.size(), QSize(4, 4));
}

TEST(OpenDialogPaging, ThirtyTwoThirtyThreeAndFortyEntries)
{
    Catalogs c;
    const QString a = c.add("A", true), b = c.add("B", true), d = c.add("D", true), e = c.add("E", true);
    for (int i = 0; i < 40; ++i) {
        if (i < 32)
            c.picture(a, QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
        if (i < 33)
            c.picture(b, QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
        c.picture(d, QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
    }
    c.picture(e, "lonely", nullptr);
    c.finish();
    OpenDialog dlg;
    ASSERT_EQ(dlg.catalogs.size(), 4);

    ASSERT_TRUE(dlg.chooseCatalog(0));
    EXPECT_EQ(dlg.intPictureCount, 32);
    EXPECT_NE(dlg.cellEntry(31), nullptr);
    EXPECT_FALSE(dlg.downEnabled());
    EXPECT_FALSE(dlg.upEnabled());
    EXPECT_FALSE(dlg.scrollDown());

    ASSERT_TRUE(dlg.chooseCatalog(1));
    EXPECT_TRUE(dlg.downEnabled());
    EXPECT_TRUE(dlg.scrollDown());
    EXPECT_EQ(dlg.intFirstPicture, 8);
    EXPECT_TRUE(dlg.cellEntry(24)->path.endsWith("p32.bmp"));
    EXPECT_EQ(dlg.cellEntry(25), nullptr);
    EXPECT_FALSE(dlg.downEnabled());
    EXPECT_TRUE(dlg.upEnabled());

    ASSERT_TRUE(dlg.chooseCatalog(2));
    EXPECT_TRUE(dlg.scrollDown());
    EXPECT_FALSE(dlg.scrollDown()); // 8 + 32 = 40 entries shown to the last
    EXPECT_TRUE(dlg.scrollUp());
    EXPECT_EQ(dlg.intFirstPicture, 0);
    EXPECT_FALSE(dlg.upEnabled());
    EXPECT_FALSE(dlg.scrollUp());

    // A catalog with nothing listable after a long one: empty grid, both arrows off.
    ASSERT_TRUE(dlg.chooseCatalog(3));
    EXPECT_EQ(dlg.intPictureCount, 0);
    EXPECT_EQ(dlg.cellEntry(0), nullptr);
    EXPECT_FALSE(dlg.upEnabled());
    EXPECT_FALSE(dlg.downEnabled());
    EXPECT_FALSE(dlg.chooseCatalog(4));
}

TEST(OpenDialogSelection, FollowsScrollsIsClearedByACatalogAndHandsBackCompanions)
{
    Catalogs c;
    const QString a = c.add("A", true);
    const QString b = c.add("B", true);
    for (int i = 0; i < 40; ++i)
        c.picture(a, QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')), "_.bmp", "Name, more\r\n");
    c.folders.write("pictures/A/p03.wav", "RIFF");
    c.folders.write("pictures/A/p03.INI", "[coords]\r\n2\r\n1\t1\r\n5\t5\r\n");
    c.picture(b, "one");
    c.finish();
    OpenDialog dlg;
    bolPictureChosen = true;
    dlg.cancel();
    EXPECT_FALSE(bolPictureChosen);
    EXPECT_FALSE(dlg.opnOpenFile()); // nothing selected: a beep
    EXPECT_FALSE(bolPictureChosen);

    dlg.chooseCatalog(0);
    EXPECT_TRUE(dlg.opnPictureClick(3));
    EXPECT_EQ(dlg.selectedCell(), 3);
    dlg.scrollDown();
    EXPECT_EQ(dlg.intSelectedPicture, 3);
    EXPECT_EQ(dlg.selectedCell(), -1); // scrolled off the grid: the frame hides
    dlg.scrollUp();
    EXPECT_EQ(dlg.selectedCell(), 3);
    ASSERT_TRUE(dlg.opnOpenFile());
    EXPECT_TRUE(bolPictureChosen);
    EXPECT_TRUE(strChosenPicture.endsWith("A/p03.bmp"));
    EXPECT_EQ(strChosenName, "Name");
    EXPECT_TRUE(strChosenSound.endsWith("p03.wav"));
    EXPECT_TRUE(strChosenINI.endsWith("p03.INI"));

    dlg.opnPictureClick(4);
    dlg.opnOpenFile();
    EXPECT_EQ(strChosenSound, "");
    EXPECT_EQ(strChosenINI, "");

    dlg.chooseCatalog(1);
    EXPECT_FALSE(dlg.opnPictureClick(1)); // an empty cell
    EXPECT_EQ(dlg.intSelectedPicture, -1);
    dlg.opnPictureClick(0);
    dlg.chooseCatalog(0);
    EXPECT_EQ(dlg.intSelectedPicture, -1);
    EXPECT_FALSE(dlg.opnOpenFile());
}

TEST(FreeNumber, TheExampleFoldersAndAnyListingOrder)
{
    EXPECT_EQ(pntFreeNumber({}), 0);
    EXPECT_EQ(pntFreeNumber({"0.bmp", "0_.bmp", "1.bmp", "1_.bmp", "3.bmp"}), 2);
    EXPECT_EQ(pntFreeNumber({"0.bmp", "0_.bmp", "1.bmp", "1_.bmp", "2.bmp", "3.bmp"}), 4);
    EXPECT_EQ(pntFreeNumber({"sun.bmp"}), 1);
    EXPECT_EQ(pntFreeNumber({"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5_.bmp"}), 5);
    EXPECT_EQ(pntFreeNumber({"10.bmp", "2.bmp", "0.bmp", "1.bmp", "3.GIF", "0004.jpg", "5.wav", "5.txt"}), 5);
    EXPECT_EQ(pntFreeNumber({"1.bmp", "7.5.bmp", "_saving_0.tmp", "0_x.bmp"}), 0);
    QStringList full;
    for (int n = 0; n <= kMaxPaintingNumber; ++n)
        full << QStringLiteral("%1.bmp").arg(n);
    EXPECT_EQ(pntFreeNumber(full), -1);
    full.last() = QStringLiteral("%1 copy.bmp").arg(kMaxPaintingNumber); // still the last number
    EXPECT_EQ(pntFreeNumber(full), -1);
    full.removeAt(29999);
    EXPECT_EQ(pntFreeNumber(full), 29999);
}

namespace {
QImage painting(QColor c = Qt::green)
{
    QImage img(401, 401, QImage::Format_RGB32);
    img.fill(c);
    return img;
}
QImage thumb()
{
    QImage img(33, 33, QImage::Format_RGB32);
    img.fill(Qt::red);
    return img;
}
}

TEST(Saving, WritesBothAtTheLowestFreeNumberAndLeavesNothingElse)
{
    Catalogs c;
    const QString mine = c.add("Mine", false);
    c.add("Animals", true);
    c.finish();
    SaveDialog dlg;
    ASSERT_EQ(dlg.catalogs.size(), 1);
    EXPECT_EQ(dlg.save(painting(), thumb()), SaveDialog::Result::NoCatalog);
    ASSERT_TRUE(dlg.chooseCatalog(0));
    int n = -1;
    ASSERT_EQ(dlg.save(painting(), thumb(), &n), SaveDialog::Result::Saved);
    EXPECT_EQ(n, 0);
    c.folders.write("user/Mine/1.bmp", pictureBytes("BMP"));
    c.folders.write("user/Mine/2_.bmp", pictureBytes("BMP")); // a thumbnail whose painting is gone
    c.folders.mkdir("user/Mine/3.bmp"); // a folder in a painting's place keeps its number
    ASSERT_EQ(dlg.save(painting(Qt::blue), thumb(), &n), SaveDialog::Result::Saved);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(dlg.save(painting(Qt::blue), thumb(), &n), SaveDialog::Result::Saved);
    EXPECT_EQ(n, 4);
    QDir(mine).remove("4.bmp");
    QDir(mine).remove("4_.bmp");
    EXPECT_EQ(QDir(mine).entryList(QDir::Files, QDir::Name), QStringList({"0.bmp", "0_.bmp", "1.bmp", "2.bmp", "2_.bmp"}));
    const QImage back(mine + "/2.bmp");
    EXPECT_EQ(back.size(), QSize(401, 401));
    EXPECT_EQ(back.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(QImage(mine + "/2_.bmp").size(), QSize(33, 33));
    // The saving is found again by the open dialog.
    EXPECT_EQ(names(opnListPictures(mine)), QStringList({"0.bmp", "2.bmp"}));
}

TEST(Saving, AVanishedFolderOrAFileInItsPlaceFailsWithAReasonAndWritesNothing)
{
    Catalogs c;
    const QString mine = c.add("Mine", false);
    c.finish();
    SaveDialog dlg;
    dlg.chooseCatalog(0);
    ASSERT_TRUE(QDir(mine).removeRecursively());
    QString error;
    EXPECT_EQ(dlg.save(painting(), thumb(), nullptr, &error), SaveDialog::Result::Failed);
    EXPECT_TRUE(error.contains("does not exist")) << error.toStdString();
    c.folders.write("user/Mine", "a file where the folder was");
    error.clear();
    EXPECT_EQ(dlg.save(painting(), thumb(), nullptr, &error), SaveDialog::Result::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(c.folders.read("user/Mine"), "a file where the folder was");
    // Writing straight into a folder that is not one fails the same way.
    EXPECT_FALSE(pntWritePainting(mine + "/inner", 0, painting(), thumb(), &error));
}

TEST(Saving, AnEncodingFailureLeavesNothingAndAPaintingIsNeverReplaced)
{
    Catalogs c;
    const QString mine = c.add("Mine", false);
    QString error;
    EXPECT_FALSE(pntWritePainting(mine, 0, QImage(), thumb(), &error));
    EXPECT_EQ(error, "the picture could not be encoded");
    EXPECT_FALSE(pntSavePainting(mine, painting(), QImage(), nullptr, &error));
    EXPECT_EQ(QDir(mine).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    // An existing painting is never replaced, nor one that is a link.
    c.folders.write("user/Mine/4.bmp", "precious");
    bool taken = false;
    EXPECT_FALSE(pntWritePainting(mine, 4, painting(), thumb(), &error, &taken));
    EXPECT_TRUE(taken);
    EXPECT_EQ(c.folders.read("user/Mine/4.bmp"), "precious");
    c.folders.write("outside.txt", "someone's file");
    ASSERT_TRUE(QFile::link(c.folders.path("outside.txt"), mine + "/5.bmp"));
    EXPECT_FALSE(pntWritePainting(mine, 5, painting(), thumb(), &error));
    EXPECT_EQ(c.folders.read("outside.txt"), "someone's file");
    EXPECT_EQ(QDir(mine).entryList({"_saving*"}, QDir::Files), QStringList()) << "temporary files left behind";
}

// A network file system may list a folder as it was a while ago, and another computer may take
// the number between the listing and the save: the save moves on to the next free number.
TEST(Saving, AStaleListingOrANumberTakenMeanwhileMovesOnToTheNextFreeNumber)
{
    Catalogs c;
    const QString mine = c.add("Mine", false);
    for (int n = 0; n < 3; ++n)
        ASSERT_TRUE(pntWritePainting(mine, n, painting(Qt::red), thumb(), nullptr));
    const FolderLister stale = [](const QString&) { return QStringList(); }; // as it was when empty
    const FolderLister racing = [](const QString& folder) {
        const QStringList names = pntFolderNames(folder);
        if (const int n = pntFreeNumber(names); n == 4) // another computer saves 4 just now
            pntWritePainting(folder, n, painting(Qt::yellow), thumb(), nullptr);
        return names;
    };
    const struct {
        const char* what;
        const FolderLister& list;
        int expected;
    } cases[] = {{"stale listing", stale, 3}, {"number taken meanwhile", racing, 5}, {"stale again", stale, 6}};
    for (const auto& k : cases) {
        int n = -1;
        QString error;
        EXPECT_TRUE(pntSavePainting(mine, painting(Qt::blue), thumb(), &n, &error, k.list)) << k.what << ": " << qPrintable(error);
        EXPECT_EQ(n, k.expected) << k.what;
    }
    for (int n = 0; n <= 6; ++n)
        EXPECT_EQ(QImage(QStringLiteral("%1/%2.bmp").arg(mine).arg(n)).pixelColor(5, 5),
                  QColor(n < 3 ? Qt::red : n == 4 ? Qt::yellow : Qt::blue))
            << n << ".bmp";
    EXPECT_EQ(QDir(mine).entryList(QDir::Files).size(), 14);
}

// A save killed in the middle leaves its temporary files; the next save on this computer clears
// them, and never those of another computer or of a save still running.
TEST(Saving, ASaveClearsTheTemporariesOfKilledSavesOfThisComputerOnly)
{
    Catalogs c;
    const QString mine = c.add("Mine", false);
    c.finish();
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const SaveOwner self = SaveOwner::thisProcess();
    SaveOwner killedHere = self, runningHere = self, otherComputer = self, otherContainer = self;
    killedHere.pid = otherComputer.pid = otherContainer.pid = ended;
    runningHere.pid = getppid();
    otherComputer.host = "another-pc";
    otherContainer.space = "0123456789abcdef"; // the same host name, another process space
    // A killed save's name with another ending is no temporary of a save.
    QStringList kept{"_saving_3_123_1.tmp", pntTemporaryName(killedHere, ".bmp")}, cleared; // an older save's name tells no computer
    for (const SaveOwner* owner : {&killedHere, &runningHere, &otherComputer, &otherContainer})
        for (const char* tail : {".tmp", "_.tmp"})
            (owner == &killedHere ? cleared : kept) << pntTemporaryName(*owner, tail);
    for (const QString& name : kept + cleared)
        c.folders.write("user/Mine/" + name, "half a painting");
    SaveDialog dlg;
    ASSERT_TRUE(dlg.chooseCatalog(0));
    ASSERT_EQ(dlg.save(painting(), thumb()), SaveDialog::Result::Saved);
    for (const QString& name : cleared)
        EXPECT_FALSE(QFileInfo::exists(mine + "/" + name)) << qPrintable(name);
    for (const QString& name : kept)
        EXPECT_TRUE(QFileInfo::exists(mine + "/" + name)) << qPrintable(name);
    EXPECT_EQ(pntClearStaleTemporaries(mine, pntFolderNames(mine)), 0);
}

TEST(Saving, AFullDiskKeepsEveryEarlierPaintingAndLeavesNoHalfFiles)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small filesystem needs root";
    TestFolders folders;
    folders.mkdir("small");
    const QString small = folders.path("small");
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=600k", "tmpfs", small}) != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    QString error;
    int saved = 0;
    // 401 x 401 at 24 bits is about 470 KiB: the first fits, the second cannot.
    for (int n = 0; n < 3; ++n)
        if (pntWritePainting(small, n, painting(), thumb(), &error))
            ++saved;
    const QStringList left = QDir(small).entryList(QDir::Files, QDir::Name);
    const QImage first(small + "/0.bmp");
    QProcess::execute("umount", {small});
    EXPECT_EQ(saved, 1);
    EXPECT_TRUE(error.contains("space", Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_EQ(left, QStringList({"0.bmp", "0_.bmp"}));
    EXPECT_EQ(first.pixelColor(200, 200), QColor(Qt::green));
}

// A painting the system lets only part of be written (here a limit on file size; a quota or a
// disk that fills between the two files does the same) is never published cut short, even
// though its thumbnail fits.
TEST(Saving, APaintingWrittenOnlyInPartIsNeverPublished)
{
    TestFolders folders;
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 300 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved = pntWritePainting(folders.path(""), 0, painting(), thumb(), &error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(folders.path("")).entryList(QDir::Files), QStringList());
}

// A catalog on a read-only filesystem (root ignores file modes, so root gets a read-only mount;
// others a folder without write permission): the save fails with the reason and writes nothing.
TEST(Saving, AReadOnlyFolderFailsWithTheReasonAndKeepsItsPaintings)
{
    TestFolders folders;
    folders.mkdir("ro");
    const QString ro = folders.path("ro");
    const bool root = geteuid() == 0;
    if (root && QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=2m", "tmpfs", ro}) != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    QString error;
    ASSERT_TRUE(pntWritePainting(ro, 0, painting(), thumb(), &error)) << error.toStdString();
    const bool locked = root ? QProcess::execute("mount", {"-o", "remount,ro", ro}) == 0
                             : QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool written = locked && (pntWritePainting(ro, 1, painting(), thumb(), &error)
                                    || pntSavePainting(ro, painting(), thumb(), nullptr, &error));
    const QStringList left = QDir(ro).entryList(QDir::Files, QDir::Name);
    const QImage first(ro + "/0.bmp");
    if (root)
        QProcess::execute("umount", {ro});
    else
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(locked);
    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains("read-only", Qt::CaseInsensitive) || error.contains("permission", Qt::CaseInsensitive))
        << error.toStdString();
    EXPECT_EQ(left, QStringList({"0.bmp", "0_.bmp"}));
    EXPECT_EQ(first.pixelColor(200, 200), QColor(Qt::green));
}

TEST(CatalogNames, ANameOutsideItsFolderIsRefusedAtStartAndNeverMade)
{
    TestFolders folders;
    MessageRecorder boxes;
    resetPaintSettings();
    folders.mkdir("app/catalogs");
    folders.write("zypaint.ini", "app=zypaint\n[path]\ncatalog=" + folders.path("app/catalogs").toUtf8()
                                     + "\n[catalogs]\n..\\outside\t0\n../up\t0\n..\t0\nGood\t0\n");
    OpenINI(folders.path("zypaint.ini"));
    EXPECT_FALSE(QFileInfo::exists(folders.path("app/outside")));
    EXPECT_FALSE(QFileInfo::exists(folders.path("app/up")));
    EXPECT_TRUE(QFileInfo(folders.path("app/catalogs/Good")).isDir());
    const QStringList texts = boxes.texts();
    ASSERT_GE(texts.size(), 1);
    // One box for the three, with the first name and the count.
    EXPECT_EQ(texts[0], "The catalog name '..\\outside' is not a plain folder name and is not used.\r\n"
                        "(2 more catalogs have the same problem.)");
    resetPaintSettings();
}

// Thumbnails of 5600 x 5600 pixels, each a small file: the catalog must not take gigabytes.
TEST(OpenDialogLogic, HugeThumbnailsAreReadAtTheSizeTheyAreShown)
{
    if (!kMemoryMeasurable)
        GTEST_SKIP() << "memory figures mean nothing under AddressSanitizer";
    Catalogs c;
    const QString animals = c.add("Animals", true);
    c.folders.write("huge.gif", pictureBytes("GIF", 5600, 5600, Qt::green));
    for (int i = 0; i < 32; ++i) {
        c.folders.write(QStringLiteral("pictures/Animals/p%1.bmp").arg(i), pictureBytes("BMP", 8, 8));
        // Hard links: one file on disk, 32 thumbnails in the catalog.
        ASSERT_EQ(::link(QFile::encodeName(c.folders.path("huge.gif")).constData(),
                         QFile::encodeName(c.folders.path(QStringLiteral("pictures/Animals/p%1_.gif").arg(i))).constData()),
                  0);
    }
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // the peak starts again from here
    clear.close();
    const qint64 before = residentKilobytes();
    const QVector<PictureEntry> entries = opnListPictures(animals, nullptr, QSize(33, 33));
    const qint64 peakMb = (statusKilobytes("VmHWM") - before) / 1024;
    ASSERT_EQ(entries.size(), 32);
    EXPECT_EQ(entries[0].thumbnail.size(), QSize(33, 33));
    // One picture at a time is decoded whole (125 MB), none is kept so.
    qInfo("32 thumbnails of 5600 x 5600: peak %lld MB", peakMb);
    EXPECT_LT(peakMb, 400) << "the catalog took " << peakMb << " MB at its peak";
}

// A class saving into one folder at the same moment from four computers: every painting is kept,
// each with its own thumbnail, none overwritten by another.
TEST(Saving, FourComputersSavingIntoOneFolderAtOnceLoseNothing)
{
    Catalogs c;
    const QString folder = c.add("Class", false);
    constexpr int processes = 4, saves = 50;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int id = 0; id < processes; ++id) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        running.back()->start(QStringLiteral(SAVESTRESS_EXE), {folder, QString::number(id), QString::number(saves)});
    }
    for (auto& p : running) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << "a save failed";
    }
    QSet<QRgb> seen;
    int paintings = 0, thumbnails = 0;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (name.endsWith("_.bmp")) {
            ++thumbnails;
            continue;
        }
        ASSERT_TRUE(name.endsWith(".bmp")) << "left behind: " << qPrintable(name);
        ++paintings;
        const QImage painting(folder + "/" + name);
        ASSERT_EQ(painting.size(), QSize(401, 401)) << qPrintable(name);
        const QRgb colour = painting.pixel(200, 200);
        EXPECT_EQ(painting.pixel(400, 400), colour) << "a painting is whole";
        const QImage thumb(folder + "/" + name.chopped(4) + "_.bmp");
        ASSERT_FALSE(thumb.isNull()) << "no thumbnail for " << qPrintable(name);
        EXPECT_EQ(thumb.pixel(16, 16), colour) << qPrintable(name) << " has another painting's thumbnail";
        EXPECT_FALSE(seen.contains(colour)) << "one painting saved twice";
        seen.insert(colour);
    }
    qInfo("%d processes x %d saves: %d paintings, %d thumbnails, %lld different", processes, saves, paintings, thumbnails,
          qlonglong(seen.size()));
    EXPECT_EQ(paintings, processes * saves);
    EXPECT_EQ(thumbnails, processes * saves);
    EXPECT_EQ(seen.size(), processes * saves);
}
