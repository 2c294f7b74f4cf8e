// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "testsupport/tutorial.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

QVector<TutorialStep> tutorialSteps(const QString& page, const QString& title)
{
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype begin = text.indexOf(title);
    if (begin < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), begin + title.size());
    QVector<TutorialStep> steps{{QString(), {}}};
    const QStringList lines = text.mid(begin, end < 0 ? -1 : end - begin).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral("### "))) {
            steps.append({lines[i].mid(4), {}});
        } else if (lines[i].startsWith(QStringLiteral("```")) && lines[i].size() > 3) {
            TutorialBlock b{lines[i].mid(3).trimmed(), QString()};
            while (++i < lines.size() && !lines[i].startsWith(QStringLiteral("```")))
                b.text += lines[i] + QLatin1Char('\n');
            b.text.replace(QStringLiteral("<TAB>"), QStringLiteral("\t"));
            steps.last().blocks.append(b);
        }
    }
    return steps;
}

QString runTutorialCommands(const QString& commands, const QString& folder, const QString& home)
{
    QProcess sh;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    sh.setProcessEnvironment(env);
    sh.setWorkingDirectory(folder);
    sh.start(QStringLiteral("bash"), {QStringLiteral("-ec"), commands});
    if (!sh.waitForFinished(60000))
        return QStringLiteral("the commands did not finish");
    return sh.exitCode() == 0 ? QString() : QStringLiteral("exit %1: %2").arg(sh.exitCode()).arg(QString::fromUtf8(sh.readAllStandardError()));
}

bool writeTutorialFile(const TutorialBlock& block, const QString& path, const QString& home)
{
    QString body = block.text;
    body.replace(QStringLiteral("/home/anna"), home);
    QFile out(path);
    if (!out.open(block.info.endsWith(QStringLiteral("added")) ? QIODevice::Append : QIODevice::WriteOnly))
        return false;
    return out.write((out.size() > 0 ? QStringLiteral("\n") + body : body).toUtf8()) >= 0;
}
