// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QObject>

// Whether the program's sounds are heard: one switch for the whole process, as a computer's
// own mute key. Sound devices follow it at once; a muted sound still takes its time, so games
// keep their pacing.
class SoundMute : public QObject {
    Q_OBJECT
public:
    static SoundMute& instance();
    bool muted() const { return m_muted; }
    void setMuted(bool muted);
    void toggle() { setMuted(!m_muted); }

signals:
    void changed(bool muted);

private:
    SoundMute() = default;
    bool m_muted = false;
};
