#include "platform/soundbackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {
SoundBackendMaker& maker()
{
    static SoundBackendMaker m;
    return m;
}
}

QSoundEffectBackend::QSoundEffectBackend() : m_effect(std::make_unique<QSoundEffect>()) {}
QSoundEffectBackend::~QSoundEffectBackend() = default;

void QSoundEffectBackend::load(const QString& path)
{
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(path));
}

void QSoundEffectBackend::play()
{
    // A play of a playing effect would be ignored; the device's plays always start afresh.
    m_effect->stop();
    m_effect->play();
}

void QSoundEffectBackend::stop() { m_effect->stop(); }

void QSoundEffectBackend::unload()
{
    m_effect->stop();
    m_effect->setSource(QUrl());
}

void setSoundBackendMaker(SoundBackendMaker m) { maker() = std::move(m); }

std::unique_ptr<SoundBackend> makeSoundBackend()
{
    if (maker())
        return maker()();
    if (QMediaDevices::audioOutputs().isEmpty())
        return std::make_unique<SilentSoundBackend>();
    return std::make_unique<QSoundEffectBackend>();
}
