// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/fontwarmup.h"

#include <fontconfig/fontconfig.h>

FontWarmUp::FontWarmUp()
{
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt reads the configuration itself when it first needs it.
    }
}

FontWarmUp::~FontWarmUp() { finish(); }

void FontWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}
