// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/setinterface.h"

#include "common/fileio.h"
#include "common/sounddevice.h"
#include "paint/frm_paint.h"
#include "paint/paintmessages.h"
#include "paint/paintsettings.h"
#include "platform/imagecontrol.h"
#include "platform/msgbox.h"
#include "platform/picture.h"
#include "platform/picturebox.h"

bool pntLoadSlot(PictureSlot& slot, const QString& folder, QSize shown)
{
    // One open: a file that is missing or does not decode leaves the slot empty.
    slot.picture = slot.file.isEmpty() ? QImage() : loadPicture(folder + slot.file, nullptr, shown);
    return !slot.picture.isNull();
}

namespace {
void loadOrForget(PictureSlot& slot, const QString& folder)
{
    if (!pntLoadSlot(slot, folder))
        slot.file.clear();
}

void loadDialogButton(DialogButton& b, const QString& folder, bool withInactive)
{
    pntLoadSlot(b.normal, folder);
    pntLoadSlot(b.highlight, folder);
    pntLoadSlot(b.down, folder);
    if (withInactive)
        pntLoadSlot(b.inactive, folder);
}

void smallButton(ImageControl* image, PictureSlot& slot, const QString& file, const QString& folder)
{
    slot.file = file;
    if (pntLoadSlot(slot, folder)) {
        image->setPicture(slot.picture);
    } else {
        image->hide();
        image->setEnabled(false);
    }
}
}

void SetInterface(frm_Paint& form)
{
    auto& s = PaintSettings;
    const QString gfx = s.gfx.expanded;

    form.img_Background->setGeometry(0, 0, form.pic_Background->width(), form.pic_Background->height());
    s.interface.backgroundSlot.file = s.interface.background;
    // The background is stretched over the window: a drawing is drawn at that size.
    if (pntLoadSlot(s.interface.backgroundSlot, gfx, form.img_Background->size()))
        form.img_Background->setPicture(s.interface.backgroundSlot.picture);
    else
        msgBox(paintMessage(pmsMainBackground, gfx + s.interface.background).text);

    form.mmc_Sound->setFileName(s.snd.expanded + s.interface.buttonsound);
    form.mmc_Sound->setCommand(QStringLiteral("open"));
    bolButtonSound = true;

    if (!s.buttons[btnDraw].active)
        intTool = 2;

    for (int i = 0; i < kPaintButtons; ++i) {
        PaintButton& b = s.buttons[size_t(i)];
        ImageControl* image = form.img_Button[size_t(i)];
        pntLoadSlot(b.normal, gfx);
        loadOrForget(b.inactive, gfx);
        pntLoadSlot(b.highlight, gfx);
        pntLoadSlot(b.down, gfx);
        pntLoadSlot(b.current, gfx);
        pntLoadSlot(b.curmini, gfx);
        if (!b.tooltip.isEmpty())
            image->setToolTip(b.tooltip);
        if (b.active || b.activemade)
            image->setPicture(b.normal.picture);
        else if (!b.inactive.file.isEmpty())
            image->setPicture(b.inactive.picture);
        else
            image->hide();
    }

    smallButton(form.img_HelpSmall, s.interface.smallhelpSlot, s.interface.smallhelp, gfx);
    smallButton(form.img_ExitSmall, s.interface.smallquitSlot, s.interface.smallquit, gfx);

    form.shp_CurrentColor->setBackColor(s.current.startcolor);
    form.pic_Paint->setFillColor(s.current.startcolor);
    form.pic_Paint->setForeColor(s.current.startcolor);
    form.shp_CurrentColor->setShape(s.current.shape);
    form.shp_CurrentColor->setVisible(s.current.active);

    pntLoadSlot(s.palette.normal, gfx);
    loadOrForget(s.palette.inactive, gfx);
    if (s.palette.active || s.palette.activemade)
        form.pic_Palette->setPicture(s.palette.normal.picture);
    else if (s.palette.inactive.file.isEmpty())
        form.pic_Palette->hide();
    else
        form.pic_Palette->setPicture(s.palette.inactive.picture);

    for (int i = 0; i < int(s.open.buttons.size()); ++i)
        loadDialogButton(s.open.buttons[size_t(i)], gfx, i == OpenSettings::Up || i == OpenSettings::Down);
    for (DialogButton& b : s.save.buttons)
        loadDialogButton(b, gfx, true);

    if (s.buttons[btnDraw].active || s.buttons[btnDraw].activemade)
        form.states.makeCurrent(btnDraw);
    else if (s.buttons[btnFill].active)
        form.states.makeCurrent(btnFill);

    if (s.nameText.active) {
        form.pic_Paint->setFontName(s.nameText.fontname);
        form.pic_Paint->setFontSize(s.nameText.fontsize);
        form.pic_Paint->setForeColor(s.nameText.forecolor);
    }
    for (HistoryButton* b : {&s.undoButton, &s.redoButton})
        for (PictureSlot* slot : {&b->normal, &b->highlight, &b->down, &b->inactive})
            if (!slot->file.isEmpty())
                pntLoadSlot(*slot, gfx);
    form.makeHistoryButtons();
    form.dressClassroom();
}

void PlayButton(SoundDevice& mmc_Sound)
{
    if (!bolButtonSound) {
        mmc_Sound.setFileName(PaintSettings.snd.expanded + PaintSettings.interface.buttonsound);
        mmc_Sound.setCommand(QStringLiteral("open"));
    }
    mmc_Sound.setCommand(QStringLiteral("play"));
}
