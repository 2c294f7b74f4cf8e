// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class PcmVoice;

// Sample rates a sound is played at. PulseAudio takes a stream of 1 sample a second, but Qt's
// output for it then feeds periods of 20 ms, which hold no bytes below 50 samples a second, and
// divides by them (the program dies of SIGFPE). No real sound is below the bottom; no output
// goes above the top.
constexpr int kMinPlayableRate = 1000;
constexpr int kMaxPlayableRate = 384000;

// Where the samples of a checked WAV file lie and how they are stored.
struct PcmLayout {
    int formatTag = 1;  // a WavFormat (platform/wavcodecs.h)
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0; // bytes of one frame, all channels; of one block when block-coded
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;
    int samplesPerBlock = 0;     // frames of a whole block, when block-coded
    qint64 factFrames = -1;      // the frames a compressed file says it holds, when it says
    std::vector<qint16> coefs;   // MS ADPCM's predictor coefficients, in pairs
};

// What makes a sound audible. The sound device decides when a sound has ended (from the WAV
// header), so a backend only starts and stops playback and never reports anything back.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // path names a WAV file whose header has been checked.
    virtual void load(const QString& path, const PcmLayout& layout) = 0;
    // From the start. A sound still heard from an earlier play finishes on its own.
    virtual void play() = 0;
    // Silences the sound now.
    virtual void stop() = 0;
    // Drops the file; a sound still heard finishes on its own.
    virtual void unload() = 0;
};

// Plays through Qt's audio output, one stream per play, read from the file as it plays.
// Sound servers hold a few tenths of a second that a stream has already been given; a stream
// closed when its last sample is handed over loses them (Qt's QSoundEffect does so and cuts the
// end off every sound). So each stream gets silence after its sound and is closed only well
// after the last sample went out, unless it is stopped on purpose. Streams are fed from a
// thread of their own, so a window busy for a moment never lets one run dry.
class AudioSinkBackend : public SoundBackend {
public:
    AudioSinkBackend();
    ~AudioSinkBackend() override;
    void load(const QString& path, const PcmLayout& layout) override;
    void play() override;
    void stop() override;
    void unload() override;

private:
    void reap();
    QString m_path;
    PcmLayout m_layout;
    PcmVoice* m_current = nullptr;  // the last play, until another starts or the file is dropped
    std::vector<PcmVoice*> m_voices; // every play not yet freed, the current one among them
};

// For a machine without audio outputs: every sound is silence of its own length.
class SilentSoundBackend : public SoundBackend {
public:
    void load(const QString&, const PcmLayout&) override {}
    void play() override {}
    void stop() override {}
    void unload() override {}
};

// The backend for a new sound device: Qt's audio output when the machine has one, otherwise
// silence. Tests install their own maker; an empty one restores the default.
using SoundBackendMaker = std::function<std::unique_ptr<SoundBackend>()>;
std::unique_ptr<SoundBackend> makeSoundBackend();
void setSoundBackendMaker(SoundBackendMaker maker);
