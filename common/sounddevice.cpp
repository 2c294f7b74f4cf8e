// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/sounddevice.h"

#include "common/wavinfo.h"
#include "platform/files.h"
#include "platform/soundmute.h"

#include <limits>

SoundDevice::SoundDevice(QObject* parent) : SoundDevice(makeSoundBackend(), parent) {}

SoundDevice::SoundDevice(std::unique_ptr<SoundBackend> backend, QObject* parent)
    : QObject(parent), m_backend(backend ? std::move(backend) : makeSoundBackend())
{
    m_endTimer.setSingleShot(true);
    m_failTimer.setSingleShot(true);
    m_failTimer.setInterval(0);
    m_statusTimer.setInterval(1000);
    // A caller that waits for its sounds only once the device has reported (Twinturn) then
    // does so from the very first click.
    m_firstStatus.setSingleShot(true);
    m_firstStatus.setInterval(0);
    connect(&m_endTimer, &QTimer::timeout, this, &SoundDevice::ended);
    connect(&m_failTimer, &QTimer::timeout, this, [this] { emit Done(NotifyFailure); });
    connect(&m_statusTimer, &QTimer::timeout, this, [this] { emit StatusUpdate(); });
    connect(&m_firstStatus, &QTimer::timeout, this, [this] { emit StatusUpdate(); });
    // Muting silences what is heard but leaves the end where it was: Done comes on time.
    connect(&SoundMute::instance(), &SoundMute::changed, this, [this](bool muted) {
        if (muted && m_endTimer.isActive())
            m_backend->stop();
    });
}

SoundDevice::~SoundDevice()
{
    if (isOpen())
        m_backend->unload();
}

void SoundDevice::setUpdateInterval(int ms) { m_statusTimer.setInterval(std::max(1, ms)); }

void SoundDevice::setCommand(const QString& raw)
{
    const QString command = raw.trimmed().toLower();
    if (command == QLatin1String("open"))
        open();
    else if (command == QLatin1String("play"))
        play();
    else if (command == QLatin1String("stop") || command == QLatin1String("eject") || command == QLatin1String("prev"))
        halt();
    else if (command == QLatin1String("close"))
        close();
}

void SoundDevice::open()
{
    if (isOpen() && m_fileName == m_openPath)
        return;
    close();
    const WavInfo info = readWavInfo(m_fileName);
    if (!info.playable)
        return;
    m_openPath = m_fileName;
    m_durationMs = info.durationMs;
    m_backend->load(resolvePath(m_fileName), info.layout());
    m_statusTimer.start();
    m_firstStatus.start();
}

void SoundDevice::play()
{
    halt();
    if (!isOpen()) {
        m_status = StatusFailed;
        m_failTimer.start();
        return;
    }
    m_status = StatusPlaying;
    if (!SoundMute::instance().muted())
        m_backend->play();
    m_endTimer.start(int(std::min<qint64>(m_durationMs + kDoneMarginMs, std::numeric_limits<int>::max())));
}

void SoundDevice::halt()
{
    m_failTimer.stop();
    if (m_endTimer.isActive()) {
        m_endTimer.stop();
        m_backend->stop();
    }
    if (m_status == StatusPlaying)
        m_status = StatusEnded;
}

void SoundDevice::close()
{
    halt();
    if (!isOpen())
        return;
    m_backend->unload();
    m_openPath.clear();
    m_durationMs = 0;
    m_statusTimer.stop();
    m_firstStatus.stop();
}

void SoundDevice::ended()
{
    // The backend is left alone: the sound server may still be sounding the last of it, and a
    // stop or close from here on must not cut that off.
    m_status = StatusEnded;
    emit Done(NotifySuccessful);
}
