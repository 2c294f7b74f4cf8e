// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/singleinstance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, ALaterCopyAsksTheFirstToComeForwardAndEnds)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    SingleInstance first(QStringLiteral("brushbox"), folder);
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second(QStringLiteral("brushbox"), folder);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(raised.wait(3000));
    EXPECT_EQ(raised.size(), 1);

    // The other program, and the same program of another user (another system folder), run.
    SingleInstance other(QStringLiteral("twinturn"), folder);
    EXPECT_TRUE(other.claim());
    QTemporaryDir elsewhere;
    SingleInstance otherUser(QStringLiteral("brushbox"), elsewhere.path() + QLatin1Char('/'));
    EXPECT_TRUE(otherUser.claim());
}

TEST(SingleInstance, TheLockOfACopyThatCrashedIsTakenOver)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString lock = folder + QStringLiteral("brushbox.lock");
    // A lock file as a running copy writes it, but naming a process that has ended.
    QByteArray held;
    {
        QLockFile l(lock);
        ASSERT_TRUE(l.tryLock(0));
        QFile f(lock);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        held = f.readAll();
    }
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    gone.waitForFinished();
    const QByteArray stale = QByteArray::number(pid) + held.mid(held.indexOf('\n'));
    QFile f(lock);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(stale);
    f.close();

    SingleInstance next(QStringLiteral("brushbox"), folder);
    EXPECT_TRUE(next.claim());
    // And it is held again: a copy after it does not run.
    SingleInstance after(QStringLiteral("brushbox"), folder);
    EXPECT_FALSE(after.claim());
}
