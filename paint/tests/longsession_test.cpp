// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paintwindow_fixture.h"

#include "paint/lineini.h"
#include "paint/opendialog.h"
#include "paint/savedialog.h"
#include "platform/picture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

// A child at the paint window for a long while: ten thousand random strokes, sprays, fills,
// palette picks, clears, opened colouring pictures (their dots connected or not) and saves,
// anywhere, in and out of the canvas. Every saved painting must be readable afterwards.
TEST(LongSession, TenThousandRandomActionsOnThePaintWindow)
{
    PaintWindowTest t;
    // The sample theme's Things catalog to open from, and a user catalog to save into.
    const QString things = QStringLiteral(SAMPLE_DIR "/pictures/Things");
    QDir().mkpath(t.folders.path("app/pictures/Things"));
    QDirIterator it(things, QDir::Files);
    while (it.hasNext()) {
        const QString f = it.next();
        QFile::copy(f, t.folders.path("app/pictures/Things/" + QFileInfo(f).fileName()));
    }
    QFile::copy(QStringLiteral(SAMPLE_DIR "/pictures/Things.bmp"), t.folders.path("app/pictures/Things.bmp"));
    t.folders.mkdir("app/cats/Mine");
    t.writePicture("../cats/Mine.bmp", 48, 40, Qt::green);
    PaintSettings.picture.expanded = t.folders.app() + "/pictures/";
    PaintSettings.catalog.expanded = t.folders.app() + "/cats/";
    PaintSettings.catalogs = {UserCatalog{"Mine", false}, UserCatalog{"Things", true}, UserCatalog{}};
    frm_Paint& form = t.open();
    form.Form_Load();
    QRandomGenerator random(20261207);
    form.Rnd = [&random] { return random.generateDouble(); };
    const QSize size = t.canvas().image().size();
    auto anywhere = [&random](int extent) { return random.bounded(-40, extent + 40) + random.generateDouble(); };
    qint64 settled = 0;
    int fills = 0, clears = 0, opened = 0, saved = 0;
    qint64 painted = 0;
    for (int action = 0; action < 10000; ++action) {
        switch (random.bounded(action % 50 == 0 ? 8 : 6)) {
        case 0: // a stroke with the current tool
        case 1: {
            const int button = random.bounded(2) ? 1 : 2;
            form.pic_Paint_MouseDown(button, 0, anywhere(size.width()), anywhere(size.height()));
            for (int m = random.bounded(12); m > 0; --m)
                form.pic_Paint_MouseMove(button, 0, anywhere(size.width()), anywhere(size.height()));
            form.pic_Paint_MouseUp(button, 0, anywhere(size.width()), anywhere(size.height()));
            break;
        }
        case 2: // choose draw, spray or fill
            t.click(random.bounded(3));
            fills += intTool == 2;
            break;
        case 3:
            form.pic_Palette_MouseDown(1, 0, anywhere(609), anywhere(33));
            break;
        case 4:
            if (random.bounded(20) == 0) {
                t.click(btnClear);
                ++clears;
            } else {
                form.pic_Paint_MouseMove(0, 0, anywhere(size.width()), anywhere(size.height()));
            }
            break;
        case 5:
            form.img_Button_MouseMove(random.bounded(kPaintButtons), 0, 0, 5, 5);
            break;
        case 6: { // open a picture, as the open button does after its dialog
            OpenDialog open;
            if (open.chooseCatalog(random.bounded(3)) && open.opnPictureClick(random.bounded(qBound(1, int(open.intPictureCount), kGridCells))) && open.opnOpenFile()) {
                form.pntClear();
                form.SetPicture();
                ++opened;
                if (intTool == 3 && random.bounded(2)) // connect the dots in order
                    for (int j = 1; j < Figure.intLineCount && intTool == 3; ++j)
                        form.pic_Paint_MouseDown(1, 0, Figure.points[j].x, Figure.points[j].y);
            } else {
                open.cancel();
            }
            break;
        }
        case 7: { // save into the user catalog
            SaveDialog save;
            const QImage& canvas = t.canvas().image();
            if (save.chooseCatalog(0) && save.save(canvas, canvas.scaled(40, 40), nullptr, nullptr) == SaveDialog::Result::Saved)
                ++saved;
            break;
        }
        }
        if (action % 500 == 0) {
            QCoreApplication::processEvents();
            const QImage& img = t.canvas().image();
            for (int y = 0; y < img.height(); y += 3)
                for (int x = 0; x < img.width(); x += 3)
                    painted += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        }
        if (action == 1000)
            settled = residentKilobytes();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(t.canvas().image().size(), size);
    EXPECT_GT(fills, 0);
    EXPECT_GT(opened, 10);
    EXPECT_GT(saved, 0);
    // Every painting saved is complete and readable, and nothing else lies in the catalog.
    const QStringList files = QDir(t.folders.path("app/cats/Mine")).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 2 * saved) << qPrintable(files.join(' '));
    for (const QString& f : files) {
        const QImage img = loadPicture(t.folders.path("app/cats/Mine/" + f));
        EXPECT_FALSE(img.isNull()) << qPrintable(f);
        if (!f.contains('_')) {
            EXPECT_EQ(img.size(), t.canvas().image().size()) << qPrintable(f);
        }
    }
    EXPECT_GT(painted, 10000); // the child's paint did land on the canvas
    EXPECT_GT(clears, 0);
    EXPECT_EQ(t.ends, 0);
    EXPECT_TRUE(t.boxes.messages.isEmpty()) << qPrintable(t.boxes.texts().join('\n'));
    // After the first thousand actions the window holds all it will: no growth beyond 20 MB.
    if (kMemoryMeasurable) {
        EXPECT_LT(residentKilobytes() - settled, 20 * 1024);
    }
}
