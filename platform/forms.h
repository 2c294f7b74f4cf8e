// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
class QWidget;

// Shows a form modally: returns when the form has been closed or hidden by the program. A
// window manager's minimise does not end it. Other windows stay visible (the splash lies under
// the paint window) without keeping the program alive.
void showModal(QWidget* form);

// Shows a form without blocking.
void showModeless(QWidget* form);
