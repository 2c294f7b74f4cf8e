// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/soundbackend.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

// The multimedia control both programs play their WAV files through (each window's mmc_Sound).
//
// Use: setFileName(path), then setCommand() with one of
//   "open"   opens the file named by fileName(). Opening the name already open does nothing;
//            another name closes the open one first. A file that is missing or not a playable
//            WAV leaves the device closed.
//   "play"   plays the open sound from its start (a sound that is playing starts again).
//   "stop", "eject"   stop playback; the sound stays open.
//   "prev"   back to the start: stops playback; the next "play" starts afresh.
//   "close"  stops and closes; closing a closed device does nothing.
// Other words are ignored; no command fails or reports an error.
//
// Ending. Every "play" ends in exactly one of two ways:
//   - Done(NotifySuccessful) when the sound has played to its end. The end is the length the
//     WAV header gives plus kDoneMarginMs, on every backend: the audio system is never waited on.
//   - Done(NotifyFailure) when there was nothing playable to play. completionStatus() says so
//     at once, and Done follows as soon as the event loop runs.
// A play that another command cuts short (any command but "open" of the open name) raises no
// Done at all, not even a pending failure one, so no sound is ever reported twice. Only such a
// command silences the sound: once Done is out, "stop", "close" and the rest let what is still
// heard play to its end, and a new "play" starts over it.
//
// completionStatus() is 0 while the sound last started is playing and non-zero once it counts
// as finished: StatusEnded after its end (and before any play), StatusFailed when it could not
// be played.
//
// StatusUpdate is raised as soon as the event loop runs after an "open" that opened a sound,
// then every updateInterval() ms (1000 by default) for as long as it is open, playing or not.
//
// While SoundMute is on, nothing is heard; every play still ends, and raises Done, after the
// sound's length.
//
// setNotify() (the control's "notify" switch) is kept for callers that set it: Done is raised
// for every play whether or not it is set.
class SoundDevice : public QObject {
    Q_OBJECT
public:
    enum CompletionStatus { StatusPlaying = 0, StatusEnded = 1, StatusFailed = 2 };
    enum NotifyCode { NotifySuccessful = 1, NotifyFailure = 8 };
    static constexpr int kDoneMarginMs = 40;

    // The backend comes from makeSoundBackend() unless one is given.
    explicit SoundDevice(QObject* parent = nullptr);
    explicit SoundDevice(std::unique_ptr<SoundBackend> backend, QObject* parent = nullptr);
    ~SoundDevice() override;

    void setFileName(const QString& path) { m_fileName = path; }
    QString fileName() const { return m_fileName; }
    void setCommand(const QString& command);

    int completionStatus() const { return m_status; }
    bool isOpen() const { return !m_openPath.isEmpty(); }
    QString openFile() const { return m_openPath; }
    bool isPlaying() const { return m_status == StatusPlaying; }
    // Length of the open sound, from its header.
    qint64 durationMs() const { return m_durationMs; }

    void setNotify(bool on) { m_notify = on; }
    bool notify() const { return m_notify; }
    void setUpdateInterval(int ms);
    int updateInterval() const { return m_statusTimer.interval(); }

signals:
    void Done(int notifyCode);
    void StatusUpdate();

private:
    void open();
    void play();
    void halt();   // cuts the current play short, raising nothing
    void close();
    void ended();

    std::unique_ptr<SoundBackend> m_backend;
    QString m_fileName;
    QString m_openPath;      // the file open, as it was named
    qint64 m_durationMs = 0;
    int m_status = StatusEnded;
    bool m_notify = false;
    QTimer m_endTimer;       // the end of the playing sound
    QTimer m_failTimer;      // the pending report of a play that could not start
    QTimer m_statusTimer;
    QTimer m_firstStatus;    // the update that follows an open at once
};
