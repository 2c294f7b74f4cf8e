// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/soundbackend.h"

#include "platform/pcmsource.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>

namespace {
SoundBackendMaker& maker()
{
    static SoundBackendMaker m;
    return m;
}

// A new stream loses its first few milliseconds (up to 9 ms seen on PulseAudio), so each sound
// comes after a little silence. After it, more silence, and the stream stays open longer than
// any sound server holds back (PulseAudio holds up to about 0.85 s on slow outputs).
constexpr int kLeadMs = 30;
constexpr int kTailMs = 300;
constexpr int kBufferMs = 250;
constexpr int kDrainMs = 1500;
}

// The thread every stream is fed from. It ends with the application object, not with the
// program's statics: a stream still open when the sound system's own statics go makes libpulse
// abort at exit.
class AudioThread {
public:
    // Started with the first play of each application object's life.
    static QThread* get()
    {
        QThread* t = thread();
        if (!t->isRunning()) {
            t->start();
            qAddPostRoutine(&AudioThread::end);
        }
        return t;
    }
    static bool running() { return thread()->isRunning(); }
    // A finishing thread deletes what was left to it with deleteLater: every stream closes here.
    static void end()
    {
        thread()->quit();
        thread()->wait();
    }

private:
    static QThread* thread()
    {
        static AudioThread t;
        return &t.m_thread;
    }
    AudioThread() { m_thread.setObjectName(QStringLiteral("audio")); }
    ~AudioThread() { end(); }
    QThread m_thread;
};

// One play of a sound: its own stream, read from the file. Lives in the audio thread; the
// backend reaches it only through queued calls and the finished flag.
class PcmVoice : public QObject {
public:
    std::atomic<bool> finished{false};

    // In the audio thread.
    void start(const QString& path, const PcmLayout& layout, const QAudioDevice& device, const QAudioFormat& format)
    {
        m_source = std::make_unique<PcmSource>(path, layout, format.sampleRate(), kLeadMs, kTailMs);
        m_source->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
        m_drain = std::make_unique<QTimer>();
        m_drain->setSingleShot(true);
        m_drain->setInterval(kDrainMs);
        connect(m_drain.get(), &QTimer::timeout, this, [this] { cut(); });
        connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState && !m_drain->isActive())
                m_drain->start();
            else if (state == QAudio::StoppedState)
                finished = true;
        });
        m_sink->start(m_source.get());
        if (m_sink->state() == QAudio::StoppedState)
            finished = true;
    }

    // In the audio thread: silences the stream now.
    void cut()
    {
        if (m_drain)
            m_drain->stop();
        if (m_sink && m_sink->state() != QAudio::StoppedState)
            m_sink->stop();
        finished = true;
    }

private:
    // The sink goes first: it still reads from its source while it stops.
    std::unique_ptr<PcmSource> m_source;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QTimer> m_drain;
};

AudioSinkBackend::AudioSinkBackend() = default;

AudioSinkBackend::~AudioSinkBackend()
{
    const bool running = AudioThread::running();
    for (PcmVoice* v : m_voices) {
        if (running)
            QMetaObject::invokeMethod(v, [v] { delete v; }, Qt::BlockingQueuedConnection);
        else
            delete v;
    }
}

void AudioSinkBackend::reap()
{
    // Only finished streams are freed; each frees itself in its own thread.
    for (auto it = m_voices.begin(); it != m_voices.end();) {
        if (*it != m_current && (*it)->finished) {
            (*it)->deleteLater();
            it = m_voices.erase(it);
        } else {
            ++it;
        }
    }
}

void AudioSinkBackend::load(const QString& path, const PcmLayout& layout)
{
    m_current = nullptr;
    m_path = path;
    m_layout = layout;
}

void AudioSinkBackend::play()
{
    m_current = nullptr; // a sound still heard from the last play goes on to its end
    reap();
    if (m_path.isEmpty())
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Float);
    format.setChannelCount(m_layout.channels >= 2 ? 2 : 1);
    format.setSampleRate(m_layout.sampleRate);
    // An output that cannot take the file's rate gets its own; the source resamples. A rate out
    // of the playable range never reaches the output, whatever it claims to take.
    const bool playableRate = m_layout.sampleRate >= kMinPlayableRate && m_layout.sampleRate <= kMaxPlayableRate;
    if (!playableRate || !device.isFormatSupported(format))
        format.setSampleRate(std::clamp(device.preferredFormat().sampleRate(), kMinPlayableRate, kMaxPlayableRate));
    auto* voice = new PcmVoice;
    voice->moveToThread(AudioThread::get());
    QMetaObject::invokeMethod(voice, [=, path = m_path, layout = m_layout] { voice->start(path, layout, device, format); });
    m_current = voice;
    m_voices.push_back(voice);
}

void AudioSinkBackend::stop()
{
    if (m_current) {
        PcmVoice* v = m_current;
        QMetaObject::invokeMethod(v, [v] { v->cut(); });
    }
}

void AudioSinkBackend::unload()
{
    m_current = nullptr;
    m_path.clear();
    reap();
}

void setSoundBackendMaker(SoundBackendMaker m) { maker() = std::move(m); }

std::unique_ptr<SoundBackend> makeSoundBackend()
{
    if (maker())
        return maker()();
    if (QMediaDevices::audioOutputs().isEmpty())
        return std::make_unique<SilentSoundBackend>();
    return std::make_unique<AudioSinkBackend>();
}
