// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/canvashistory.h"
#include "paint/historybutton.h"
#include "paint/keyboardfocus.h"
#include "paint/lineini.h"
#include "paint/opendialog.h"
#include "paint/tests/paintwindow_fixture.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QImage blank(int side = 401)
{
    QImage i(side, side, QImage::Format_RGB32);
    i.fill(Qt::white);
    return i;
}

void dab(QImage& image, int x, int y, QColor c)
{
    QPainter p(&image);
    p.fillRect(x, y, 5, 5, c);
}

void stroke(frm_Paint& f, QPointF from, QPointF to)
{
    f.pic_Paint_MouseDown(1, 0, from.x(), from.y());
    f.pic_Paint_MouseMove(1, 0, to.x(), to.y());
    f.pic_Paint_MouseUp(1, 0, to.x(), to.y());
}

void key(frm_Paint& f, Qt::Key k) { QTest::keyClick(&f, k, Qt::ControlModifier); }
}

TEST(CanvasHistory, AStepKeepsOnlyItsRectangleAndGoesBackAndForthExactly)
{
    CanvasHistory h;
    QImage canvas = blank(), picture;
    const QImage start = canvas;
    h.begin(canvas, picture);
    dab(canvas, 10, 20, Qt::red);
    h.commit(canvas, picture);
    EXPECT_EQ(changedRect(start, canvas), QRect(10, 20, 5, 5));
    EXPECT_LE(h.bytes(), 5 * 5 * 4);
    const QImage afterRed = canvas;

    h.begin(canvas, picture);
    h.commit(canvas, picture); // nothing changed: no step
    EXPECT_EQ(h.steps(), 1);

    h.begin(canvas, picture);
    dab(canvas, 300, 390, Qt::blue);
    h.commit(canvas, picture);
    ASSERT_TRUE(h.undo(canvas, picture));
    EXPECT_EQ(canvas, afterRed);
    ASSERT_TRUE(h.undo(canvas, picture));
    EXPECT_EQ(canvas, start);
    EXPECT_FALSE(h.undo(canvas, picture));
    ASSERT_TRUE(h.redo(canvas, picture));
    EXPECT_EQ(canvas, afterRed);

    // A new step forgets what could have been brought again.
    h.begin(canvas, picture);
    dab(canvas, 0, 0, Qt::green);
    h.commit(canvas, picture);
    EXPECT_FALSE(h.canRedo());
}

TEST(CanvasHistory, ManyStepsAreKeptWithinTheMemoryBound)
{
    CanvasHistory h;
    QImage canvas = blank(), picture;
    QVector<QImage> states{canvas};
    for (int i = 0; i < 60; ++i) {
        h.begin(canvas, picture);
        canvas.fill(QColor(i * 4, 255 - i * 4, 0)); // the whole canvas changes each time
        h.commit(canvas, picture);
        states << canvas;
    }
    EXPECT_EQ(h.steps(), CanvasHistory::kMaxSteps);
    EXPECT_GE(CanvasHistory::kMaxSteps, 30);
    EXPECT_LE(h.bytes(), CanvasHistory::kMaxBytes);
    for (int back = 1; back <= CanvasHistory::kMaxSteps; ++back) {
        ASSERT_TRUE(h.undo(canvas, picture));
        ASSERT_EQ(canvas, states[states.size() - 1 - back]) << back << " steps back";
    }
    EXPECT_FALSE(h.undo(canvas, picture));
    // Undoing and redoing takes no more memory than the steps did.
    EXPECT_LE(h.bytes(), CanvasHistory::kMaxBytes);
}

TEST(CanvasHistory, ThePictureUnderTheCanvasGoesBackWithItsStep)
{
    CanvasHistory h;
    QImage canvas = blank(), picture;
    QImage house = blank(50);
    dab(house, 1, 1, Qt::black);
    h.begin(canvas, picture);
    picture = house;
    dab(canvas, 1, 1, Qt::black);
    h.commit(canvas, picture);
    ASSERT_TRUE(h.undo(canvas, picture));
    EXPECT_TRUE(picture.isNull());
    ASSERT_TRUE(h.redo(canvas, picture));
    EXPECT_EQ(picture, house);
}

TEST(Undo, StrokesFillsAndClearsGoBackOneAtATimeWithTheKeys)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.show();
    const QImage start = t.canvas().image();
    f.pic_Paint->setForeColor(0x0000FF);
    intTool = 0;
    stroke(f, {20, 20}, {120, 20});
    const QImage afterStroke = t.canvas().image();
    intTool = 1;
    stroke(f, {200, 200}, {220, 220});
    const QImage afterSpray = t.canvas().image();
    intTool = 2;
    f.pic_Paint->setFillColor(0x00FF00);
    f.pic_Paint_MouseDown(1, 0, 300, 300);
    f.pic_Paint_MouseUp(1, 0, 300, 300);
    const QImage afterFill = t.canvas().image();
    t.click(btnClear);
    EXPECT_NE(t.canvas().image(), afterFill);

    for (const QImage& expected : {afterFill, afterSpray, afterStroke, start}) {
        key(f, Qt::Key_Z);
        EXPECT_EQ(t.canvas().image(), expected);
    }
    key(f, Qt::Key_Z); // nothing more to take back
    EXPECT_EQ(t.canvas().image(), start);
    key(f, Qt::Key_Y);
    EXPECT_EQ(t.canvas().image(), afterStroke);
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(t.canvas().image(), afterSpray);
    EXPECT_EQ(t.ends, 0);
}

TEST(Undo, AnOpenedFigureGoesBackWholeAndComesBackToBeJoinedOn)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    intTool = 0;
    f.pic_Paint->setForeColor(0x0000FF);
    stroke(f, {30, 300}, {90, 300});
    const QImage painting = t.canvas().image();

    t.folders.mkdir("app/pictures");
    t.folders.write("app/pictures/cat.bmp", pictureBytes("BMP", 401, 401, Qt::yellow));
    t.folders.write("app/pictures/cat.INI", "[coords]\r\n3\r\n100\t50\r\n150\t120\r\n50\t120\r\n");
    bolPictureChosen = true;
    strChosenPicture = t.folders.path("app/pictures/cat.bmp");
    strChosenINI = t.folders.path("app/pictures/cat.INI");
    strChosenName.clear();
    strChosenSound.clear();
    f.openChosenPicture();
    ASSERT_EQ(intTool, 3);
    f.pic_Paint_MouseDown(1, 0, 150, 120); // the first line of the figure
    EXPECT_EQ(Figure.intLineNext, 2);
    const QImage halfJoined = t.canvas().image();

    key(f, Qt::Key_Z);
    EXPECT_EQ(t.canvas().image(), painting);
    EXPECT_EQ(intTool, 2);
    EXPECT_FALSE(Figure.hasFigure());
    EXPECT_TRUE(f.img_Button[btnDraw]->isEnabled());

    // Brought again, it is joined on from where it was; a click beside the dots floods nothing.
    key(f, Qt::Key_Y);
    EXPECT_EQ(t.canvas().image(), halfJoined);
    ASSERT_EQ(intTool, 3);
    EXPECT_EQ(Figure.intLineNext, 2);
    EXPECT_FALSE(f.img_Button[btnDraw]->isEnabled());
    f.pic_Paint_MouseDown(1, 0, 300, 300);
    f.pic_Paint_MouseUp(1, 0, 300, 300);
    EXPECT_EQ(t.canvas().image(), halfJoined);
    f.pic_Paint_MouseDown(1, 0, 50, 120); // the last dot
    EXPECT_EQ(intTool, 2);
    const QImage complete = t.canvas().image();
    EXPECT_NE(complete, halfJoined);
    // The figure with all its joining is still one step.
    key(f, Qt::Key_Z);
    EXPECT_EQ(t.canvas().image(), painting);
    key(f, Qt::Key_Y);
    EXPECT_EQ(t.canvas().image(), complete);
    EXPECT_EQ(intTool, 2);
    key(f, Qt::Key_Z);
    // The cleared canvas is white again, not the picture that was taken back.
    t.click(btnClear);
    EXPECT_EQ(t.canvas().Point(200, 200), 0xFFFFFF);
    bolPictureChosen = false;
    strChosenPicture.clear();
    strChosenINI.clear();
    Figure.clear();
}

TEST(Undo, TheSkinnedButtonsShowWhetherThereIsAnythingToTakeBack)
{
    PaintWindowTest t;
    for (const char* n : {"un.bmp", "ui.bmp", "rn.bmp", "ri.bmp"})
        t.writePicture(n, 30, 20, Qt::green);
    t.folders.write("app/gfx/ui.bmp", pictureBytes("BMP", 30, 20, Qt::gray));
    t.folders.write("app/gfx/ri.bmp", pictureBytes("BMP", 30, 20, Qt::gray));
    PaintSettings.undoButton = HistoryButton{true, {"un.bmp", {}}, {}, {}, {"ui.bmp", {}}, "Take back", 20, 420};
    PaintSettings.redoButton = HistoryButton{true, {"rn.bmp", {}}, {}, {}, {"ri.bmp", {}}, "Again", 60, 420};
    frm_Paint& f = t.open();
    f.show();
    ASSERT_NE(f.img_Undo, nullptr);
    ASSERT_NE(f.img_Redo, nullptr);
    EXPECT_EQ(f.img_Undo->geometry(), QRect(20, 420, 30, 20));
    EXPECT_EQ(f.img_Undo->toolTip(), "Take back");
    const QRgb gray = QColor(Qt::gray).rgb(), green = QColor(Qt::green).rgb();
    EXPECT_EQ(f.img_Undo->picture().pixel(0, 0), gray);

    const QImage start = t.canvas().image();
    intTool = 0;
    stroke(f, {20, 20}, {120, 20});
    EXPECT_TRUE(f.img_Undo->available());
    EXPECT_EQ(f.img_Undo->picture().pixel(0, 0), green);
    EXPECT_FALSE(f.img_Redo->available());
    QTest::mouseClick(f.img_Undo, Qt::LeftButton);
    EXPECT_EQ(t.canvas().image(), start);
    EXPECT_FALSE(f.img_Undo->available());
    EXPECT_TRUE(f.img_Redo->available());
    QTest::mouseClick(f.img_Redo, Qt::LeftButton);
    EXPECT_NE(t.canvas().image(), start);

    // From the keyboard a button with no step to go is passed over: Space on undo takes the
    // only step back, and the frame goes on to redo in its place.
    f.keyboard()->moveTo(f.img_Undo);
    QTest::keyClick(&f, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.canvas().image() == start; }));
    EXPECT_EQ(f.keyboard()->current(), f.img_Redo);

    // Without the sections there are no buttons.
    PaintSettings.undoButton = HistoryButton();
    PaintSettings.redoButton = HistoryButton();
    frm_Paint& plain = t.open();
    EXPECT_EQ(plain.img_Undo, nullptr);
    EXPECT_EQ(plain.findChildren<HistoryButtonControl*>().size(), 0);
}
