// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QAccessible>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// What assistive technology (a screen reader, a switch program) is told about a skinned control,
// which Qt cannot know: a picture that is a button, a label that counts. The window describes
// each control once; the name is asked for each time, so it follows the state of the game.
class AccessInfo : public QObject {
    Q_OBJECT
public:
    explicit AccessInfo(QWidget* control);
    QAccessible::Role role = QAccessible::Client;
    std::function<QString()> name; // none: the control's tooltip; empty: nothing there to tell of
    std::function<void()> press;   // none: nothing to press
    bool decoration = false;       // a picture with no meaning of its own: not shown to them
    bool focused = false;          // the keyboard's focus frame is on it
};

// The description of control, made when missing.
AccessInfo* accessInfo(QWidget* control);
AccessInfo* describeAccess(QWidget* control, QAccessible::Role role, std::function<QString()> name = {},
                           std::function<void()> press = {});
// A plain name that never changes.
AccessInfo* describeAccess(QWidget* control, QAccessible::Role role, const QString& name, std::function<void()> press = {});
void accessDecoration(QWidget* control);

// The keyboard's focus frame came to control (null: it left every control of its window).
void announceFocus(QWidget* control, QWidget* previous);
// What control says has changed (a card turned, a counter counted).
void announceNameChange(QWidget* control);

// Once, before any window: Qt asks here for the controls that carry a description.
void installAccessibleControls();
