// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/helplaunchers.h"

#include "paint/frm_help.h"
#include "paint/paintsettings.h"

void ShowPaintHelp(QWidget* parent)
{
    showHelpScreen(PaintSettings.help.active, PaintSettings.gfx.expanded, PaintSettings.help.picture, parent);
}

// The open and save sections' helpactive keys do not switch their help: [help] active does.
void ShowOpenHelp(QWidget* parent)
{
    showHelpScreen(PaintSettings.help.active, PaintSettings.gfx.expanded, PaintSettings.open.helpPicture, parent);
}

void ShowSaveHelp(QWidget* parent)
{
    showHelpScreen(PaintSettings.help.active, PaintSettings.gfx.expanded, PaintSettings.save.helpPicture, parent);
}
