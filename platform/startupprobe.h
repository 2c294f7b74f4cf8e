// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once

// For the start-up benchmark: when BB_LAUNCH_NS holds the wall-clock time (ns since the epoch)
// at which the program was launched, the first paint of a window prints
// "first-paint MS" on standard error. Without it, nothing is installed.
void installStartupProbe();
