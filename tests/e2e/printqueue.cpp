// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "printqueue.h"
#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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
    QString out = "${HOME}/PDF";
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray& line : conf.readAll().split('\n'))
            if (line.startsWith("Out "))
                out = QString::fromLocal8Bit(line.mid(4).trimmed());
    return out.replace("${HOME}", QDir::homePath());
}
}

PrintQueue::PrintQueue() : m_name(QStringLiteral("BrushboxTest%1").arg(QCoreApplication::applicationPid()))
{
    const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
    QString out;
    if (!QFileInfo::exists(ppd)) {
        m_whyNot = "cups-pdf is not installed";
    } else if (runTool("lpstat", {"-r"}, &out) != 0 || !out.contains("is running")) {
        m_whyNot = "the CUPS scheduler is not running";
    } else if (runTool("lpadmin", {"-p", m_name, "-v", "cups-pdf:/", "-E", "-P", ppd}, &out) != 0) {
        m_whyNot = "lpadmin could not make a queue: " + out.trimmed();
    }
    m_outDir = cupsPdfFolder();
    m_made = QDateTime::currentDateTime().addSecs(-1);
}

PrintQueue::~PrintQueue()
{
    if (!ready())
        return;
    runTool("lpadmin", {"-x", m_name});
    for (const QString& pdf : pdfs(0, 0))
        QFile::remove(pdf);
}

void PrintQueue::setAccepting(bool on) const
{
    runTool(on ? "cupsaccept" : "cupsreject", {m_name});
}

void PrintQueue::setEnabled(bool on) const
{
    runTool(on ? "cupsenable" : "cupsdisable", {m_name});
}

QStringList PrintQueue::pdfs(int count, int timeoutMs) const
{
    QStringList found;
    waitFor([&] {
        found.clear();
        for (const QFileInfo& f : QDir(m_outDir).entryInfoList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed))
            if (f.lastModified() >= m_made)
                found << f.absoluteFilePath();
        return found.size() >= count;
    }, timeoutMs);
    return found;
}
