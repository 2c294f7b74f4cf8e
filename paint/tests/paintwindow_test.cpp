// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paintwindow_fixture.h"

#include "common/gfx.h"
#include "paint/keyboardfocus.h"
#include "paint/lineini.h"
#include "paint/printcanvas.h"
#include "platform/printer.h"

#include <QPrinter>
#include <QFile>
#include <QTest>
#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {
constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00C800;

int countColour(const PictureBox& box, uint32_t bgr)
{
    int n = 0;
    for (int y = 0; y < box.ScaleHeight(); ++y)
        for (int x = 0; x < box.ScaleWidth(); ++x)
            n += box.Point(x, y) == bgr ? 1 : 0;
    return n;
}
}

TEST(PaintWindow, IsLaidOutInTwipsAtFifteenToThePixel)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    EXPECT_EQ(f.size(), QSize(641, 481));
    EXPECT_EQ(f.pic_Paint->geometry(), QRect(224, 16, 401, 401));
    EXPECT_EQ(f.pic_Palette->geometry(), QRect(16, 432, 609, 33));
    EXPECT_EQ(f.img_Button[btnDraw]->geometry(), QRect(16, 16, 89, 89));
    EXPECT_EQ(f.img_Button[btnQuit]->geometry(), QRect(120, 376, 89, 41));
    EXPECT_EQ(f.img_Button[btnSound]->geometry(), QRect(16, 376, 89, 41));
    EXPECT_EQ(f.shp_CurrentColor->geometry(), QRect(120, 16, 89, 89));
    EXPECT_EQ(f.img_Current->geometry(), QRect(144, 40, 41, 41));
    EXPECT_EQ(f.img_ExitSmall->geometry(), QRect(625, 0, 16, 14));
    EXPECT_EQ(f.img_HelpSmall->geometry(), QRect(609, 0, 16, 14));
    EXPECT_EQ(f.pic_Paint->DrawWidth(), 5);
    EXPECT_EQ(f.intSprayDots, 40);
    EXPECT_EQ(f.pic_Paint->Point(0, 0), kWhite);
}

TEST(PaintWindow, TheStartSoundPlaysOnceOnTheFirstActivation)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.Form_Activate();
    f.Form_Activate();
    f.show();
    QApplication::setActiveWindow(&f);
    QApplication::processEvents();
    EXPECT_EQ(t.sounds.calls->filter("load start.wav").size(), 1);

    PaintWindowTest u; // no start sound file: nothing, then never again
    PaintSettings.interface.startsound = "missing.wav";
    frm_Paint& g = u.open();
    g.Form_Activate();
    EXPECT_TRUE(g.bolStartSoundPlayed);
    EXPECT_TRUE(bolButtonSound);
}

TEST(PaintWindow, DrawStrokesFollowTheButtonAndLeaveADotOnAClick)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint_MouseDown(1, 0, 50, 50);
    EXPECT_TRUE(f.bolMouseDown);
    EXPECT_EQ(f.pic_Paint->Point(50, 50), kRed);
    EXPECT_EQ(f.pic_Paint->Point(52, 50), kRed) << "a dot of the pen width";
    f.pic_Paint_MouseMove(1, 0, 120.6, 50);
    EXPECT_EQ(f.intLastX, 121);
    EXPECT_EQ(f.pic_Paint->Point(90, 50), kRed);
    // Outside the canvas the stroke goes on, clipped, and comes back.
    f.pic_Paint_MouseMove(1, 0, 500, 50);
    f.pic_Paint_MouseMove(1, 0, 300, 200);
    EXPECT_EQ(f.pic_Paint->Point(380, 140), kRed);
    f.pic_Paint_MouseUp(1, 0, 300, 200);
    EXPECT_FALSE(f.bolMouseDown);
    const QImage after = f.pic_Paint->image();
    f.pic_Paint_MouseMove(0, 0, 10, 300);
    EXPECT_EQ(f.pic_Paint->image(), after);
    // The right button does nothing.
    f.pic_Paint_MouseDown(2, 0, 10, 300);
    EXPECT_FALSE(f.bolMouseDown);
    EXPECT_EQ(f.pic_Paint->image(), after);
}

// The window can miss the end of a stroke: the button let go while it was minimised, Space let
// go in another window. The pen then comes up; it never draws on by itself.
TEST(PaintWindow, AStrokeWhoseEndTheWindowMissedDrawsNoFurther)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint_MouseDown(1, 0, 50, 50);
    f.pic_Paint_MouseMove(1, 0, 100, 50);
    f.pic_Paint_MouseMove(0, 0, 100, 300);
    EXPECT_FALSE(f.bolMouseDown);
    EXPECT_EQ(f.pic_Paint->Point(100, 200), kWhite);

    f.keyboard()->moveTo(f.pic_Paint);
    QTest::keyPress(&f, Qt::Key_Space);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&f, Qt::Key_Right);
    EXPECT_EQ(f.pic_Paint->Point(210, 200), kRed);
    QEvent away(QEvent::WindowDeactivate);
    QApplication::sendEvent(&f, &away);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(&f, Qt::Key_Down);
    EXPECT_EQ(f.pic_Paint->Point(224, 215), kWhite) << "the keyboard's pen drew on after Space was let go elsewhere";

    // A button pressed and let go elsewhere shows its down picture only while it is held.
    t.press(btnSpray);
    f.img_Button_MouseMove(btnSpray, 1, 0, 6, 6);
    EXPECT_EQ(f.intButtonState[btnSpray], bsPressed);
    f.img_Button_MouseMove(btnSpray, 0, 0, 6, 6);
    EXPECT_NE(f.intButtonState[btnSpray], bsPressed);
    EXPECT_EQ(t.shown(btnSpray), t.face(btnSpray, 1)) << "not lit as the mouse is over it";
    EXPECT_EQ(intTool, btnDraw) << "a forgotten press chose its tool";
}

TEST(PaintWindow, RealMouseEventsReachTheCanvas)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    QTest::mousePress(f.pic_Paint, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseMove(f.pic_Paint, QPoint(80, 30));
    QMouseEvent move(QEvent::MouseMove, QPointF(80, 30), f.pic_Paint->mapToGlobal(QPointF(80, 30)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.pic_Paint, &move);
    QTest::mouseRelease(f.pic_Paint, Qt::LeftButton, Qt::NoModifier, QPoint(80, 30));
    EXPECT_EQ(f.pic_Paint->Point(55, 30), kRed);
    EXPECT_FALSE(f.bolMouseDown);
}

TEST(PaintWindow, TheLockColourRefusesDrawSprayAndFill)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setDrawWidth(1);
    f.pic_Paint->Line(0, 200, 400, 200, 0); // black line art
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint->setFillColor(kRed);
    const QImage before = f.pic_Paint->image();
    for (int16_t tool : {0, 1, 2}) {
        intTool = tool;
        f.pic_Paint_MouseDown(1, 0, 100, 200);
        EXPECT_FALSE(f.bolMouseDown) << tool;
        f.pic_Paint_MouseMove(1, 0, 150, 150);
        EXPECT_EQ(f.pic_Paint->image(), before) << "tool " << tool;
    }
    // Another lock colour leaves black paintable.
    PaintSettings.function.lockcolor = 0x00FF00;
    intTool = 2;
    f.pic_Paint_MouseDown(1, 0, 100, 200);
    EXPECT_EQ(f.pic_Paint->Point(300, 200), kRed);
}

TEST(PaintWindow, FillFillsTheAreaAndNothingOnItsOwnColour)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setDrawWidth(1);
    f.pic_Paint->Line(0, 100, 400, 100, 0);
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint->setFillColor(kRed);
    intTool = 2;
    f.pic_Paint_MouseDown(1, 0, 50, 50);
    EXPECT_EQ(f.pic_Paint->Point(399, 0), kRed);
    EXPECT_EQ(f.pic_Paint->Point(50, 300), kWhite);
    const QImage filled = f.pic_Paint->image();
    f.pic_Paint_MouseDown(1, 0, 60, 60);
    EXPECT_EQ(f.pic_Paint->image(), filled);
    EXPECT_FALSE(f.bolMouseDown);
}

TEST(PaintWindow, SprayDotsLandFromNineLeftToElevenRightOfThePointer)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    intTool = 1;
    f.pic_Paint_MouseDown(1, 0, 200, 200);
    for (int i = 0; i < 30; ++i)
        f.Spray(200, 200);
    int minX = 999, maxX = -999, minY = 999, maxY = -999, dots = 0;
    for (int y = 0; y < 401; ++y)
        for (int x = 0; x < 401; ++x)
            if (f.pic_Paint->Point(x, y) == kRed) {
                minX = std::min(minX, x - 200), maxX = std::max(maxX, x - 200);
                minY = std::min(minY, y - 200), maxY = std::max(maxY, y - 200);
                ++dots;
            }
    EXPECT_GE(minX, -9);
    EXPECT_LE(maxX, 11);
    EXPECT_GE(minY, -9);
    EXPECT_LE(maxY, 11);
    EXPECT_GT(dots, 200) << "dots of one pixel, spread over the square";
    // The ends of the generator's range give the ends of the square.
    f.pic_Paint->Cls();
    f.Rnd = [] { return 0.0; };
    f.Spray(100, 100);
    EXPECT_EQ(f.pic_Paint->Point(111, 111), kRed);
    f.Rnd = [] { return std::nextafter(1.0, 0.0); };
    f.Spray(100, 100);
    EXPECT_EQ(f.pic_Paint->Point(91, 91), kRed);
    EXPECT_EQ(countColour(*f.pic_Paint, kRed), 2);
    // Dots that fall outside the canvas are clipped.
    f.Rnd = [] { return 0.0; };
    f.Spray(395, 395);
    EXPECT_EQ(countColour(*f.pic_Paint, kRed), 2);
}

TEST(PaintWindow, ClearClearsButKeepsTheLoadedPictureWithAWhitenedBackground)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    QImage picture(401, 401, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200)); // grey paper
    for (int x = 100; x < 300; ++x)
        picture.setPixel(x, 200, qRgb(0, 0, 0));
    f.pic_Paint->setPicture(picture);
    f.pic_Paint->PSet(50, 300, kRed);
    t.click(btnClear);
    EXPECT_EQ(f.pic_Paint->Point(50, 300), kWhite);
    EXPECT_EQ(f.pic_Paint->Point(150, 200), 0) << "the picture stays";
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0x0000FFu);
    EXPECT_EQ(f.pic_Paint->FillColor(), 0x0000FFu);
    // While a figure is in progress the clear button changes nothing.
    f.pic_Paint->PSet(50, 300, kRed);
    intTool = 3;
    t.click(btnClear);
    EXPECT_EQ(f.pic_Paint->Point(50, 300), kRed);
}

TEST(PaintWindow, ThePalettePicksWithAnyButtonAndSnapsOnFewColourDisplays)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Palette_MouseDown(2, 0, 100, 10);
    EXPECT_EQ(f.pic_Paint->ForeColor(), kGreen);
    EXPECT_EQ(f.pic_Paint->FillColor(), kGreen);
    EXPECT_EQ(f.shp_CurrentColor->backColor(), kGreen);
    gfxSetDepthForTests(4);
    f.pic_Palette_MouseDown(1, 0, 300, 10); // &HE02020 shows as pure blue on 16 colours
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0xFF0000u);
    gfxSetDepthForTests(8);
    f.pic_Palette_MouseDown(1, 0, 500, 10); // on the colour cube: kept
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0x996633u);
    gfxSetDepthForTests(0);
    f.pic_Palette_MouseDown(1, 0, 300, 10);
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0xE02020u);
}

TEST(PaintWindow, KeysEndAndFOneDoesNotEndTheProgram)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    PaintSettings.help.active = false; // F1 then shows nothing, so the test need not close it
    QTest::keyClick(&f, Qt::Key_F1);
    EXPECT_EQ(t.ends, 0);
    QTest::keyClick(&f, Qt::Key_A);
    EXPECT_EQ(t.ends, 0);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_EQ(t.ends, 1);
    QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(t.ends, 2);
    QTest::keyClick(&f, Qt::Key_F4);
    EXPECT_EQ(t.ends, 2);
}

TEST(PaintWindow, EnableAndUnableLeaveTheWindowUsable)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    f.UnablePaintInterface();
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    f.DeActivate(-1);
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(f.intButtonState[size_t(i)], bsInactive);
        EXPECT_FALSE(f.img_Button[size_t(i)]->isEnabled());
        EXPECT_EQ(t.shown(i), t.face(i, 3));
    }
    f.Activate();
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(f.intButtonState[size_t(i)], bsNormal);
        EXPECT_TRUE(f.img_Button[size_t(i)]->isEnabled());
        EXPECT_EQ(t.shown(i), t.face(i, 0));
    }
    // DeActivate keeps the button it is given, and hides one without an inactive picture.
    PaintSettings.buttons[btnSpray].inactive.file.clear();
    f.DeActivate(btnDraw);
    EXPECT_EQ(f.intButtonState[btnDraw], bsNormal);
    EXPECT_TRUE(f.img_Button[btnSpray]->isHidden());
}

namespace {
// A figure given straight to the window, as the picture loader leaves it.
void giveFigure(frm_Paint& f, std::initializer_list<QPointF> points)
{
    Figure.clear();
    Figure.points.clear();
    for (const QPointF& p : points)
        Figure.points.push_back(LinePoint{float(p.x()), float(p.y())});
    Figure.points.push_back(LinePoint{});
    Figure.intLineCount = int16_t(points.size());
    Figure.intLineNext = 1;
    f.DeActivate(-1);
    intTool = 3;
}
}

TEST(DotToDot, ADotIsHitInsideFourPixelsAndMissedAtFour)
{
    EXPECT_TRUE(pntDotHit(100, 50, 103.9, 46.1));
    EXPECT_TRUE(pntDotHit(100, 50, 96.1, 53.9));
    EXPECT_FALSE(pntDotHit(100, 50, 104, 50));
    EXPECT_FALSE(pntDotHit(100, 50, 100, 46));
    EXPECT_FALSE(pntDotHit(100, 50, 96, 53));

    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint->setDrawWidth(1);
    giveFigure(f, {{100, 50}, {150, 120}, {50, 120}});
    f.pic_Paint_MouseDown(1, 0, 154, 120); // a miss
    EXPECT_EQ(Figure.intLineNext, 1);
    EXPECT_EQ(f.pic_Paint->Point(125, 85), kWhite);
    f.pic_Paint_MouseDown(2, 0, 150, 120); // the right button never hits
    EXPECT_EQ(Figure.intLineNext, 1);
    f.pic_Paint_MouseDown(1, 0, 153.9, 116.1);
    EXPECT_EQ(Figure.intLineNext, 2);
    EXPECT_EQ(f.pic_Paint->Point(125, 85), kRed) << "a line from the start to the point hit";
    f.pic_Paint_MouseDown(1, 0, 100, 50); // an earlier point is no hit
    EXPECT_EQ(Figure.intLineNext, 2);
    EXPECT_EQ(intTool, 3);
}

TEST(DotToDot, AClickIsTestedWhereItReallyWasNotWhereQtRoundedIt)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    giveFigure(f, {{100, 50}, {150, 120}, {50, 120}});
    // Under display scaling a click lands between whole pixels: 3.85 pixels right of the dot.
    // Qt hands the canvas 154, rounded; the position in the window keeps 153.85.
    const QPointF inCanvas(153.85, 116.15);
    const QPointF inWindow = inCanvas + QPointF(f.pic_Paint->mapTo(&f, QPoint(0, 0)));
    QMouseEvent press(QEvent::MouseButtonPress, inCanvas.toPoint(), inWindow, f.mapToGlobal(inWindow), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.pic_Paint, &press);
    EXPECT_EQ(Figure.intLineNext, 2) << "a hit at 3.85 pixels";
}

TEST(DotToDot, TheLastHitCompletesTheFigureWithTheGoodSoundAndTheFillTool)
{
    PaintWindowTest t;
    PaintSettings.buttons[btnClear].active = false; // activemade: usable again afterwards
    frm_Paint& f = t.open();
    QImage picture(401, 401, QImage::Format_RGB32);
    picture.fill(Qt::white);
    f.pic_Paint->setPicture(picture);
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint->setDrawWidth(1);
    giveFigure(f, {{100, 50}, {150, 120}, {50, 120}});
    f.pic_Paint->PSet(300, 300, 0x00FF00); // a dot drawn on the canvas goes with the completion
    f.pic_Paint_MouseDown(1, 0, 150, 120);
    f.pic_Paint_MouseDown(1, 0, 50, 120);
    EXPECT_EQ(Figure.intLineNext, 3);
    EXPECT_EQ(intTool, 2);
    EXPECT_EQ(f.pic_Paint->Point(300, 300), kWhite);
    EXPECT_EQ(f.pic_Paint->Point(125, 85), kRed);
    EXPECT_EQ(f.pic_Paint->Point(100, 120), kRed);
    EXPECT_EQ(f.pic_Paint->Point(75, 85), kRed) << "the closing line back to the start";
    for (int i : {0, 1, 2})
        EXPECT_EQ(f.intButtonState[size_t(i)], bsNormal);
    EXPECT_TRUE(f.img_Button[btnDraw]->isEnabled());
    EXPECT_EQ(t.sounds.calls->filter("load").last(), "load good.wav");
    EXPECT_FALSE(bolButtonSound);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Painting goes on with the fill tool.
    f.pic_Paint_MouseDown(1, 0, 100, 100);
    EXPECT_EQ(f.pic_Paint->Point(100, 100), kRed);
}

TEST(DotToDot, ATwoPointFigureIsDoneWithOneHit)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->setForeColor(kRed);
    f.pic_Paint->setDrawWidth(1);
    giveFigure(f, {{20, 20}, {80, 20}});
    f.pic_Paint_MouseDown(1, 0, 80, 20);
    EXPECT_EQ(intTool, 2);
    EXPECT_EQ(f.pic_Paint->Point(50, 20), kRed);
}

TEST(Printing, NoPrinterOrAFailingOneGivesAMessageAndTheWindowComesBack)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.pic_Paint->PSet(10, 10, kRed);
    const QImage before = f.pic_Paint->image();
    setPrinterMaker([](QString* why) {
        *why = "There is no printer on this computer.";
        return std::unique_ptr<QPrinter>();
    });
    t.click(btnPrint);
    ASSERT_EQ(t.boxes.messages.size(), 1);
    EXPECT_TRUE(t.boxes.messages[0].text.contains("no printer"));
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The print service down is no missing printer: printing is only not available just now.
    setPrinterMaker({});
    cupsSetServer(QFile::encodeName(t.folders.path("no-cupsd.sock")).constData());
    t.click(btnPrint);
    cupsSetServer(nullptr);
    ASSERT_EQ(t.boxes.messages.size(), 2);
    EXPECT_EQ(t.boxes.messages[1].text,
              "Your painting could not be printed. Printing is not available just now: the print service does not answer.");
    EXPECT_TRUE(f.isEnabled());
    t.boxes.messages.removeLast();
    const QString bad = t.folders.path("no/such/folder/page.pdf");
    setPrinterMaker([bad](QString*) {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(bad);
        return printer;
    });
    t.click(btnPrint);
    setPrinterMaker({});
    ASSERT_EQ(t.boxes.messages.size(), 2);
    EXPECT_TRUE(t.boxes.messages[1].text.contains("could not be printed"));
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.pic_Paint->image(), before);
}
