// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/paintsettings.h"

#include <QImage>
#include <array>
#include <cstdint>

// Display states of a skinned button.
enum ButtonState : int16_t { bsNormal = 0, bsHighlighted = 1, bsPressed = 2, bsInactive = 3, bsCurrent = 4 };

// Where the state machine shows its pictures: the window's img_Button controls and img_Current.
class ButtonView {
public:
    virtual ~ButtonView() = default;
    virtual void showButtonPicture(int index, const QImage& picture) = 0;
    virtual void showCurrentMini(const QImage& picture) = 0;
};

// The display-state machine of the nine tool buttons, on the pictures SetInterface loaded into
// PaintSettings. It knows nothing of widgets: the window passes the mouse events on and does
// what the results say.
class ButtonStates {
public:
    explicit ButtonStates(ButtonView& view) : m_view(view) {}

    std::array<int16_t, kPaintButtons> intButtonState{};

    // A button reacts when it is active, or when no figure is in progress and it is activemade.
    static bool usable(int index);

    void MouseMove(int index);
    // True when the press sounds the click (PlayButton).
    bool MouseDown(int index);
    // True when the release ends the program (the quit button, after a press that showed its
    // down picture).
    bool MouseUp(int index);

    // Every highlighted button but except goes back to normal; -1 excepts none.
    void DeHighlight(int16_t except);
    // Every current drawing tool but intPreserve goes back to normal.
    void NotCurrent(int intPreserve);
    // The tool button becomes current: its current picture, the small one in img_Current.
    void makeCurrent(int index);
    // Shows the normal picture and sets the state, as Activate and DeHighlight do.
    void setNormal(int index);

private:
    ButtonView& m_view;
};
