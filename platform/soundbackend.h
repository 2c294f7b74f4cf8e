#pragma once
#include <QString>
#include <functional>
#include <memory>

class QSoundEffect;

// What makes a sound audible. The sound device decides when a sound has ended (from the WAV
// header), so a backend only starts and stops playback and never reports anything back.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // path names a WAV file whose header has been checked.
    virtual void load(const QString& path) = 0;
    virtual void play() = 0; // from the start
    virtual void stop() = 0;
    virtual void unload() = 0;
};

// Plays through Qt Multimedia.
class QSoundEffectBackend : public SoundBackend {
public:
    QSoundEffectBackend();
    ~QSoundEffectBackend() override;
    void load(const QString& path) override;
    void play() override;
    void stop() override;
    void unload() override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

// For a machine without audio outputs: every sound is silence of its own length.
class SilentSoundBackend : public SoundBackend {
public:
    void load(const QString&) override {}
    void play() override {}
    void stop() override {}
    void unload() override {}
};

// The backend for a new sound device: QSoundEffect when the machine has an audio output,
// otherwise silence. Tests install their own maker; an empty one restores the default.
using SoundBackendMaker = std::function<std::unique_ptr<SoundBackend>()>;
std::unique_ptr<SoundBackend> makeSoundBackend();
void setSoundBackendMaker(SoundBackendMaker maker);
