// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/gfx.h"
#include "paint/frm_open.h"
#include "paint/frm_save.h"
#include "paint/lineini.h"
#include "paintwindow_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// The paint window's theme plus catalogs and dressed dialogs.
struct DialogTest : PaintWindowTest {
    DialogTest()
    {
        auto& s = PaintSettings;
        folders.mkdir("app/pictures/Animals");
        folders.mkdir("app/user/Mine");
        s.picture.expanded = folders.app() + "/pictures/";
        s.catalog.expanded = folders.app() + "/user/";
        folders.write("app/pictures/Animals.bmp", pictureBytes("BMP", 8, 8, Qt::yellow));
        folders.write("app/user/Mine.bmp", pictureBytes("BMP", 8, 8, Qt::cyan));
        s.catalogs = {{"Animals", true}, {"Mine", false}, {}};
        const char* kinds[] = {"n", "h", "d", "i"};
        auto dress = [&](DialogButton& b, const QString& prefix) {
            PictureSlot* looks[] = {&b.normal, &b.highlight, &b.down, &b.inactive};
            for (int k = 0; k < 4; ++k) {
                looks[k]->file = prefix + kinds[k] + ".bmp";
                writePicture(looks[k]->file, 8, 8, Qt::GlobalColor(Qt::red + k));
            }
            b.tooltip = prefix;
        };
        for (int i = 0; i < 4; ++i)
            dress(s.open.buttons[size_t(i)], QStringLiteral("open%1").arg(i));
        for (int i = 0; i < 2; ++i)
            dress(s.save.buttons[size_t(i)], QStringLiteral("save%1").arg(i));
        s.open.sound = s.save.sound = "name.wav";
        s.buttons[btnSound].active = false;
    }

    // A picture of the Animals catalog; a figure gives it a figure file.
    QString picture(const QString& base, const QByteArray& figure = {}, bool sound = false)
    {
        const QString path = folders.app() + "/pictures/Animals/" + base + ".bmp";
        QImage art(401, 401, QImage::Format_RGB32);
        art.fill(Qt::white);
        for (int i = 50; i < 350; ++i)
            art.setPixel(i, 200, qRgb(0, 0, 0));
        art.save(path);
        folders.write("app/pictures/Animals/" + base + "_.bmp", pictureBytes("BMP", 33, 33, Qt::green));
        folders.write("app/pictures/Animals/" + base + ".dat", base.toUtf8() + " name\r\n");
        if (!figure.isEmpty())
            folders.write("app/pictures/Animals/" + base + ".INI", figure);
        if (sound)
            folders.write("app/pictures/Animals/" + base + ".wav", wavBytes(30));
        return path;
    }

    QRect at(const QWidget* w) const { return w->geometry(); }
};

const QByteArray kTriangle = "[settings]\r\nnumeric=1\r\n[coords]\r\n3\r\n100\t50\r\n150\t120\r\n50\t120\r\n";

} // namespace

TEST(DialogWindows, SmallAndLargeLayoutsInPixels)
{
    DialogTest t;
    t.open();
    frm_Open small(t.form->mmc_Sound);
    EXPECT_EQ(small.size(), QSize(401, 345));
    EXPECT_EQ(t.at(small.img_Catalog[7]), QRect(24 + 40 * 7, 24, 33, 33));
    EXPECT_EQ(t.at(small.img_Picture[31]), QRect(24 + 40 * 7, 88 + 40 * 3, 33, 33));
    EXPECT_EQ(t.at(small.img_Button[1]), QRect(352, 216, 33, 33));
    EXPECT_EQ(t.at(small.img_Button[3]), QRect(272, 272, 113, 57));
    EXPECT_EQ(t.at(small.img_ExitSmall), QRect(384, 0, 16, 14));
    EXPECT_EQ(t.at(small.img_Background), QRect(0, 0, 401, 345));

    frm_OpenLarge large(t.form->mmc_Sound);
    large.show();
    EXPECT_EQ(large.size(), QSize(701, 540));
    EXPECT_EQ(t.at(large.pic_Background), QRect(30, 29, 641, 481));
    EXPECT_EQ(t.at(large.img_Background), QRect(0, 0, 641, 481));
    EXPECT_EQ(t.at(large.img_Picture[9]), QRect(16 + 72, 112 + 72, 65, 65));
    EXPECT_EQ(t.at(large.img_Button[2]), QRect(16, 408, 113, 57));
    EXPECT_EQ(large.findChild<QWidget*>("img_Dirs_border"), nullptr);

    frm_Save save(t.form->mmc_Sound);
    EXPECT_EQ(save.size(), QSize(362, 210));
    EXPECT_EQ(t.at(save.pic_SavePicture), QRect(232, 80, 33, 33));
    EXPECT_EQ(t.at(save.img_Button[1]), QRect(232, 136, 113, 57));
    bolDebug = true;
    frm_SaveLarge saveLarge(t.form->mmc_Sound);
    bolDebug = false;
    saveLarge.show();
    EXPECT_EQ(saveLarge.size(), QSize(640, 480));
    EXPECT_EQ(t.at(saveLarge.pic_Background), QRect(0, 0, 641, 481));
    EXPECT_EQ(t.at(saveLarge.pic_SavePicture), QRect(408, 144, 65, 65));
    EXPECT_EQ(t.at(saveLarge.img_Catalog[1]), QRect(32 + 72, 32, 65, 65));
    EXPECT_NE(saveLarge.findChild<QWidget*>("img_Dirs_border"), nullptr);
}

TEST(DialogWindows, OpenShowsArrowsFramesAndPlaysItsSound)
{
    DialogTest t;
    t.open();
    for (int i = 0; i < 33; ++i)
        t.picture(QStringLiteral("p%1").arg(i, 2, 10, QLatin1Char('0')));
    const int plays = t.sounds.count("play");
    frm_Open dlg(t.form->mmc_Sound);
    EXPECT_EQ(t.sounds.count("play"), plays + 1);
    EXPECT_FALSE(dlg.img_Button[0]->isEnabled());
    EXPECT_EQ(dlg.states.intDialogButtonState[1], bsInactive);
    EXPECT_FALSE(dlg.img_Catalog[2]->isEnabled());
    EXPECT_EQ(dlg.img_Button[2]->toolTip(), "open2");

    dlg.img_Catalog_Click(0);
    EXPECT_TRUE(dlg.img_Button[1]->isEnabled());
    EXPECT_EQ(dlg.states.intDialogButtonState[1], bsNormal);
    EXPECT_FALSE(dlg.img_Picture[31]->picture().isNull());
    EXPECT_EQ(dlg.img_Picture[5]->toolTip(), "p05 name");
    dlg.img_picture_Click(2);
    EXPECT_FALSE(dlg.shp_File->isHidden());
    EXPECT_EQ(dlg.shp_File->geometry(), dlg.img_Picture[2]->geometry().adjusted(-2, -2, 2, 2));
    dlg.img_Button_Click(1);
    EXPECT_TRUE(dlg.shp_File->isHidden());
    EXPECT_TRUE(dlg.img_Picture[25]->picture().isNull());
    EXPECT_FALSE(dlg.img_Button[1]->isEnabled());
    dlg.img_Button_Click(0);
    EXPECT_FALSE(dlg.shp_File->isHidden());

    // Highlight, press and release follow the pictures; moving elsewhere takes the highlight.
    dlg.states.MouseMove(2);
    EXPECT_EQ(dlg.states.intDialogButtonState[2], bsHighlighted);
    dlg.states.MouseMove(3);
    EXPECT_EQ(dlg.states.intDialogButtonState[2], bsNormal);
    dlg.states.MouseDown(3);
    EXPECT_EQ(dlg.states.intDialogButtonState[3], bsPressed);
    dlg.states.MouseUp(3);
    EXPECT_EQ(dlg.states.intDialogButtonState[3], bsNormal);
}

TEST(OpenAndSetPicture, LeavingWithoutChoosingKeepsThePainting)
{
    DialogTest t;
    t.open();
    t.picture("cat");
    t.canvas().PSet(200, 300, 0x00FF00);
    frm_Open dlg(t.form->mmc_Sound);
    dlg.img_Catalog_Click(0);
    dlg.img_picture_Click(0);
    dlg.Form_KeyDown(Qt::Key_Escape);
    EXPECT_FALSE(bolPictureChosen);
    t.form->openChosenPicture();
    EXPECT_EQ(t.canvas().Point(200, 300), 0x00FF00);

    // Choosing a picture that turns out unreadable keeps the painting too, and says why.
    t.folders.write("app/pictures/Animals/cat.bmp", "garbage");
    dlg.img_picture_Click(0);
    dlg.opnOpenFile();
    ASSERT_TRUE(bolPictureChosen);
    t.form->openChosenPicture();
    EXPECT_EQ(t.canvas().Point(200, 300), 0x00FF00);
    ASSERT_FALSE(t.boxes.texts().isEmpty());
    EXPECT_TRUE(t.boxes.texts().last().contains("cat.bmp"));
}

TEST(OpenAndSetPicture, AFigureGetsNumberedDotsLockedToolsAndTheFigureTool)
{
    DialogTest t;
    t.open();
    t.picture("cat", kTriangle, true);
    frm_Open dlg(t.form->mmc_Sound);
    dlg.img_Catalog_Click(0);
    dlg.img_picture_Click(0);
    dlg.opnOpenFile();
    ASSERT_TRUE(bolPictureChosen);
    t.form->pntClear();
    t.form->SetPicture();
    EXPECT_EQ(intTool, 3);
    EXPECT_EQ(Figure.intLineCount, 3);
    EXPECT_EQ(Figure.intLineNext, 1);
    EXPECT_EQ(t.canvas().Point(100, 50), 0);        // the dot's black body
    EXPECT_EQ(t.canvas().Point(103, 50), 0xFFFFFF); // its white ring
    EXPECT_EQ(t.canvas().Point(60, 200), 0);        // the picture's own line
    EXPECT_FALSE(t.form->img_Button[btnDraw]->isEnabled());
    EXPECT_EQ(t.form->intButtonState[btnDraw], bsInactive);
    EXPECT_EQ(t.canvas().ForeColor(), 0u);
    // The picture's sound switches the sound button on.
    EXPECT_TRUE(PaintSettings.buttons[btnSound].active);
    EXPECT_TRUE(t.form->img_Button[btnSound]->isEnabled());
    EXPECT_TRUE(t.form->strPictureSound.endsWith("cat.wav"));

    t.form->pic_Paint_MouseDown(1, 0, 150, 120);
    t.form->pic_Paint_MouseDown(1, 0, 50, 120);
    EXPECT_EQ(intTool, 2);
    EXPECT_TRUE(t.form->img_Button[btnDraw]->isEnabled());
}

TEST(OpenAndSetPicture, AfterAPictureThePenAndFillAreTheColourTheBoxShows)
{
    DialogTest t;
    PaintSettings.nameText.border = true;
    PaintSettings.nameText.active = true;
    PaintSettings.nameText.forecolor = 0x2010D0; // the name in red
    PaintSettings.current.startcolor = 0x00C000; // the box in green
    t.open();
    t.picture("cat", kTriangle);
    auto choose = [&t](int cell) {
        frm_Open dlg(t.form->mmc_Sound);
        dlg.img_Catalog_Click(0);
        dlg.img_picture_Click(cell);
        dlg.opnOpenFile();
        t.form->openChosenPicture();
    };
    choose(0);
    ASSERT_EQ(intTool, 3);
    EXPECT_EQ(t.canvas().ForeColor(), 0u) << "the figure's lines are black, not in the name's colour";
    t.form->pic_Paint_MouseDown(1, 0, 150, 120);
    EXPECT_EQ(t.canvas().Point(125, 85), 0);
    t.form->pic_Paint_MouseDown(1, 0, 50, 120);
    ASSERT_EQ(intTool, 2);
    EXPECT_EQ(t.canvas().ForeColor(), 0x00C000u);
    EXPECT_EQ(t.canvas().FillColor(), 0x00C000u) << "not black, the lock colour";
    t.form->pic_Paint_MouseDown(1, 0, 390, 390);
    EXPECT_EQ(t.canvas().Point(390, 390), 0x00C000);

    // A picture without a figure: the box's colour at once, after the name is printed.
    t.form->pic_Palette_MouseDown(1, 0, 450, 10);
    const uint32_t picked = t.form->shp_CurrentColor->backColor();
    t.picture("dog");
    choose(1);
    EXPECT_EQ(intTool, 2);
    EXPECT_EQ(t.canvas().ForeColor(), picked);
    EXPECT_EQ(t.canvas().FillColor(), picked);
}

TEST(OpenAndSetPicture, ABrokenFigureOrNoneLeavesTheToolsAndEndsAnUnfinishedFigure)
{
    DialogTest t;
    t.open();
    t.picture("cat", kTriangle);
    t.picture("dog", "[coords]\r\n1\r\n5\t5\r\n");
    t.picture("eel");
    bolPictureChosen = true;
    strChosenPicture = t.folders.app() + "/pictures/Animals/cat.bmp";
    strChosenINI = t.folders.app() + "/pictures/Animals/cat.INI";
    strChosenName.clear();
    strChosenSound.clear();
    t.form->SetPicture();
    ASSERT_EQ(intTool, 3);

    strChosenPicture = t.folders.app() + "/pictures/Animals/dog.bmp";
    strChosenINI = t.folders.app() + "/pictures/Animals/dog.INI";
    t.form->SetPicture();
    EXPECT_EQ(intTool, 2);
    EXPECT_FALSE(Figure.hasFigure());
    EXPECT_TRUE(t.form->img_Button[btnDraw]->isEnabled());
    EXPECT_EQ(t.canvas().Point(5, 5), 0xFFFFFF);
    EXPECT_FALSE(PaintSettings.buttons[btnSound].active);
    EXPECT_FALSE(t.form->img_Button[btnSound]->isEnabled());

    intTool = 1;
    strChosenINI = t.folders.app() + "/pictures/Animals/vanished.INI";
    t.form->SetPicture();
    EXPECT_EQ(intTool, 1);

    // A picture that cannot be read keeps the canvas and says why.
    t.canvas().PSet(300, 300, 0x00FF00);
    t.folders.write("app/pictures/Animals/eel.bmp", "garbage");
    strChosenPicture = t.folders.app() + "/pictures/Animals/eel.bmp";
    t.form->SetPicture();
    EXPECT_EQ(t.canvas().Point(300, 300), 0x00FF00);
    ASSERT_FALSE(t.boxes.texts().isEmpty());
    EXPECT_TRUE(t.boxes.texts().last().contains("eel.bmp"));
}

TEST(SaveWindow, KeepsItsCatalogBetweenShowingsAndSavesTheCanvas)
{
    DialogTest t;
    t.open();
    frm_Save dlg(t.form->mmc_Sound);
    dlg.canvas = t.form->pic_Paint;
    ASSERT_EQ(dlg.dialog.catalogs.size(), 1); // the locked Animals are not offered
    dlg.show();
    dlg.img_Button_Click(SaveSettings::Save); // no catalog: a beep, still open
    EXPECT_TRUE(dlg.isVisible());
    dlg.img_Catalog_Click(0);
    EXPECT_FALSE(dlg.shp_Catalog->isHidden());
    EXPECT_EQ(dlg.img_SaveCatalog->picture().pixelColor(0, 0), QColor(Qt::cyan));
    dlg.img_Button_Click(SaveSettings::Cancel);
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    EXPECT_EQ(dlg.dialog.chosenSlot, 0);
    t.canvas().PSet(10, 10, 0x0000FF);
    gfxShrinkPicture(*t.form->pic_Paint, *dlg.pic_SavePicture);
    dlg.img_Button_Click(SaveSettings::Save);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.saved);
    EXPECT_EQ(dlg.savedNumber, 0);
    const QImage back(t.folders.app() + "/user/Mine/0.bmp");
    EXPECT_EQ(back.size(), QSize(401, 401));
    EXPECT_EQ(back.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_EQ(QImage(t.folders.app() + "/user/Mine/0_.bmp").size(), QSize(33, 33));

    // The folder gone: a message, nothing written, the dialog stays for another try.
    dlg.show();
    QDir(t.folders.app() + "/user/Mine").removeRecursively();
    t.folders.write("app/user/Mine", "file");
    dlg.img_Button_Click(SaveSettings::Save);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.saved);
    ASSERT_FALSE(t.boxes.texts().isEmpty());
    EXPECT_TRUE(t.boxes.texts().last().startsWith("The painting could not be saved"));
    dlg.Form_KeyPress(27);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(SaveWindow, TheLargePanelKeepsAHighlightThatTheMarginTakesAway)
{
    DialogTest t;
    t.open();
    frm_SaveLarge dlg(t.form->mmc_Sound);
    dlg.show();
    auto move = [](QWidget* w) {
        QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    };
    dlg.states.MouseMove(SaveSettings::Save);
    ASSERT_EQ(dlg.states.intDialogButtonState[0], bsHighlighted);
    move(dlg.pic_Background);
    EXPECT_EQ(dlg.states.intDialogButtonState[0], bsHighlighted);
    move(&dlg);
    EXPECT_EQ(dlg.states.intDialogButtonState[0], bsNormal);

    frm_OpenLarge open(t.form->mmc_Sound);
    open.show();
    open.states.MouseMove(OpenSettings::Open);
    move(open.img_Background);
    EXPECT_EQ(open.states.intDialogButtonState[OpenSettings::Open], bsNormal);
}
