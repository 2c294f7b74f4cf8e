// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>

// The options both programs take besides their configuration path.
struct CommandLine {
    enum Action { Run, Help, Version, Check, Usage };
    Action action = Run;
    QStringList configuration; // the configuration path argument, when given
    QString error;             // for Usage: what was wrong
};

// arguments without the program name.
CommandLine parseCommandLine(const QStringList& arguments);

// The texts printed for --help and --version and on a usage error.
QString helpText(const QString& program, const QString& configName, const QString& summary);
QString versionText(const QString& program);
QString usageText(const QString& program);
