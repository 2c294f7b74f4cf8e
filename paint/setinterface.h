// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once

#include <QSize>

class frm_Paint;
class SoundDevice;

// Dresses the paint window from PaintSettings once, before it is shown: loads every picture the
// configuration names, sets the buttons' looks and tooltips, the corner buttons, the current
// colour and tool, the palette and the name text's font, and opens the click sound.
void SetInterface(frm_Paint& form);

// Sounds the click of a button press on the window's sound control.
void PlayButton(SoundDevice& mmc_Sound);

// Loads folder + file into slot when the file exists (and decodes); otherwise the slot's
// picture stays empty. Returns whether a picture was loaded. shown, when given, is the size the
// picture is stretched to (loadPicture).
struct PictureSlot;
class QString;
bool pntLoadSlot(PictureSlot& slot, const QString& folder, QSize shown = QSize());
