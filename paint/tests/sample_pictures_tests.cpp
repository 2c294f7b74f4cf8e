// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fileio.h"
#include "paint/companions.h"
#include "paint/lineini.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

// The sample theme's supplied catalogs, as the generator wrote them beside the test programs.
namespace {
QString catalog(const char* name) { return QCoreApplication::applicationDirPath() + QStringLiteral("/pictures/") + QLatin1String(name); }
}

TEST(SamplePictures, EveryPictureHasItsCompanionsAndFitsTheCanvas)
{
    int pictures = 0, figures = 0, longest = 0;
    QStringList formats;
    for (const char* name : {"Animals", "Things"}) {
        const QString folder = catalog(name);
        ASSERT_TRUE(QDir(folder).exists()) << qPrintable(folder);
        for (const QString& file : listDir(folder, ListKind::FilesOnly)) {
            if (!pntCanBePicture(file))
                continue;
            const QString path = folder + QLatin1Char('/') + file;
            SCOPED_TRACE(qPrintable(path));
            ++pictures;
            formats << fioGetExtension(file).toLower();
            QString error;
            const QImage img = loadPicture(path, &error);
            ASSERT_FALSE(img.isNull()) << qPrintable(error);
            EXPECT_LE(img.width(), 401);
            EXPECT_LE(img.height(), 401);
            const QString thumb = pntThumbnailFile(path);
            ASSERT_FALSE(thumb.isEmpty());
            EXPECT_FALSE(loadPicture(thumb).isNull());
            EXPECT_FALSE(pntPictureName(path).isEmpty());
            EXPECT_FALSE(pntSoundFile(path).isEmpty());
            const QString figure = pntFigureFile(path);
            if (figure.isEmpty())
                continue;
            LineFigure f;
            ASSERT_TRUE(pntOpenLineINI(figure, f));
            ++figures;
            longest = std::max<int>(longest, f.intLineCount);
            for (int i = 0; i < f.intLineCount; ++i) {
                EXPECT_TRUE(f.points[i].x >= 8 && f.points[i].x <= 392 && f.points[i].y >= 14 && f.points[i].y <= 392)
                    << "point " << i << " lies too near the edge for its dot and label";
                for (int j = 0; j < i; ++j)
                    EXPECT_GT(std::hypot(f.points[i].x - f.points[j].x, f.points[i].y - f.points[j].y), 20)
                        << "points " << j << " and " << i << " are too close to tell apart";
            }
        }
    }
    EXPECT_GE(pictures, 16);
    EXPECT_GE(figures, 4);
    EXPECT_GE(longest, 12);
    for (const char* format : {"wmf", "gif", "jpg", "bmp"})
        EXPECT_TRUE(formats.contains(QLatin1String(format))) << format;
}
