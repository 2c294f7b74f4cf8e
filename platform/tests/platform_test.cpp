// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/endsignals.h"
#include "platform/files.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/sysfolder.h"
#include "platform/textcodec.h"

#include "testsupport/testsupport.h"

#include <QDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

TEST(Files, ResolveIgnoresCaseOnlyWhenNeeded)
{
    TestFolders folders;
    folders.write("app/Pictures/Animals/Cat.BMP", "c");
    folders.write("app/Pictures/cat.bmp", "d"); // both spellings exist: the exact one wins
    EXPECT_EQ(resolvePath(folders.app() + "/pictures/animals/cat.bmp"), folders.app() + "/Pictures/Animals/Cat.BMP");
    EXPECT_EQ(resolvePath(folders.app() + "/Pictures/cat.bmp"), folders.app() + "/Pictures/cat.bmp");
    EXPECT_EQ(resolvePath(folders.app() + "\\PICTURES\\ANIMALS\\"), folders.app() + "/Pictures/Animals/");
    EXPECT_EQ(resolvePath(folders.app() + "/none/x.bmp"), folders.app() + "/none/x.bmp");
}

TEST(Files, ListingIsSortedWithoutRegardToCase)
{
    TestFolders folders;
    for (const char* n : {"b.bmp", "A.bmp", "c.BMP", "_x.bmp"})
        folders.write(QString("app/cat/") + n, "x");
    folders.mkdir("app/cat/Sub");
    EXPECT_EQ(listDir(folders.app() + "/cat"), (QStringList{"_x.bmp", "A.bmp", "b.bmp", "c.BMP", "Sub"}));
    EXPECT_EQ(listDir(folders.app() + "/CAT", ListKind::FoldersOnly), QStringList{"Sub"});
    EXPECT_EQ(listDir(folders.app() + "/cat", ListKind::FilesOnly).size(), 4);
    EXPECT_TRUE(listDir(folders.app() + "/missing").isEmpty());
}

TEST(SystemFolder, WindirOrPerUserFolder)
{
    TestFolders folders;
    EXPECT_EQ(systemFolder(), folders.windows() + "/");
    qunsetenv("WINDIR");
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folders.path("config").toLocal8Bit());
    EXPECT_EQ(systemFolder(), folders.path("config/brushbox-twinturn/"));
    EXPECT_TRUE(QDir(folders.path("config/brushbox-twinturn")).exists());
    folders.write("blocked", "file where a folder should be");
    qputenv("XDG_CONFIG_HOME", folders.path("blocked").toLocal8Bit());
    EXPECT_EQ(systemFolder(), "");
    qputenv("XDG_CONFIG_HOME", oldXdg);
}

// A logout's signal reaches the program's own end on its event loop, not inside the handler.
TEST(EndSignals, TermAndHangUpRunTheProgramsEndOnTheLoop)
{
    for (const int sig : {SIGTERM, SIGHUP}) {
        int ended = 0;
        installEndSignals([&] { ++ended; });
        std::raise(sig);
        EXPECT_EQ(ended, 0) << sig;
        EXPECT_TRUE(QTest::qWaitFor([&] { return ended == 1; }, 5000)) << sig;
    }
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
}

TEST(TextCodec, Cp1252AndUtf8)
{
    EXPECT_EQ(decodeCp1252("\xe5\xe4\xf6\x80\x9f"), QString::fromUtf8("åäö€Ÿ"));
    EXPECT_EQ(decodeConfigBytes("\xc3\xa5"), QString::fromUtf8("å")); // valid UTF-8
    EXPECT_EQ(decodeConfigBytes("plain"), "plain");
    EXPECT_EQ(decodeConfigBytes("\xc3"), QString::fromUtf8("Ã")); // truncated sequence: cp1252
    EXPECT_EQ(decodeConfigBytes("\xed\xa0\x80"), decodeCp1252("\xed\xa0\x80")); // surrogate is no UTF-8
    EXPECT_EQ(decodeConfigBytes("\xc0\xaf"), decodeCp1252("\xc0\xaf"));         // overlong
}

TEST(MessageBoxes, ResponderAnswersAndRecords)
{
    MessageRecorder boxes;
    boxes.answers << MsgResult::Cancel;
    EXPECT_EQ(msgBox("Continue?", MsgButtons::OkCancel, MsgIcon::Stop, "Title"), MsgResult::Cancel);
    EXPECT_EQ(msgBox("Next"), MsgResult::Ok);
    ASSERT_EQ(boxes.messages.size(), 2);
    EXPECT_EQ(boxes.messages[0].title, "Title");
    EXPECT_EQ(boxes.messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(boxes.messages[1].title, msgDefaultTitle());
}

TEST(Pictures, LoadsFormatsAndExplainsFailures)
{
    TestFolders folders;
    folders.write("a.bmp", pictureBytes("BMP", 5, 4));
    folders.write("b.GIF", pictureBytes("GIF"));
    folders.write("c.jpg", pictureBytes("JPG"));
    folders.write("broken.bmp", pictureBytes("BMP").left(30));
    folders.write("empty.jpg", "");
    EXPECT_EQ(loadPicture(folders.path("A.BMP")).size(), QSize(5, 4));
    EXPECT_FALSE(loadPicture(folders.path("b.gif")).isNull());
    EXPECT_FALSE(loadPicture(folders.path("c.jpg")).isNull());
    QString why;
    EXPECT_TRUE(loadPicture(folders.path("broken.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("broken.bmp")) << qPrintable(why);
    EXPECT_TRUE(loadPicture(folders.path("empty.jpg"), &why).isNull());
    EXPECT_TRUE(loadPicture(folders.path("missing.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("missing")) << qPrintable(why);
    EXPECT_TRUE(loadPicture(folders.root(), &why).isNull()); // a folder

    // A BMP cut after its header and a few rows: Qt would fill the rest with whatever memory held.
    folders.write("cut.bmp", pictureBytes("BMP", 120, 120).left(300));
    EXPECT_TRUE(loadPicture(folders.path("cut.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("cut off")) << qPrintable(why);
}

TEST(Pictures, OversizedHeaderIsRefusedBeforeDecoding)
{
    TestFolders folders;
    QByteArray bmp = pictureBytes("BMP", 4, 4);
    // Width and height of the info header claim 60000 x 60000 pixels.
    auto put32 = [&bmp](int at, qint32 v) { for (int i = 0; i < 4; ++i) bmp[at + i] = char((v >> (8 * i)) & 0xFF); };
    put32(18, 60000);
    put32(22, 60000);
    folders.write("huge.bmp", bmp);
    QString why;
    EXPECT_TRUE(loadPicture(folders.path("huge.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("too large")) << qPrintable(why);
}
