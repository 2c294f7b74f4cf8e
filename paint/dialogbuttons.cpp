// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/dialogbuttons.h"

DialogButtonStates::DialogButtonStates(const DialogButton* buttons, int count, Show show)
    : intDialogButtonState(count, bsNormal), m_buttons(buttons), m_show(std::move(show))
{
}

void DialogButtonStates::setNormal(int i)
{
    m_show(i, m_buttons[i].normal.picture);
    intDialogButtonState[i] = bsNormal;
}

void DialogButtonStates::setInactive(int i)
{
    m_show(i, m_buttons[i].inactive.picture);
    intDialogButtonState[i] = bsInactive;
}

void DialogButtonStates::MouseMove(int i)
{
    if (intDialogButtonState[i] == bsNormal && !m_buttons[i].highlight.picture.isNull()) {
        m_show(i, m_buttons[i].highlight.picture);
        intDialogButtonState[i] = bsHighlighted;
    }
    DeHighlight(i);
}

void DialogButtonStates::MouseDown(int i)
{
    const int16_t s = intDialogButtonState[i];
    if ((s == bsNormal || s == bsHighlighted) && !m_buttons[i].down.picture.isNull()) {
        m_show(i, m_buttons[i].down.picture);
        intDialogButtonState[i] = bsPressed;
    }
}

void DialogButtonStates::MouseUp(int i)
{
    if (intDialogButtonState[i] == bsPressed)
        setNormal(i);
}

void DialogButtonStates::DeHighlight(int spare)
{
    for (int i = 0; i < intDialogButtonState.size(); ++i)
        if (i != spare && intDialogButtonState[i] == bsHighlighted)
            setNormal(i);
}
