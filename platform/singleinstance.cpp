// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/singleinstance.h"

#include "platform/sysfolder.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

namespace {
const QByteArray kAsk = "raise\n";
const QByteArray kAnswer = "raised\n";
}

SingleInstance::SingleInstance(const QString& program, const QString& systemFolder, const QString& runtimeFolder,
                               QObject* parent)
    : QObject(parent)
{
    const QString base = runtimeFolder.isEmpty() ? QDir::tempPath() + QLatin1Char('/') : runtimeFolder;
    const QByteArray user = QCryptographicHash::hash(systemFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString name = base + program + QLatin1Char('-') + QString::fromLatin1(user);
    m_lockPath = name + QStringLiteral(".lock");
    // A socket's path has a limit of about a hundred bytes.
    m_serverName = name.size() < 100 ? QString(name + QStringLiteral(".socket"))
                                     : QDir::tempPath() + QLatin1Char('/') + program + QLatin1Char('-')
                                           + QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1)
                                                                     .toHex()
                                                                     .left(16));
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Age never makes a lock stale: only a holder that no longer runs does.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_server = new QLocalServer(this);
        QLocalServer::removeServer(m_serverName); // left by a copy that crashed
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = m_server->nextPendingConnection()) {
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QLocalSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains(kAsk))
                        return;
                    emit raiseRequested();
                    s->write(kAnswer);
                    s->flush();
                });
            }
        });
        m_server->listen(m_serverName);
        return Claim::Run;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return Claim::Run;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    // The first copy may still be reading its configuration and answer late.
    if (!socket.waitForConnected(3000))
        return Claim::NoAnswer;
    socket.write(kAsk);
    QByteArray answer;
    while (!answer.contains(kAnswer) && socket.waitForReadyRead(3000))
        answer += socket.readAll();
    socket.disconnectFromServer();
    return answer.contains(kAnswer) ? Claim::Raised : Claim::NoAnswer;
}

SingleInstance::Claim claimSingleInstance(const QString& program)
{
    static SingleInstance* instance = nullptr;
    delete instance;
    instance = new SingleInstance(program, systemFolder(), runtimeFolder(), qApp);
    QObject::connect(instance, &SingleInstance::raiseRequested, [] {
        // Out of the minimised state only: a full-screen window stays full screen.
        const auto restore = [](QWidget* w) {
            if (w->isMinimized())
                w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
            w->raise();
        };
        QWidget* top = QApplication::activeModalWidget();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != top)
                restore(w);
        if (top) {
            restore(top);
            top->activateWindow();
        }
    });
    return instance->claim();
}
