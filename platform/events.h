// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <functional>

// Lets pending window events (paints, activations, timers) run, as the programs do while they
// wait for a splash window or between animation frames.
void doEvents();

// A pause of ms milliseconds. While it lasts, windows keep painting but user input waits in the
// queue until the pause is over, as when the thread sleeps. Tests scale pauses down.
void platformSleep(int ms);
void setPauseScale(double scale);
double pauseScale();

class QKeyEvent;
class QWidget;
class QPointF;

// The key a shortcut (Ctrl+Z, Ctrl+M) is matched on: the key itself where the keyboard's layout
// has Latin letters; on one that has not (Cyrillic, Greek, Arabic, Hebrew, ...) the letter of a
// US keyboard on that key, as desktop programs take their shortcuts there.
int shortcutKey(const QKeyEvent& e);
// A press (down) or release of the left mouse button at pos on control, delivered as the window
// system would deliver it, so the keyboard and assistive programs press exactly as a click does.
void sendLeftButton(QWidget* control, const QPointF& pos, bool down);
// A move at pos on control with the left button held.
void sendLeftButtonMove(QWidget* control, const QPointF& pos);
// A click (press and release) at control's middle, as a press action for the keyboard and for
// assistive programs.
std::function<void()> clickOf(QWidget* control);
