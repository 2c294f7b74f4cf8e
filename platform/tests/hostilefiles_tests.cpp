// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Files that are not what they claim to be: FIFOs, devices, links and files far too large. None
// may block, spin or be written through.
#include "common/inireader.h"
#include "common/log.h"
#include "common/wavinfo.h"
#include "platform/files.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "testsupport/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Hostile {
    TestFolders folders;
    QString fifo = folders.path("fifo");
    QString zeroLink = folders.path("zero.ini");
    QString folder = folders.path("folder.bmp");
    QString sparse = folders.path("huge.bmp");
    Hostile()
    {
        ::mkfifo(QFile::encodeName(fifo).constData(), 0644);
        QFile::link(QStringLiteral("/dev/zero"), zeroLink);
        folders.mkdir("folder.bmp");
        // A file of 300 MB that takes no disk: larger than any kind's bound.
        const int fd = ::open(QFile::encodeName(sparse).constData(), O_WRONLY | O_CREAT, 0644);
        EXPECT_EQ(::ftruncate(fd, 300LL * 1024 * 1024), 0);
        ::close(fd);
    }
};

} // namespace

TEST(HostileFiles, OnlyRegularFilesWithinTheirBoundOpenAndTheCauseIsNamed)
{
    Hostile h;
    const struct {
        QString path;
        FileKind kind;
        const char* cause;
    } cases[] = {
        {h.fifo, FileKind::Text, "is a FIFO"},
        {h.zeroLink, FileKind::Text, "is a device"},
        {QStringLiteral("/dev/null"), FileKind::Sound, "is a device"},
        {h.folder, FileKind::Picture, "is a folder"},
        {h.sparse, FileKind::Picture, "is larger than 256 MB"},
        {h.folders.path("nothing.ini"), FileKind::Text, "is missing"},
    };
    for (const auto& c : cases) {
        QFile f;
        QString why;
        EXPECT_FALSE(openRegularFile(f, c.path, c.kind, &why)) << qPrintable(c.path);
        EXPECT_EQ(why, QLatin1String(c.cause));
        EXPECT_FALSE(f.isOpen());
    }
    EXPECT_EQ(regularFileProblem(h.fifo), "is a FIFO");
    EXPECT_EQ(regularFileProblem(h.sparse), QString()) << "the size bound belongs to the reader";
    h.folders.write("plain.ini", "app=zypaint\n");
    QFile plain;
    ASSERT_TRUE(openRegularFile(plain, h.folders.path("plain.ini"), FileKind::Text));
    EXPECT_EQ(plain.readAll(), "app=zypaint\n");
}

TEST(HostileFiles, ReadersTakeAFifoOrADeviceForAMissingFileAtOnce)
{
    Hostile h;
    for (const QString& path : {h.fifo, h.zeroLink}) {
        IniReader reader;
        EXPECT_FALSE(reader.open(path));
        EXPECT_FALSE(readWavInfo(path).playable);
        QString why;
        EXPECT_TRUE(loadPicture(path, &why).isNull());
        EXPECT_TRUE(why.endsWith(QLatin1String("is a FIFO.")) || why.endsWith(QLatin1String("is a device."))) << qPrintable(why);
    }
    EXPECT_EQ(readWavInfo(h.fifo).error, QStringLiteral("Sound '%1' cannot be played: the file is a FIFO.").arg(h.fifo));
}

TEST(HostileFiles, WritesNeverGoThroughALinkOrIntoAFifo)
{
    Hostile h;
    h.folders.write("outside.txt", "keep me");
    const QString link = h.folders.path("log.txt");
    QFile::link(h.folders.path("outside.txt"), link);
    QString why;
    EXPECT_EQ(openForWriting(link, O_APPEND, &why), -1);
    EXPECT_EQ(why, "is a link");
    EXPECT_EQ(openForWriting(h.fifo, O_APPEND, &why), -1) << "a FIFO without a reader must not block";
    writeLogLine(link, QStringLiteral("a line"), -1);
    writeLogLine(h.fifo, QStringLiteral("a line"), -1);
    EXPECT_EQ(h.folders.read("outside.txt"), "keep me");

    // A copy never replaces a file nor writes through a link at its target.
    h.folders.write("icon.bmp", pictureBytes("BMP"));
    EXPECT_FALSE(copyRegularFile(h.folders.path("icon.bmp"), link, FileKind::Picture));
    EXPECT_EQ(h.folders.read("outside.txt"), "keep me");
    EXPECT_TRUE(copyRegularFile(h.folders.path("icon.bmp"), h.folders.path("copy.bmp"), FileKind::Picture));
    EXPECT_EQ(h.folders.read("copy.bmp"), h.folders.read("icon.bmp"));
    EXPECT_FALSE(copyRegularFile(h.fifo, h.folders.path("copy2.bmp"), FileKind::Picture));
}

TEST(HostileFiles, OverlongMessagesAreShortenedAndShortOnesKept)
{
    const QString path = QStringLiteral("/themes/") + QString(100000, QLatin1Char('a')) + QStringLiteral("/end.bmp");
    const QString text = QStringLiteral("Picture '%1' is missing.").arg(path);
    const QString shown = msgShortened(text, 90, 2000);
    EXPECT_LT(shown.size(), 200);
    EXPECT_TRUE(shown.startsWith("Picture '/themes/aaa"));
    EXPECT_TRUE(shown.endsWith("aaa/end.bmp' is missing.")) << "the end of a path stays";
    EXPECT_EQ(msgShortened(QStringLiteral("Bad graphics path: '/x/nogfx'"), 90, 2000), "Bad graphics path: '/x/nogfx'");
    EXPECT_LT(msgShortened(QString(50000, QLatin1Char(' ')) + QString(10, QLatin1Char('b')), 90, 2000).size(), 2100);
}

TEST(HostileFiles, PicturesHeldShareOneBudget)
{
    TestFolders folders;
    folders.write("a.bmp", pictureBytes("BMP", 400, 400));
    folders.write("b.bmp", pictureBytes("BMP", 400, 400));
    const qint64 before = pictureBytesHeld();
    setPictureBudgetForTests(before + 1000 * 1000); // room for one 400 x 400 picture, not two
    {
        QImage a = loadPicture(folders.path("a.bmp"));
        ASSERT_FALSE(a.isNull());
        EXPECT_GE(pictureBytesHeld(), before + 400 * 400 * 3);
        QString why;
        EXPECT_TRUE(loadPicture(folders.path("b.bmp"), &why).isNull());
        EXPECT_TRUE(why.contains("is not loaded: the pictures held take")) << qPrintable(why);
        // The budget is held until the last copy goes.
        const QImage copy = a;
        a = QImage();
        EXPECT_TRUE(loadPicture(folders.path("b.bmp")).isNull());
        EXPECT_EQ(copy.pixel(0, 0), QColor(Qt::red).rgb());
    }
    EXPECT_EQ(pictureBytesHeld(), before);
    EXPECT_FALSE(loadPicture(folders.path("b.bmp")).isNull());
    setPictureBudgetForTests(0);
}
