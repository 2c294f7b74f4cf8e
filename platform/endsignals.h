// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <functional>

// SIGTERM and SIGHUP (a logout, a shutdown, a closed terminal, `kill`) end the program through
// its own end: the signal handler only wakes the event loop, and end then runs on the program's
// thread like any other event, so the loops return, destructors run and the one-copy lock is
// given back. Without an end of its own the program leaves every window and loop (leaveProgram).
// A second such signal before the first was dealt with ends the process at once, so a program
// stuck in a long step can still be stopped. Installing again replaces end.
void installEndSignals(std::function<void()> end = {});

// Hides every window and makes every running event loop return, the ones started later too.
void leaveProgram();

// When the display closes under the program (a logout that ends the X server before any signal
// comes, or the server dropping the connection), Qt ends the process at once with exit() from
// inside its event loop, past every loop and destructor. Until it is cleared (an empty last),
// last runs then, on the program's thread, as the process ends.
void whenEndedAbruptly(std::function<void()> last);
