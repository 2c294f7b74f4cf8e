// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <functional>

// Ends Brushbox at once, as Esc, Alt+F4 and the quit buttons do: every window goes and every
// running event loop returns. Tests record the request instead.
void pntEndProgram();
void setEndProgramHandler(std::function<void()> handler);
