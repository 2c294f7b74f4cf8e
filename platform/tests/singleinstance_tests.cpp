// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/singleinstance.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using Claim = SingleInstance::Claim;

namespace {
QString folder(const QTemporaryDir& d) { return d.path() + '/'; }

// The first copy answers from its own event loop, as it does in its own process.
struct FirstCopy {
    QThread thread;
    SingleInstance* copy;
    Claim claimed = Claim::NoAnswer;
    FirstCopy(const QString& program, const QString& system, const QString& runtime)
        : copy(new SingleInstance(program, system, runtime))
    {
        copy->moveToThread(&thread);
        QObject::connect(&thread, &QThread::finished, copy, &QObject::deleteLater);
        thread.start();
        QMetaObject::invokeMethod(copy, [this] { claimed = copy->claim(); }, Qt::BlockingQueuedConnection);
    }
    ~FirstCopy()
    {
        thread.quit();
        thread.wait();
    }
};
}

TEST(SingleInstance, ALaterCopyIsAnsweredByTheFirstAndEnds)
{
    QTemporaryDir home, runtime, otherComputer, elsewhere;
    FirstCopy first("brushbox", folder(home), folder(runtime));
    ASSERT_EQ(first.claimed, Claim::Run);
    QSignalSpy raised(first.copy, &SingleInstance::raiseRequested);

    SingleInstance second("brushbox", folder(home), folder(runtime));
    EXPECT_EQ(second.claim(), Claim::Raised);
    EXPECT_EQ(raised.size(), 1);

    // The other program, the same program of another user (another system folder) and the same
    // user's program on another computer with the same home (another runtime folder) run.
    SingleInstance other("twinturn", folder(home), folder(runtime));
    EXPECT_EQ(other.claim(), Claim::Run);
    SingleInstance otherUser("brushbox", folder(elsewhere), folder(runtime));
    EXPECT_EQ(otherUser.claim(), Claim::Run);
    SingleInstance onAnotherComputer("brushbox", folder(home), folder(otherComputer));
    EXPECT_EQ(onAnotherComputer.claim(), Claim::Run);
    EXPECT_FALSE(onAnotherComputer.lockPath().startsWith(home.path()));
}

TEST(SingleInstance, AHolderThatDoesNotAnswerIsNotSaidToComeForward)
{
    QTemporaryDir home, runtime;
    SingleInstance later("brushbox", folder(home), folder(runtime));
    QLockFile held(later.lockPath()); // a live holder that does not listen
    ASSERT_TRUE(held.tryLock(0));
    EXPECT_EQ(later.claim(), Claim::NoAnswer);
}

TEST(SingleInstance, TheLockOfACopyThatCrashedIsTakenOver)
{
    QTemporaryDir home, runtime;
    const QString lock = SingleInstance("brushbox", folder(home), folder(runtime)).lockPath();
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
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    gone.waitForFinished();
    const QByteArray stale = QByteArray::number(pid) + held.mid(held.indexOf('\n'));
    QFile f(lock);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(stale);
    f.close();

    SingleInstance next("brushbox", folder(home), folder(runtime));
    EXPECT_EQ(next.claim(), Claim::Run);
    // And it is held again: a copy after it does not run.
    QLockFile again(lock);
    EXPECT_FALSE(again.tryLock(0));
}
