// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/soundbackend.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// A backend that writes down what it is asked to do, one line per call: "load NAME" (the file
// name without its folder), "play", "stop", "unload".
class RecordingSoundBackend : public SoundBackend {
public:
    explicit RecordingSoundBackend(std::shared_ptr<QStringList> log) : m_log(std::move(log)) {}
    void load(const QString& path, const PcmLayout& layout) override;
    void play() override { m_log->append(QStringLiteral("play")); }
    void stop() override { m_log->append(QStringLiteral("stop")); }
    void unload() override { m_log->append(QStringLiteral("unload")); }

private:
    std::shared_ptr<QStringList> m_log;
};

// While it lives, every new sound device gets a recording backend writing into calls.
class SoundRecorder {
public:
    SoundRecorder();
    ~SoundRecorder();
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    // The calls whose line starts with what ("play", "load").
    int count(const QString& what) const;
};

// A mono 16-bit PCM WAV of the given length in milliseconds at 8000 Hz.
QByteArray wavBytes(int ms);
