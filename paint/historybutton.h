// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/imagecontrol.h"

struct HistoryButton;

// The skinned undo or redo button: its highlight picture under the mouse, its down picture
// while pressed, its inactive one while there is nothing to take back or bring again.
class HistoryButtonControl : public ImageControl {
    Q_OBJECT
public:
    HistoryButtonControl(const HistoryButton& look, QWidget* parent);
    void setAvailable(bool available);
    bool available() const { return m_available; }

signals:
    void activated();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showLook();
    const HistoryButton& m_look;
    bool m_available = false, m_hover = false, m_down = false;
};
