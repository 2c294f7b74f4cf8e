// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "printqueue.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace {
int runTool(const QString& program, const QStringList& args, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(15000)) {
        p.kill();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// Where cups-pdf writes a job of this user.
QString cupsPdfFolder()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray& line : conf.readAll().split('\n'))
            if (line.startsWith("Out "))
                out = QString::fromLocal8Bit(line.mid(4).trimmed());
    return out.replace(QLatin1String("${HOME}"), QDir::homePath());
}
}

PrintQueue::PrintQueue() : m_name(QStringLiteral("BrushboxTest%1").arg(QCoreApplication::applicationPid()))
{
    const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    QString out;
    if (!QFileInfo::exists(ppd)) {
        m_whyNot = QStringLiteral("cups-pdf is not installed");
    } else if (runTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &out) != 0 || !out.contains(QLatin1String("is running"))) {
        m_whyNot = QStringLiteral("the CUPS scheduler is not running");
    } else if (runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), m_name, QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                                                   QStringLiteral("-E"), QStringLiteral("-P"), ppd},
                       &out)
               != 0) {
        m_whyNot = QStringLiteral("lpadmin could not make a queue: ") + out.trimmed();
    }
    m_outDir = cupsPdfFolder();
    m_made = QDateTime::currentDateTime().addSecs(-1);
}

PrintQueue::~PrintQueue()
{
    if (!ready())
        return;
    runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_name});
    for (const QString& pdf : pdfs(0, 0))
        QFile::remove(pdf);
}

void PrintQueue::setAccepting(bool on) const
{
    runTool(on ? QStringLiteral("cupsaccept") : QStringLiteral("cupsreject"), {m_name});
}

void PrintQueue::setEnabled(bool on) const
{
    runTool(on ? QStringLiteral("cupsenable") : QStringLiteral("cupsdisable"), {m_name});
}

QStringList PrintQueue::pdfs(int count, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    QStringList found;
    do {
        found.clear();
        const QFileInfoList files = QDir(m_outDir).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed);
        for (const QFileInfo& f : files)
            if (f.lastModified() >= m_made)
                found << f.absoluteFilePath();
        if (found.size() >= count)
            break;
        QThread::msleep(50);
    } while (clock.elapsed() < timeoutMs);
    return found;
}
