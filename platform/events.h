// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once

// Lets pending window events (paints, activations, timers) run, as the programs do while they
// wait for a splash window or between animation frames.
void doEvents();

// A pause of ms milliseconds. While it lasts, windows keep painting but user input waits in the
// queue until the pause is over, as when the thread sleeps. Tests scale pauses down.
void platformSleep(int ms);
void setPauseScale(double scale);
double pauseScale();
