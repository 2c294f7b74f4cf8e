// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// One running copy of a program per user. The first copy holds a lock file in folder and
// listens for later copies; a later copy finds the lock held, tells the first to come forward
// and should end. A lock left by a copy that crashed is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance(const QString& program, const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this copy is the one to run (or when no lock can be had at all: refusing to
    // start then would lock the class out). False when another copy runs; it has been asked
    // to come to the front.
    bool claim();
    QString lockPath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

signals:
    // A later copy asked this one to come to the front.
    void raiseRequested();

private:
    QString m_lockPath, m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

// claim() for this process in the user's system folder, kept until the program ends; the
// windows come to the front when a later copy starts.
bool claimSingleInstance(const QString& program);
