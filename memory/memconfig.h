// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memstate.h"

#include <QSize>

class IniFiles;

// The splash window as the configuration reader drives it; the game window supplies one, tests
// may leave it out.
class MemSplashHost {
public:
    virtual ~MemSplashHost() = default;
    virtual void setBackColor(uint32_t bgr) = 0;
    virtual void setMaximized() = 0;
    virtual void showAndWait() = 0;
};

// Resets the settings the configuration may leave unset.
void memSetDefaultValues(MemState& s);
// Reads the application declaration; false (after its message) when there is none or it is unknown.
// files: what start-up has read already, read again from memory.
bool memCheckINI(MemState& s, const QString& path, IniFiles* files = nullptr);
// Kept as a step of the set-up; a game starts from the values memInitValues gives it.
inline void memReset() {}
// Reads memory.ini and the files it names. Fatal problems end the program through memHandleError.
bool memOpenINI(MemState& s, const QString& path, MemSplashHost* splash = nullptr, IniFiles* files = nullptr);
// Forgets configured sounds whose files are missing, with a warning for each.
bool memCheckValues(MemState& s);
// Derives the layout, players, text list, pictures and the deal from the settings. The layout
// row follows the screen; inside is the room the window's inside has (the screen less a window
// manager's panels and frame; the screen when empty): a layout larger than that is cut down to
// it, so that no part of the board lies off the screen.
bool memFixVariabels(MemState& s, QSize screen, QSize inside = QSize());

// The counter index of a section name, or -1.
int memGroupStrToNum(const QString& strIn);
// Loads folder + name, opened once: a missing file gets missingNumber, an unreadable one warning 110.
QImage memLoadPicture(const QString& folder, const QString& name, int missingNumber, QSize shown = QSize());
// The background picture names of one "pictures" value: five TAB-separated fields.
void memSetBkPictures(MemState& s, const QString& value);

// The layout a game's files give for a screen, read without a message: the size its board is
// drawn for, or empty when the board takes the screen's own size (or the files cannot say).
QSize memLayoutSize(const QString& path, QSize screen, IniFiles& files);
// The pieces of memFixVariabels, apart for tests.
memResolution memFindResolution(QSize screen);
int memLayoutRow(const MemState& s, const memResolution& current);
void memShuffle(MemRandom& random, QVector<memDisplayCard>& display, int count);
