#include "platform/soundbackend.h"

#include "platform/pcmsource.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace {
SoundBackendMaker& maker()
{
    static SoundBackendMaker m;
    return m;
}

// Silence after each sound, and how long a stream stays open after its last sample went out:
// both longer than any sound server holds back (PulseAudio holds up to about 0.85 s on slow
// outputs).
constexpr int kSilenceMs = 300;
constexpr int kDrainMs = 1500;
}

// One play of a sound: its own stream, read from the file.
class PcmVoice : public QObject {
public:
    PcmVoice(const QString& path, const PcmLayout& layout)
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        QAudioFormat format;
        format.setSampleFormat(QAudioFormat::Float);
        format.setChannelCount(layout.channels >= 2 ? 2 : 1);
        format.setSampleRate(layout.sampleRate);
        // An output that cannot take the file's rate gets its own; the source resamples.
        if (!device.isFormatSupported(format))
            format.setSampleRate(device.preferredFormat().sampleRate());
        m_source = std::make_unique<PcmSource>(path, layout, format.sampleRate(), kSilenceMs);
        m_source->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_drain.setSingleShot(true);
        m_drain.setInterval(kDrainMs);
        connect(&m_drain, &QTimer::timeout, this, [this] { cut(); });
        connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState && !m_drain.isActive())
                m_drain.start();
        });
        m_sink->start(m_source.get());
    }

    // Stops the stream now; nothing more is heard.
    void cut()
    {
        m_drain.stop();
        if (m_sink->state() != QAudio::StoppedState)
            m_sink->stop();
        if (m_released)
            deleteLater();
    }

    // Lets the sound play out, then frees everything.
    void release()
    {
        m_released = true;
        if (m_sink->state() == QAudio::StoppedState || m_sink->error() != QAudio::NoError)
            deleteLater();
    }

private:
    // The sink goes first: it still reads from its source while it stops.
    std::unique_ptr<PcmSource> m_source;
    std::unique_ptr<QAudioSink> m_sink;
    QTimer m_drain;
    bool m_released = false;
};

AudioSinkBackend::AudioSinkBackend() = default;

AudioSinkBackend::~AudioSinkBackend()
{
    delete m_voice;
    for (const QPointer<PcmVoice>& v : m_finishing)
        delete v.data();
}

void AudioSinkBackend::load(const QString& path, const PcmLayout& layout)
{
    release();
    m_path = path;
    m_layout = layout;
}

void AudioSinkBackend::release()
{
    if (!m_voice)
        return;
    m_finishing.removeAll(nullptr);
    m_finishing.append(m_voice);
    m_voice->release();
    m_voice = nullptr;
}

void AudioSinkBackend::play()
{
    if (m_path.isEmpty())
        return;
    release();
    m_voice = new PcmVoice(m_path, m_layout);
}

void AudioSinkBackend::stop()
{
    if (m_voice)
        m_voice->cut();
}

void AudioSinkBackend::unload()
{
    release();
    m_path.clear();
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
