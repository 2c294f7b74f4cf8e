// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "testsupport/soundrecorder.h"

#include <QFileInfo>

void RecordingSoundBackend::load(const QString& path, const PcmLayout&) { m_log->append(QStringLiteral("load ") + QFileInfo(path).fileName()); }

SoundRecorder::SoundRecorder()
{
    auto log = calls;
    setSoundBackendMaker([log] { return std::make_unique<RecordingSoundBackend>(log); });
}

SoundRecorder::~SoundRecorder() { setSoundBackendMaker({}); }

int SoundRecorder::count(const QString& what) const
{
    int n = 0;
    for (const QString& c : *calls)
        n += c.startsWith(what) ? 1 : 0;
    return n;
}

QByteArray wavBytes(int ms)
{
    const quint32 rate = 8000;
    const quint32 data = rate * 2 * quint32(ms) / 1000;
    QByteArray w;
    auto le32 = [&w](quint32 v) { for (int i = 0; i < 4; ++i) w.append(char((v >> (8 * i)) & 0xFF)); };
    auto le16 = [&w](quint16 v) { w.append(char(v & 0xFF)); w.append(char(v >> 8)); };
    w.append("RIFF");
    le32(36 + data);
    w.append("WAVEfmt ");
    le32(16);
    le16(1);
    le16(1);
    le32(rate);
    le32(rate * 2);
    le16(2);
    le16(16);
    w.append("data");
    le32(data);
    w.append(QByteArray(qsizetype(data), '\0'));
    return w;
}
