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
