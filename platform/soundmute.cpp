// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/soundmute.h"

SoundMute& SoundMute::instance()
{
    static SoundMute mute;
    return mute;
}

void SoundMute::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    emit changed(muted);
}
