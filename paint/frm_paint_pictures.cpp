// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_paint.h"

#include "common/fileio.h"
#include "common/gfx.h"
#include "paint/frm_open.h"
#include "paint/frm_save.h"
#include "paint/lineini.h"
#include "paint/opendialog.h"
#include "paint/paintsettings.h"
#include "platform/forms.h"
#include "platform/imagecontrol.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <memory>

// The open and save buttons, and a chosen picture put on the canvas with its figure, name and
// sound.

void frm_Paint::openPicture()
{
    std::unique_ptr<OpenForm> form;
    if (PaintSettings.open.largeIcons)
        form = std::make_unique<frm_OpenLarge>(mmc_Sound, this);
    else
        form = std::make_unique<frm_Open>(mmc_Sound, this);
    showModal(form.get());
    form.reset();
    openChosenPicture();
}

void frm_Paint::openChosenPicture()
{
    // Leaving the dialog without a choice, or choosing a picture that cannot be read, keeps the
    // painting as it is: the canvas is cleared only once the picture has loaded.
    beginStep();
    SetPicture(true);
    // A figure is one step with its joining: the step ends when the figure is complete.
    if (intTool != 3)
        endStep();
}

void frm_Paint::savePainting()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    if (!saveForm) {
        if (PaintSettings.save.largeIcons)
            saveForm = new frm_SaveLarge(mmc_Sound, this);
        else
            saveForm = new frm_Save(mmc_Sound, this);
    }
    saveForm->canvas = pic_Paint;
    gfxShrinkPicture(*pic_Paint, *saveForm->pic_SavePicture);
    saveForm->pic_SavePicture->imageChanged();
    // The dialog is used while this window waits, so the pointer must not stay an hourglass.
    QApplication::restoreOverrideCursor();
    showModal(saveForm);
    EnablePaintInterface();
}

void frm_Paint::SetPicture(bool clearFirst)
{
    if (!bolPictureChosen)
        return;
    QString error;
    const QImage picture = loadPicture(strChosenPicture, &error);
    if (picture.isNull()) {
        // The canvas keeps what it had rather than turning into an empty page.
        msgBox(QStringLiteral("The picture cannot be opened: ") + error, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (clearFirst)
        pntClear();
    pic_Paint->Cls();
    pic_Paint->setPicture(picture);

    // A figure file that has vanished or holds no usable figure gives a picture without one.
    if (!strChosenINI.isEmpty() && pntOpenLineINI(strChosenINI) && Figure.hasFigure()) {
        pic_Paint->setFillColor(0);
        pic_Paint->setForeColor(0xFFFFFF);
        const int width = pic_Paint->DrawWidth();
        pic_Paint->setDrawWidth(1);
        for (int j = 0; j < Figure.intLineCount; ++j) {
            const LinePoint& p = Figure.points[j];
            gfxPrintShadowed(*pic_Paint, QLatin1Char(' ') + QString::number(j + 1), p.x - 7, p.y - 12, 0xFFFFFF, 0);
            pic_Paint->Circle(p.x, p.y, 3);
        }
        pic_Paint->setForeColor(0);
        pic_Paint->setDrawWidth(width);
        intTool = 3;
        lockToolsForFigure();
    } else {
        Figure.clear();
        // A figure left unfinished on the previous picture would keep the tools locked for good.
        if (intTool == 3) {
            intTool = 2;
            Activate();
        }
    }

    if (!strChosenName.isEmpty()) {
        if (PaintSettings.nameText.border) {
            gfxPrintShadowed(*pic_Paint, strChosenName, 10, 10, PaintSettings.nameText.forecolor, 0);
        } else {
            pic_Paint->setCurrentX(10);
            pic_Paint->setCurrentY(10);
            pic_Paint->Print(strChosenName);
        }
    }
    // Printing the name leaves the pen in the name's colour. The figure's lines are black; without
    // a figure the child paints on in the colour the colour box shows, not in black or the name's.
    if (intTool == 3)
        pic_Paint->setForeColor(0);
    else
        useShownColour();

    PaintButton& sound = PaintSettings.buttons[btnSound];
    ImageControl* soundButton = img_Button[btnSound];
    if (!strChosenSound.isEmpty() && fioFileExists(strChosenSound)) {
        strPictureSound = strChosenSound;
        soundButton->setEnabled(true);
        sound.active = true;
        if (!sound.normal.file.isEmpty() && fioFileExists(PaintSettings.gfx.expanded + sound.normal.file))
            soundButton->setPicture(sound.normal.picture);
    } else {
        strPictureSound.clear();
        soundButton->setEnabled(false);
        sound.active = false;
        if (!sound.inactive.file.isEmpty() && fioFileExists(PaintSettings.gfx.expanded + sound.inactive.file))
            soundButton->setPicture(sound.inactive.picture);
    }
}
