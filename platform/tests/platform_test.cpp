// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/endsignals.h"
#include "platform/files.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/sysfolder.h"
#include "platform/textcodec.h"

#include "testsupport/testsupport.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QMessageBox>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
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

// The login's own folder; where there is none of the user's, a private one of this host.
TEST(SystemFolder, RuntimeFolderIsTheLoginsOrAPrivateOneOfThisHost)
{
    TestFolders folders;
    const QByteArray old = qgetenv("XDG_RUNTIME_DIR");
    const QString mine = folders.path("run"), open = folders.path("open");
    QDir().mkpath(mine);
    QDir().mkpath(open);
    QFile::setPermissions(mine, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(open, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                    | QFileDevice::ExeOther);
    qputenv("XDG_RUNTIME_DIR", mine.toLocal8Bit());
    EXPECT_EQ(runtimeFolder(), mine + "/");
    for (const QString& unfit : {open, QString()}) {
        qputenv("XDG_RUNTIME_DIR", unfit.toLocal8Bit());
        const QString fallback = runtimeFolder();
        EXPECT_TRUE(fallback.startsWith(QDir::tempPath() + "/brushbox-twinturn-")) << qPrintable(fallback);
        EXPECT_TRUE(fallback.contains(QSysInfo::machineHostName().left(40))) << qPrintable(fallback);
        EXPECT_EQ(QFileInfo(fallback).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
    }
    qputenv("XDG_RUNTIME_DIR", old);
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

// A long path in a box is broken over lines after its folders, never shortened: the part a
// teacher must fix may be any of it.
TEST(MessageBoxes, ALongPathIsBrokenOverLinesAndKeptWhole)
{
    setMsgBoxResponder({});
    const QString path = QStringLiteral("/srv/class/") + QString(40, QLatin1Char('k')) + QStringLiteral("/Paintings/")
                         + QString(60, QLatin1Char('p')) + QStringLiteral("/Red folder.bmp");
    const QString text = QStringLiteral("Picture '%1' is missing.").arg(path);
    QString shown;
    QTimer::singleShot(0, [&] {
        (void)QTest::qWaitFor([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, 3000);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    msgBox(text);
    EXPECT_FALSE(shown.contains(QChar(0x2026))) << qPrintable(shown);
    EXPECT_EQ(QString(shown).remove(QLatin1Char('\n')), text);
    const QStringList lines = shown.split(QLatin1Char('\n'));
    EXPECT_GT(lines.size(), 1);
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 90) << qPrintable(line);
    EXPECT_TRUE(lines.first().endsWith(QLatin1Char('/'))) << "broken after a folder: " << qPrintable(lines.first());
    // A megabyte is still cut, for the box's own sake.
    EXPECT_LE(msgWrapped(QString(1 << 20, QLatin1Char('x')), 90, 5000).size(), 5000 + 5000 / 90 + 2);
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
    EXPECT_EQ(loadPicture(folders.path("A.BMP")).size(), QSize(5, 4));
    EXPECT_FALSE(loadPicture(folders.path("b.gif")).isNull());
    EXPECT_FALSE(loadPicture(folders.path("c.jpg")).isNull());
    // Only the signature of a GIF: the bytes after it are no size to refuse it for.
    const struct {
        const char* name;
        QByteArray bytes;
        const char* cause;
    } refused[] = {
        {"broken.bmp", pictureBytes("BMP").left(30), "broken.bmp"},
        {"empty.jpg", "", ""},
        {"junk.gif", "GIF89a\x20\x67\x61\x72\x62\x61\x67\x65 of a downloaded page",
         "is not a picture this program can read: the GIF's header is followed by no picture"},
        {"short.gif", pictureBytes("GIF").left(12), "the GIF ends inside its header"},
    };
    QString why;
    for (const auto& c : refused) {
        folders.write(c.name, c.bytes);
        EXPECT_TRUE(loadPicture(folders.path(c.name), &why).isNull()) << c.name;
        EXPECT_TRUE(why.contains(c.cause)) << qPrintable(why);
    }
    EXPECT_TRUE(loadPicture(folders.path("missing.bmp"), &why).isNull());
    EXPECT_TRUE(why.contains("missing")) << qPrintable(why);
    EXPECT_TRUE(loadPicture(folders.root(), &why).isNull()); // a folder
}

namespace {
// A grey JPEG of a checker board; progressive ones may repeat their last scan.
QByteArray greyJpeg(int width, int height, bool progressive, int extraScans = 0)
{
    QImage grey(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grey.scanLine(y)[x] = uchar((x / 64 + y / 64) % 2 ? 200 : 40);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(50);
    writer.setProgressiveScanWrite(progressive);
    writer.write(grey);
    const qsizetype lastScan = bytes.lastIndexOf("\xff\xda"), end = bytes.lastIndexOf("\xff\xd9");
    return bytes.left(end) + bytes.mid(lastScan, end - lastScan).repeated(extraScans) + bytes.mid(end);
}
} // namespace

TEST(Pictures, LargePhotosAreDecodedAtTheSizeTheyAreShown)
{
    TestFolders folders;
    // 48 megapixels: beyond the limit as it is, a 1/8 of it as a card.
    folders.write("phone.jpg", greyJpeg(8000, 6000, false));
    QString why;
    EXPECT_TRUE(loadPicture(folders.path("phone.jpg"), &why).isNull());
    EXPECT_TRUE(why.contains("too large (8000 x 6000 pixels)")) << qPrintable(why);
    const QImage card = loadPicture(folders.path("phone.jpg"), &why, QSize(150, 150));
    EXPECT_EQ(card.size(), QSize(200, 150)) << qPrintable(why);
    // Each scan of a progressive JPEG goes over all of its pixels: a large one may have fewer.
    folders.write("scans.jpg", greyJpeg(4096, 4096, true, 40));
    EXPECT_TRUE(loadPicture(folders.path("scans.jpg"), &why, QSize(150, 150)).isNull());
    EXPECT_TRUE(why.contains("more than 40 scans")) << qPrintable(why);
}
