// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QtGlobal>

// Whether the print button may print now: a class of children pressing it again and again must
// not fill the printer's queue. Printing may be off, or rest for some seconds after each print.
class PrintLimit {
public:
    PrintLimit() = default;
    PrintLimit(bool allowed, int delaySeconds) : m_allowed(allowed), m_delayMs(qint64(qMax(0, delaySeconds)) * 1000) {}

    bool mayPrint(qint64 nowMs) const { return m_allowed && restMs(nowMs) == 0; }
    // A print started at nowMs.
    void printed(qint64 nowMs) { m_lastMs = nowMs; }
    // How long until the next print may start; 0 when it may start now (or never will).
    qint64 restMs(qint64 nowMs) const
    {
        if (!m_allowed || m_lastMs < 0)
            return 0;
        // A clock set back must not make the rest endless.
        const qint64 since = nowMs - m_lastMs;
        return since < 0 || since >= m_delayMs ? 0 : m_delayMs - since;
    }

private:
    bool m_allowed = true;
    qint64 m_delayMs = 0;
    qint64 m_lastMs = -1;
};
