// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/opendialog.h"
#include "paint/savedialog.h"
#include "platform/picture.h"

#include "testsupport/testsupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// The program killed in the middle of a save, many times at random moments: afterwards every
// painting in the catalog is complete and readable, and the open dialog lists nothing half made.
TEST(SaveUnderFaults, KilledInTheMiddleOfSavesLeavesOnlyWholePaintings)
{
    TestFolders folders;
    folders.mkdir("cats/Mine");
    const QString folder = folders.path("cats/Mine");
    QImage painting(401, 401, QImage::Format_RGB32);
    painting.fill(Qt::white);
    for (int i = 0; i < 401; ++i)
        painting.setPixel(i, i, qRgb(200, 0, 0));
    const QImage thumbnail = painting.scaled(65, 65);
    QRandomGenerator random(7);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Save for ever, as fast as it can, until killed.
            for (;;) {
                const int n = pntFreeNumber(pntFolderNames(folder));
                QString error;
                if (n < 0 || !pntWritePainting(folder, n, painting, thumbnail, &error))
                    _exit(1);
            }
        }
        usleep(useconds_t(random.bounded(2000, 40000)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself: a save failed";
    }
    // However slow the machine (a save under the sanitizers may outlast every kill), the catalog
    // left behind still takes a whole save, which clears what the killed saves left.
    {
        QString error;
        int n = -1;
        ASSERT_TRUE(pntSavePainting(folder, painting, thumbnail, &n, &error)) << qPrintable(error);
    }
    const QStringList names = QDir(folder).entryList(QDir::Files);
    int paintings = 0;
    for (const QString& name : names) {
        ASSERT_FALSE(name.startsWith('_')) << "a killed save's temporary file is left: " << qPrintable(name);
        const QImage img = loadPicture(folder + "/" + name);
        ASSERT_FALSE(img.isNull()) << qPrintable(name);
        if (name.contains('_')) {
            EXPECT_EQ(img.size(), thumbnail.size()) << qPrintable(name);
        } else {
            EXPECT_EQ(img, painting.convertToFormat(img.format())) << qPrintable(name);
            ++paintings;
        }
    }
    EXPECT_GT(paintings, 0);
    // The open dialog lists whole paintings only (a painting whose thumbnail was cut off is
    // complete but not offered, as any picture without a thumbnail).
    for (const PictureEntry& e : opnListPictures(folder)) {
        EXPECT_FALSE(QFileInfo(e.path).fileName().startsWith('_')) << qPrintable(e.path);
        EXPECT_FALSE(loadPicture(e.path).isNull()) << qPrintable(e.path);
    }
}
