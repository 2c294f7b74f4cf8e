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

SingleInstance::SingleInstance(const QString& program, const QString& folder, QObject* parent) : QObject(parent)
{
    const QString base = folder.isEmpty() ? QDir::tempPath() + QLatin1Char('/') : folder;
    m_lockPath = base + program + QStringLiteral(".lock");
    // A socket path has a short length limit, so the socket lies in the temporary folder under a
    // name made from the lock's place: one per user and folder.
    const QByteArray hash = QCryptographicHash::hash(m_lockPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_serverName = QDir::tempPath() + QLatin1Char('/') + program + QLatin1Char('-') + QString::fromLatin1(hash);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
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
                emit raiseRequested();
            }
        });
        m_server->listen(m_serverName);
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return true;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    // The first copy may still be starting and not listen yet; it runs all the same.
    if (socket.waitForConnected(2000)) {
        socket.write("raise\n");
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}

bool claimSingleInstance(const QString& program)
{
    static SingleInstance* instance = nullptr;
    delete instance;
    instance = new SingleInstance(program, systemFolder(), qApp);
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
