// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "harness.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVector>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Milliseconds on the clock that recordings and clicks share.
double steadyMs();

// A PulseAudio server with a null sink named "null": the one PULSE_SERVER names when it has
// that sink, otherwise a private one this process starts. Null when neither can be had.
class SoundServer {
public:
    static SoundServer* instance();
    QString address() const { return m_address; } // for PULSE_SERVER
    ~SoundServer();

private:
    SoundServer() = default;
    bool useRunning();
    bool start();
    QString m_address;
    QProcess m_daemon;
    QTemporaryDir m_dir;
};

// Records the null sink's monitor while it lives, knowing when each sample was heard.
class SoundRecording {
public:
    static constexpr int kRate = 44100;
    explicit SoundRecording(const SoundServer& server);
    ~SoundRecording();
    bool started() const { return m_pid > 0; }
    // Ends the recording; the samples stay for analysis.
    void stop();

    // Where a tone of that frequency is heard, on the steady clock.
    struct Span {
        double startMs, endMs;
        double lengthMs() const { return endMs - startMs; }
    };
    QVector<Span> heard(double frequency) const;
    // Waits until a tone of that frequency that began after afterMs has been heard to its end.
    bool waitForToneEnd(double frequency, double afterMs, int timeoutMs = 5000) const;

private:
    void read(int fd);
    int m_pid = -1;
    std::thread m_reader;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_lock;
    // When a sample was heard: the monitor hands over no samples while nothing plays, so each
    // chunk keeps its own arrival time (its last sample was heard just before it arrived).
    double sampleMs(size_t index) const;
    std::vector<int16_t> m_samples;
    std::vector<std::pair<size_t, double>> m_chunks; // end index, arrival
};

// The sound server as sound: the test fails without one where devices are required, and is
// skipped otherwise.
#define REQUIRE_SOUND()                                                                                                \
    SoundServer* sound = SoundServer::instance();                                                                      \
    if (!sound && devicesRequired())                                                                                   \
        FAIL() << "no PulseAudio server could be had";                                                                 \
    if (!sound)                                                                                                        \
    GTEST_SKIP() << "no PulseAudio server"

// A tone written for one of a theme's sounds: its file, frequency and length.
struct Tone {
    const char* file;
    double frequency;
    int ms;
    QString name() const { return QString::fromLatin1(file).section('.', 0, 0); }
};

// A mono 16-bit WAV of one sine tone, softened at its ends so it stays one frequency.
QByteArray toneWav(double frequency, int ms);

// One sound the test expects: which tone, when the click that starts it came, and its length.
struct ExpectedSound {
    QString name;
    double frequency;
    int lengthMs;
    double clickMs;   // steady time of the click; < 0 when the sound has no click (a start sound)
    bool whole = true; // false when the program rightly cuts it off with the next sound
    bool chained = false; // follows the sound before it, as the next link of a chain
};

// Checks a sitting: every sound heard in order, whole ones for at least 95 % of their length,
// each starting within 150 ms of its click, or of the end of the sound before it when chained.
// Each failure fails the test; the table of what was heard (name, file length, heard length,
// delay after the click) is written to the report file in the temporary folder.
void expectSounds(const SoundRecording& recording, const QVector<ExpectedSound>& expected, const QString& report);
