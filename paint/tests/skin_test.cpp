// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paintwindow_fixture.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

enum Kind { N, H, D, I, C, M };

TEST(SetInterface, DressesTheWindowFromTheSettings)
{
    PaintWindowTest t;
    PaintSettings.buttons[btnSave].active = PaintSettings.buttons[btnSave].activemade = false;
    PaintSettings.buttons[btnOpen].active = PaintSettings.buttons[btnOpen].activemade = false;
    PaintSettings.buttons[btnOpen].inactive.file = "none.bmp";
    frm_Paint& f = t.open();
    EXPECT_TRUE(t.boxes.messages.isEmpty()) << qPrintable(t.boxes.texts().join('|'));
    EXPECT_EQ(f.img_Background->geometry(), QRect(0, 0, 641, 481));
    EXPECT_FALSE(f.img_Background->picture().isNull());
    EXPECT_EQ(t.shown(btnDraw), t.face(btnDraw, C)) << "draw starts current";
    EXPECT_EQ(f.intButtonState[btnDraw], bsCurrent);
    EXPECT_EQ(f.img_Current->picture().pixel(0, 0), t.face(btnDraw, M));
    EXPECT_EQ(t.shown(btnSpray), t.face(btnSpray, N));
    EXPECT_EQ(f.img_Button[btnSpray]->toolTip(), "Tip 1");
    // Neither active nor activemade: the inactive picture, or hidden when it has none.
    EXPECT_EQ(t.shown(btnSave), t.face(btnSave, I));
    EXPECT_TRUE(f.img_Button[btnOpen]->isHidden());
    EXPECT_TRUE(PaintSettings.buttons[btnOpen].inactive.file.isEmpty());
    EXPECT_EQ(PaintSettings.buttons[btnOpen].normal.file, "b6n.bmp") << "other slots keep their names";
    EXPECT_EQ(f.shp_CurrentColor->backColor(), 0x0000FFu);
    EXPECT_EQ(f.shp_CurrentColor->shape(), 4);
    EXPECT_FALSE(f.shp_CurrentColor->isHidden());
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0x0000FFu);
    EXPECT_EQ(f.pic_Paint->FillColor(), 0x0000FFu);
    EXPECT_EQ(f.pic_Palette->Point(10, 10), 0x00C800);
    EXPECT_FALSE(f.img_ExitSmall->isHidden());
    EXPECT_TRUE(bolButtonSound);
    EXPECT_EQ(t.sounds.calls->value(0), "load click.wav");
    EXPECT_EQ(intTool, 0);
}

TEST(SetInterface, MissingAndBrokenPicturesAreSkippedAndTheBackgroundReported)
{
    PaintWindowTest t;
    t.folders.write("app/gfx/back.bmp", "BM this is not a picture");
    PaintSettings.interface.smallhelp = "gone.bmp";
    PaintSettings.buttons[btnSpray].normal.file = "gone.bmp";
    PaintSettings.buttons[btnDraw].active = false; // activemade still set
    PaintSettings.current.active = false;
    PaintSettings.palette.active = false;
    PaintSettings.palette.inactive.file = "gone.bmp";
    frm_Paint& f = t.open();
    ASSERT_EQ(t.boxes.messages.size(), 1);
    EXPECT_EQ(t.boxes.messages[0].text,
              "Could not load main background picture\r''" + PaintSettings.gfx.expanded + "back.bmp''.");
    EXPECT_TRUE(f.img_HelpSmall->isHidden());
    EXPECT_FALSE(f.img_HelpSmall->isEnabled());
    EXPECT_TRUE(f.img_Button[btnSpray]->picture().isNull()) << "an empty picture, still there";
    EXPECT_FALSE(f.img_Button[btnSpray]->isHidden());
    EXPECT_TRUE(f.shp_CurrentColor->isHidden());
    EXPECT_TRUE(f.pic_Palette->isHidden());
    // Draw not active: the tool is fill, yet draw looks current (activemade).
    EXPECT_EQ(intTool, 2);
    EXPECT_EQ(f.intButtonState[btnDraw], bsCurrent);
}

TEST(SetInterface, NameTextSetsTheCanvasFontAndPenButNotTheFill)
{
    PaintWindowTest t;
    PaintSettings.nameText.active = true;
    PaintSettings.nameText.fontname = "Liberation Serif";
    PaintSettings.nameText.fontsize = 20;
    PaintSettings.nameText.forecolor = 0x00FF00;
    frm_Paint& f = t.open();
    EXPECT_EQ(f.pic_Paint->Font().family(), "Liberation Serif");
    EXPECT_EQ(f.pic_Paint->Font().pointSize(), 20);
    EXPECT_EQ(f.pic_Paint->ForeColor(), 0x00FF00u);
    EXPECT_EQ(f.pic_Paint->FillColor(), 0x0000FFu);
    EXPECT_EQ(f.shp_CurrentColor->backColor(), 0x0000FFu);
}

TEST(SetInterface, LoadsTheDialogButtonPictures)
{
    PaintWindowTest t;
    t.writePicture("up.bmp", 4, 4, Qt::green);
    t.writePicture("save.bmp", 4, 4, Qt::green);
    PaintSettings.open.buttons[OpenSettings::Up].inactive.file = "up.bmp";
    PaintSettings.open.buttons[OpenSettings::Open].inactive.file = "up.bmp"; // open has no inactive look
    PaintSettings.save.buttons[SaveSettings::Cancel].highlight.file = "save.bmp";
    t.open();
    EXPECT_FALSE(PaintSettings.open.buttons[OpenSettings::Up].inactive.picture.isNull());
    EXPECT_TRUE(PaintSettings.open.buttons[OpenSettings::Open].inactive.picture.isNull());
    EXPECT_FALSE(PaintSettings.save.buttons[SaveSettings::Cancel].highlight.picture.isNull());
}

TEST(ButtonStates, TheHighlightMovesFromOneButtonToTheNext)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.img_Button_MouseMove(btnClear, 0, 0, 3, 3);
    EXPECT_EQ(f.intButtonState[btnClear], bsHighlighted);
    EXPECT_EQ(t.shown(btnClear), t.face(btnClear, H));
    f.img_Button_MouseMove(btnPrint, 0, 0, 3, 3);
    EXPECT_EQ(f.intButtonState[btnPrint], bsHighlighted);
    EXPECT_EQ(f.intButtonState[btnClear], bsNormal);
    EXPECT_EQ(t.shown(btnClear), t.face(btnClear, N));
    // The canvas, the palette and the background take every highlight away.
    f.pic_Paint_MouseMove(0, 0, 50, 50);
    EXPECT_EQ(f.intButtonState[btnPrint], bsNormal);
    f.img_Button_MouseMove(btnPrint, 0, 0, 3, 3);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.pic_Background, &move);
    EXPECT_EQ(f.intButtonState[btnPrint], bsNormal);
    // The current tool does not light up.
    f.img_Button_MouseMove(btnDraw, 0, 0, 3, 3);
    EXPECT_EQ(f.intButtonState[btnDraw], bsCurrent);
}

TEST(ButtonStates, PressingAToolMakesItCurrentAndOnlyIt)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    const int loadsBefore = t.sounds.count("play");
    t.press(btnDraw); // already current: no click, no down picture
    EXPECT_EQ(t.sounds.count("play"), loadsBefore);
    EXPECT_EQ(t.shown(btnDraw), t.face(btnDraw, C));
    t.press(btnSpray);
    EXPECT_EQ(t.sounds.count("play"), loadsBefore + 1) << "the press clicks";
    EXPECT_EQ(t.shown(btnSpray), t.face(btnSpray, D));
    EXPECT_EQ(f.intButtonState[btnSpray], bsPressed);
    t.release(btnSpray);
    f.img_Button_Click(btnSpray);
    EXPECT_EQ(f.intButtonState[btnSpray], bsCurrent);
    EXPECT_EQ(t.shown(btnSpray), t.face(btnSpray, C));
    EXPECT_EQ(f.img_Current->picture().pixel(0, 0), t.face(btnSpray, M));
    EXPECT_EQ(f.intButtonState[btnDraw], bsNormal);
    EXPECT_EQ(t.shown(btnDraw), t.face(btnDraw, N));
    EXPECT_EQ(intTool, 1);
    t.click(btnFill);
    EXPECT_EQ(intTool, 2);
    EXPECT_EQ(f.intButtonState[btnSpray], bsNormal);
    // A button without a current picture goes back to normal and keeps the state machine going.
    PaintSettings.buttons[btnDraw].current.file.clear();
    t.click(btnDraw);
    EXPECT_EQ(f.intButtonState[btnDraw], bsNormal);
    EXPECT_EQ(f.intButtonState[btnFill], bsNormal);
    EXPECT_EQ(intTool, 0);
}

TEST(ButtonStates, TheQuitButtonEndsOnlyFromThePressedState)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    t.release(btnQuit); // a release without a press
    EXPECT_EQ(t.ends, 0);
    t.press(btnQuit);
    t.release(btnQuit);
    EXPECT_EQ(t.ends, 1);
    f.img_Button_Click(btnQuit);
    EXPECT_EQ(t.ends, 1);
}

TEST(ButtonStates, WithoutADownPictureOnlyTheSmallQuitButtonEnds)
{
    PaintWindowTest u;
    PaintSettings.buttons[btnQuit].down.file.clear();
    u.open();
    u.press(btnQuit);
    u.release(btnQuit);
    EXPECT_EQ(u.ends, 0);
    u.form->img_ExitSmall_Click();
    EXPECT_EQ(u.ends, 1);
}

TEST(ButtonStates, TheSoundButtonNeverClicks)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    const int before = t.sounds.count("play");
    t.press(btnSound);
    EXPECT_EQ(f.intButtonState[btnSound], bsPressed);
    t.release(btnSound);
    EXPECT_EQ(f.intButtonState[btnSound], bsNormal);
    f.img_Button_Click(btnSound); // no picture sound: nothing
    EXPECT_EQ(t.sounds.count("play"), before);
    f.strPictureSound = t.folders.app() + "/snd/name.wav";
    t.click(btnSound);
    EXPECT_EQ(t.sounds.count("play"), before + 1);
    EXPECT_EQ(t.sounds.calls->filter("load").last(), "load name.wav");
    EXPECT_FALSE(bolButtonSound);
}

TEST(ButtonStates, AnUnusableButtonIgnoresTheMouse)
{
    PaintWindowTest t;
    PaintSettings.buttons[btnClear].active = false; // activemade only
    frm_Paint& f = t.open();
    intTool = 3;
    const int before = t.sounds.count("play");
    f.img_Button_MouseMove(btnClear, 0, 0, 3, 3);
    t.press(btnClear);
    EXPECT_EQ(f.intButtonState[btnClear], bsNormal);
    EXPECT_EQ(t.sounds.count("play"), before);
    intTool = 0;
    t.press(btnClear);
    EXPECT_EQ(f.intButtonState[btnClear], bsPressed);
}

TEST(ButtonSound, DoneReopensTheClickAfterAnotherSoundAndRewindsTheClick)
{
    PaintWindowTest t;
    frm_Paint& f = t.open();
    f.Form_Activate();
    EXPECT_FALSE(bolButtonSound);
    EXPECT_EQ(t.sounds.calls->filter("load").last(), "load start.wav");
    f.mmc_Sound_Done(1);
    EXPECT_TRUE(bolButtonSound);
    EXPECT_EQ(t.sounds.calls->filter("load").last(), "load click.wav");
    EXPECT_TRUE(f.mmc_Sound->isOpen());
    t.press(btnClear);
    EXPECT_TRUE(f.mmc_Sound->isPlaying());
    f.mmc_Sound_Done(1); // the click ended: rewound, still open
    EXPECT_FALSE(f.mmc_Sound->isPlaying());
    EXPECT_TRUE(f.mmc_Sound->openFile().endsWith("click.wav"));
    // PlayButton with another sound open loads the click again.
    bolButtonSound = false;
    t.press(btnPrint);
    EXPECT_TRUE(f.mmc_Sound->openFile().endsWith("click.wav"));
}
