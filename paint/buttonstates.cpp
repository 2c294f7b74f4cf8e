// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/buttonstates.h"

namespace {
const PaintButton& button(int i) { return PaintSettings.buttons[size_t(i)]; }
bool isTool(int i) { return i == btnDraw || i == btnSpray || i == btnFill; }
bool validIndex(int i) { return i >= 0 && i < kPaintButtons; }
}

bool ButtonStates::usable(int i)
{
    if (!validIndex(i))
        return false;
    return button(i).active || (intTool != 3 && button(i).activemade);
}

void ButtonStates::setNormal(int i)
{
    m_view.showButtonPicture(i, button(i).normal.picture);
    intButtonState[size_t(i)] = bsNormal;
}

void ButtonStates::makeCurrent(int i)
{
    if (!button(i).current.file.isEmpty())
        m_view.showButtonPicture(i, button(i).current.picture);
    if (!button(i).curmini.file.isEmpty())
        m_view.showCurrentMini(button(i).curmini.picture);
    intButtonState[size_t(i)] = bsCurrent;
}

void ButtonStates::MouseMove(int i)
{
    if (!usable(i) || intButtonState[size_t(i)] == bsCurrent)
        return;
    if (intButtonState[size_t(i)] == bsNormal && !button(i).highlight.file.isEmpty()) {
        m_view.showButtonPicture(i, button(i).highlight.picture);
        intButtonState[size_t(i)] = bsHighlighted;
    }
    DeHighlight(int16_t(i));
}

bool ButtonStates::MouseDown(int i)
{
    if (!usable(i) || intButtonState[size_t(i)] == bsCurrent)
        return false;
    if (!button(i).down.file.isEmpty()) {
        m_view.showButtonPicture(i, button(i).down.picture);
        intButtonState[size_t(i)] = bsPressed;
    }
    return i != btnSound;
}

bool ButtonStates::MouseUp(int i)
{
    if (!usable(i) || intButtonState[size_t(i)] != bsPressed)
        return false;
    if (isTool(i)) {
        if (!button(i).current.file.isEmpty()) {
            m_view.showButtonPicture(i, button(i).current.picture);
            intButtonState[size_t(i)] = bsCurrent;
        } else {
            setNormal(i);
        }
        if (!button(i).curmini.file.isEmpty())
            m_view.showCurrentMini(button(i).curmini.picture);
        NotCurrent(i);
        return false;
    }
    if (i == btnQuit)
        return true;
    setNormal(i);
    return false;
}

void ButtonStates::DeHighlight(int16_t except)
{
    for (int i = 0; i < kPaintButtons; ++i)
        if (i != except && intButtonState[size_t(i)] == bsHighlighted)
            setNormal(i);
}

void ButtonStates::NotCurrent(int intPreserve)
{
    for (int i : {int(btnDraw), int(btnSpray), int(btnFill)})
        if (i != intPreserve && intButtonState[size_t(i)] == bsCurrent)
            setNormal(i);
}
