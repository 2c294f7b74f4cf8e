// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/msgbox.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVector>
#include <ostream>

// Memory figures mean nothing under AddressSanitizer, which keeps freed memory in quarantine
// and doubles every allocation with its shadow; bounds on them are checked in normal builds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryMeasurable = false;
#else
constexpr bool kMemoryMeasurable = true;
#endif

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM"); 0 where it cannot be read.
qint64 statusKilobytes(const char* field);
// This process's resident memory (VmRSS) in kilobytes.
inline qint64 residentKilobytes() { return statusKilobytes("VmRSS"); }

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Records every message box shown while it lives and answers each with the next queued answer
// (OK when none is queued).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QVector<MsgRecord> messages;
    QVector<MsgResult> answers;
    QStringList texts() const;
};

// A temporary folder that is also the system folder ($WINDIR) and the program folder.
class TestFolders {
public:
    TestFolders();
    ~TestFolders();
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    QString windows() const { return path(QStringLiteral("windows")); }
    QString app() const { return path(QStringLiteral("app")); }
    void write(const QString& relative, const QByteArray& bytes) const;
    void mkdir(const QString& relative) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldWindir;
    QByteArray m_oldConfigDirs;
};

// A small valid picture file of the given format ("BMP", "GIF", "JPG").
QByteArray pictureBytes(const char* format, int width = 8, int height = 8, Qt::GlobalColor color = Qt::red);
