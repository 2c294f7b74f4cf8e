// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once

#include <thread>

// Reads the font configuration (fontconfig's files and caches) on a thread of its own while the
// program connects to the display, instead of at its first text. Both programs' first windows
// show text; a bare window shows none and does not pay for it.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;
    // Waits until the configuration is read; from then on Qt finds it ready.
    void finish();

private:
    std::thread m_thread;
};
