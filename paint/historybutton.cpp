// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/historybutton.h"

#include "paint/paintsettings.h"

HistoryButtonControl::HistoryButtonControl(const HistoryButton& look, QWidget* parent) : ImageControl(parent), m_look(look)
{
    setToolTip(look.tooltip);
    setMouseTracking(true);
    connect(this, &ImageControl::MouseDown, this, [this](int button, int, double, double) {
        m_down = button == 1 && m_available;
        showLook();
    });
    connect(this, &ImageControl::MouseUp, this, [this] {
        m_down = false;
        showLook();
    });
    connect(this, &ImageControl::Click, this, [this] {
        if (m_available)
            emit activated();
    });
    showLook();
}

void HistoryButtonControl::setAvailable(bool available)
{
    m_available = available;
    if (!available)
        m_down = false;
    showLook();
}

void HistoryButtonControl::enterEvent(QEnterEvent* e)
{
    m_hover = true;
    showLook();
    ImageControl::enterEvent(e);
}

void HistoryButtonControl::leaveEvent(QEvent* e)
{
    m_hover = false;
    showLook();
    ImageControl::leaveEvent(e);
}

void HistoryButtonControl::showLook()
{
    const PictureSlot* slot = &m_look.normal;
    if (!m_available)
        slot = &m_look.inactive;
    else if (m_down)
        slot = &m_look.down;
    else if (m_hover)
        slot = &m_look.highlight;
    // A look the theme leaves out is the normal picture.
    if (slot->picture.isNull())
        slot = &m_look.normal;
    setPicture(slot->picture);
    if (!slot->picture.isNull())
        resize(slot->picture.size());
}
