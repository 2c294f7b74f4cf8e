// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Places in the paint window and the small dialogs, from their layouts.
const QPoint kCanvas(224, 16);
const QPoint kOpenButton(164, 324);
const QPoint kSaveButton(60, 324);
QPoint catalogSlot(int k) { return {24 + 40 * k + 16, 40}; }
QPoint gridCell(int n) { return {24 + 40 * (n % 8) + 16, 88 + 40 * (n / 8) + 16}; }
const QPoint kDialogOpen(72, 300);
const QPoint kDialogSave(72, 164);
QPoint paletteCell(int row, int column) { return {16 + column * 609 / 14 + 20, 432 + row * 17 + 8}; }

} // namespace

// A child opens a colouring picture, connects its dots, fills, saves and finds the painting again.
TEST(DialogsEndToEnd, OpenAFigureConnectItFillSaveAndFindItAgain)
{
    REQUIRE_X();
    const FigurePicture figure = firstFigure(BIN_DIR "/pictures/Things");
    ASSERT_GE(figure.cell, 0) << "the sample Things catalog has a picture with a figure";
    ASSERT_GE(figure.points.size(), 2);
    QTemporaryDir windows;
    QImage shot = x->screenshot();
    ProgramRun run(BRUSHBOX_EXE, {}, windows.path());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    shot = x->changedScreen(shot);
    const QPoint origin = x->geometry(window).topLeft();
    const QPoint canvas = origin + kCanvas;

    x->click(origin.x() + kOpenButton.x(), origin.y() + kOpenButton.y());
    auto dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
    shot = x->stillScreen();
    QPoint at = x->geometry(dialog).topLeft();
    x->click(at.x() + catalogSlot(1).x(), at.y() + catalogSlot(1).y()); // Things
    shot = x->changedScreen(shot);
    x->click(at.x() + gridCell(figure.cell).x(), at.y() + gridCell(figure.cell).y());
    shot = x->stillScreen();
    shot.save(QDir::temp().filePath("e2e-dialogs-open.png"));
    x->click(at.x() + kDialogOpen.x(), at.y() + kDialogOpen.y());
    shot = x->changedScreen(shot);

    // The dots are on the canvas: the start is a black dot in a white ring.
    shot.save(QDir::temp().filePath("e2e-dialogs-figure.png"));
    const QPoint start = canvas + figure.points[0].toPoint();
    EXPECT_EQ(shot.pixel(start) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(start + QPoint(3, 0)) & 0xFFFFFF, 0xFFFFFFu);

    for (int i = 1; i < figure.points.size(); ++i) {
        const QPoint p = canvas + figure.points[i].toPoint();
        x->click(p.x(), p.y());
        shot = x->changedScreen(shot);
        ASSERT_FALSE(shot.isNull()) << "the line to dot " << i;
    }
    shot.save(QDir::temp().filePath("e2e-dialogs-connected.png"));
    // Completed: the picture comes back without the white rings, the lines drawn.
    EXPECT_NE(shot.pixel(start + QPoint(3, 0)) & 0xFFFFFF, 0xFFFFFFu);

    // The fill tool is on: a click outside the drawing fills the page around it in yellow.
    x->click(origin.x() + paletteCell(0, 6).x(), origin.y() + paletteCell(0, 6).y());
    x->click(canvas.x() + 396, canvas.y() + 396);
    shot = x->changedScreen(shot);
    const QRgb yellow = qRgb(0xFF, 0xD7, 0x00) & 0xFFFFFF;
    shot.save(QDir::temp().filePath("e2e-dialogs-filled.png"));
    EXPECT_EQ(shot.pixel(canvas + QPoint(396, 396)) & 0xFFFFFF, yellow);

    // Save into the first children's catalog.
    x->click(origin.x() + kSaveButton.x(), origin.y() + kSaveButton.y());
    dialog = x->waitForWindow("Save");
    ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
    shot = x->stillScreen();
    at = x->geometry(dialog).topLeft();
    x->click(at.x() + catalogSlot(0).x(), at.y() + catalogSlot(0).y());
    shot = x->stillScreen();
    shot.save(QDir::temp().filePath("e2e-dialogs-save.png"));
    x->click(at.x() + kDialogSave.x(), at.y() + kDialogSave.y());
    const QString red = windows.path() + "/Paintings/Red folder/";
    // Done once the painting and its thumbnail are there and no temporary is left.
    ASSERT_TRUE(waitFor([&] { return QDir(red).entryList(QDir::Files) == QStringList({"0.bmp", "0_.bmp"}); }))
        << qPrintable(run.stderrText());
    const QImage saved(red + "0.bmp");
    ASSERT_EQ(saved.size(), QSize(401, 401));
    EXPECT_EQ(saved.pixel(396, 396) & 0xFFFFFF, yellow);
    const QImage thumb(red + "0_.bmp");
    ASSERT_EQ(thumb.size(), QSize(33, 33));

    // The painting is in the open dialog's Red folder (the third catalog), cell 0.
    x->click(origin.x() + kOpenButton.x(), origin.y() + kOpenButton.y());
    dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u);
    shot = x->stillScreen();
    at = x->geometry(dialog).topLeft();
    x->click(at.x() + catalogSlot(2).x(), at.y() + catalogSlot(2).y());
    shot = x->changedScreen(shot);
    shot.save(QDir::temp().filePath("e2e-dialogs-found.png"));
    int same = 0;
    for (int yy = 0; yy < 33; ++yy)
        for (int xx = 0; xx < 33; ++xx)
            same += (shot.pixel(at + QPoint(24 + xx, 88 + yy)) & 0xFFFFFF) == (thumb.pixel(xx, yy) & 0xFFFFFF);
    EXPECT_GT(same, 33 * 33 * 9 / 10);

    // Leaving without a choice keeps the painting.
    x->focus(dialog);
    x->key("Escape");
    shot = x->changedScreen(shot);
    EXPECT_EQ(shot.pixel(canvas + QPoint(396, 396)) & 0xFFFFFF, yellow);

    x->focus(window);
    x->key("Escape");
    EXPECT_TRUE(run.waitForExit());
}
