// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QVector>

// The tutorial page's fenced blocks, so that tests build what the page shows and follow it when
// it changes.
struct TutorialBlock {
    QString info; // the fence's info: "sh", "ini zypaint.ini", "ini zypaint.ini added"
    QString text; // with "<TAB>" written as a TAB
};
struct TutorialStep {
    QString heading; // "2. The smallest configuration"
    QVector<TutorialBlock> blocks;
};

// The steps under the second-level heading that holds title ("a Brushbox theme"), up to the
// next such heading.
QVector<TutorialStep> tutorialSteps(const QString& page, const QString& title);

// Runs a command block with bash in folder, HOME set to home; the error output, or empty.
QString runTutorialCommands(const QString& commands, const QString& folder, const QString& home);

// Writes a file block to path, or adds it to the end when its info ends in "added"; /home/anna
// becomes home.
bool writeTutorialFile(const TutorialBlock& block, const QString& path, const QString& home);
