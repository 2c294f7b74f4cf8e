// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/buttonstates.h"
#include "paint/paintsettings.h"

#include <QImage>
#include <QVector>
#include <cstdint>
#include <functional>

// The display states of a dialog's skinned buttons: highlight when the mouse comes over a normal
// button, the down picture while pressed, normal again on release. Unlike the paint window's
// buttons a press makes no sound, and an inactive button gets no mouse events at all.
class DialogButtonStates {
public:
    using Show = std::function<void(int index, const QImage& picture)>;
    DialogButtonStates(const DialogButton* buttons, int count, Show show);

    QVector<int16_t> intDialogButtonState;

    void setNormal(int i);
    void setInactive(int i);
    void MouseMove(int i);
    void MouseDown(int i);
    void MouseUp(int i);
    // Every highlighted button but spare goes back to normal; -1 spares none.
    void DeHighlight(int spare);

private:
    const DialogButton* m_buttons;
    Show m_show;
};
