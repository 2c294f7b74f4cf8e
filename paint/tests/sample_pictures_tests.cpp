// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/fileio.h"
#include "common/gfxfill.h"
#include "paint/companions.h"
#include "paint/lineini.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
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

// On the canvas, with its figure joined, a picture's ground (or sea) and its sky are two areas:
// a picture smaller than the canvas would join them through the white strip beside it.
TEST(SamplePictures, FillingTheGroundLeavesTheSkyWhite)
{
    const struct {
        const char* file;
        QPoint ground, sky;
    } cases[] = {{"Things/house.bmp", {200, 390}, {200, 20}},
                 {"Things/car.bmp", {200, 360}, {200, 20}},
                 {"Things/boat.wmf", {200, 380}, {20, 20}},
                 {"Things/tree.bmp", {200, 397}, {20, 20}}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.file);
        const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/pictures/") + QLatin1String(k.file);
        QImage canvas(401, 401, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter p(&canvas);
        p.drawImage(0, 0, loadPicture(path));
        LineFigure f;
        if (const QString figure = pntFigureFile(path); !figure.isEmpty() && pntOpenLineINI(figure, f)) {
            QPolygon joined;
            for (int i = 0; i < f.intLineCount; ++i)
                joined << QPoint(int(f.points[i].x), int(f.points[i].y));
            p.setPen(QPen(Qt::black, 1));
            p.drawPolygon(joined);
        }
        p.end();
        ASSERT_EQ(canvas.pixel(k.sky), qRgb(255, 255, 255));
        ASSERT_GT(gfxFillArea(canvas, k.ground.x(), k.ground.y(), qRgb(0, 160, 0)), 0);
        EXPECT_EQ(canvas.pixel(k.sky), qRgb(255, 255, 255)) << "the fill ran from the ground into the sky";
    }
}
