// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// One running copy of a program per user and login. The first copy holds a lock file in the
// login's runtime folder (a network home is shared by several computers; a login's runtime
// folder is not) and listens for later copies; a later copy finds the lock held, asks the first
// to come forward and should end. A lock left by a copy that crashed is taken over. "The same
// user" is the same system folder, so copies with their own $WINDIR run side by side.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance(const QString& program, const QString& systemFolder, const QString& runtimeFolder,
                   QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        Run,      // this copy is the one to run (also when no lock can be had at all: refusing
                  // to start then would lock the class out)
        Raised,   // another copy runs and answered that its window came to the front
        NoAnswer, // another copy holds the lock but did not answer (still starting, or stuck)
    };
    Claim claim();
    QString lockPath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

signals:
    // A later copy asked this one to come to the front; it is told so once this returns.
    void raiseRequested();

private:
    QString m_lockPath, m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

// claim() for this process, kept until the program ends; the windows come to the front when a
// later copy starts.
SingleInstance::Claim claimSingleInstance(const QString& program);
