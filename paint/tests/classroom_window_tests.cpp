// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/tests/paintwindow_fixture.h"
#include "paint/printlimit.h"
#include "platform/printer.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Counts the print jobs asked for; each finds no printer, so nothing is printed.
struct PrintCounter {
    int jobs = 0;
    PrintCounter()
    {
        setPrinterMaker([this](QString* why) {
            ++jobs;
            *why = QStringLiteral("There is no printer on this computer.");
            return std::unique_ptr<QPrinter>();
        });
    }
    ~PrintCounter() { setPrinterMaker({}); }
};
}

TEST(Classroom, NoQuitLeavesOnlyTheAdultsKeyToEnd)
{
    PaintWindowTest t;
    PaintSettings.classroom.noquit = true;
    frm_Paint& f = t.open();
    f.show();
    QTest::keyClick(&f, Qt::Key_Escape);
    QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier);
    t.click(btnQuit);
    f.img_ExitSmall_Click();
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(t.ends, 0);

    PaintSettings.classroom.noquit = false;
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_EQ(t.ends, 1);
}

TEST(Classroom, PrintingOffKeepsThePrintButtonInactive)
{
    PaintWindowTest t;
    PaintSettings.classroom.print = false;
    PrintCounter printer;
    t.open();
    EXPECT_EQ(t.shown(btnPrint), t.face(btnPrint, 3));
    t.form->img_Button_MouseMove(btnPrint, 0, 0, 5, 5);
    t.click(btnPrint);
    EXPECT_EQ(printer.jobs, 0);
    EXPECT_EQ(t.shown(btnPrint), t.face(btnPrint, 3));
    EXPECT_TRUE(t.boxes.messages.isEmpty());
}

TEST(Classroom, APrintTooSoonAfterTheLastIsRefusedUntilTheRestIsOver)
{
    PaintWindowTest t;
    PaintSettings.classroom.printdelay = 1;
    PrintCounter printer;
    t.open();
    EXPECT_EQ(t.shown(btnPrint), t.face(btnPrint, 0));
    t.click(btnPrint);
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_EQ(t.shown(btnPrint), t.face(btnPrint, 3));
    for (int i = 0; i < 5; ++i)
        t.click(btnPrint);
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_EQ(t.shown(btnPrint), t.face(btnPrint, 3));
    EXPECT_EQ(t.boxes.messages.size(), 1); // the one job's missing printer; the refused presses say nothing
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.shown(btnPrint) == t.face(btnPrint, 0); }, 5000)) << "the print button came back";
    t.click(btnPrint);
    EXPECT_EQ(printer.jobs, 2);

    // With words for it, a press too soon says them, once for each press, and still prints nothing.
    PaintSettings.classroom.printwait = QStringLiteral("The printer is resting. Try again soon!");
    t.click(btnPrint);
    t.click(btnPrint);
    EXPECT_EQ(printer.jobs, 2);
    ASSERT_EQ(t.boxes.messages.size(), 4);
    EXPECT_EQ(t.boxes.messages[3].text, PaintSettings.classroom.printwait);
}

TEST(Classroom, ThePrintLimitCountsFromTheLastPrint)
{
    PrintLimit free;
    free.printed(1000);
    EXPECT_TRUE(free.mayPrint(1000));
    PrintLimit off(false, 0);
    EXPECT_FALSE(off.mayPrint(0));
    EXPECT_EQ(off.restMs(0), 0);
    PrintLimit rest(true, 10);
    EXPECT_TRUE(rest.mayPrint(0));
    rest.printed(5000);
    EXPECT_FALSE(rest.mayPrint(5000));
    EXPECT_EQ(rest.restMs(9000), 6000);
    EXPECT_FALSE(rest.mayPrint(14999));
    EXPECT_TRUE(rest.mayPrint(15000));
    EXPECT_TRUE(rest.mayPrint(4000)); // a clock set back does not lock printing for good
}

TEST(Classroom, FullScreenCentresTheWindowsPictureAndKeepsTheCanvasSize)
{
    PaintWindowTest t;
    PaintSettings.classroom.fullscreen = true;
    frm_Paint& f = t.open();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(f.size(), screen.size());
    EXPECT_EQ(f.pic_Background->geometry().center(), QRect(QPoint(0, 0), screen.size()).center());
    EXPECT_EQ(f.pic_Background->size(), QSize(641, 481));
    EXPECT_EQ(t.canvas().image().size(), QSize(401, 401));
    // The margin is the colour of the window picture's edge (yellow in this theme).
    EXPECT_EQ(f.palette().color(QPalette::Window), QColor(Qt::yellow));
    // Drawing lands where it did: the canvas's own coordinates are unchanged.
    f.pic_Paint->setForeColor(0x0000FF);
    intTool = 0;
    f.pic_Paint_MouseDown(1, 0, 100, 100);
    f.pic_Paint_MouseUp(1, 0, 100, 100);
    EXPECT_EQ(t.canvas().Point(100, 100), 0x0000FF);
}
