// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QList>
#include <QString>

// The memory game's numbered configuration problems. Fatal ones end the program once their box
// is closed; warnings ask "Continue?" and end it on Cancel.
enum class MemErrorKind { Fatal, Warning };

struct MemErrorText {
    QString title;
    QString message; // without the "Continue?" of a warning
    MemErrorKind kind;
};

MemErrorText memErrorText(double number, const QString& info = QString(), const QString& info2 = QString(),
                          const QString& info3 = QString());

// Every number memErrorText knows that start-up shows (2 is kept free: a missing file named on
// the command line gets 1, as any missing configuration).
QList<int> memErrorNumbers();

void memHandleError(double number, const QString& info = QString(), const QString& info2 = QString());
// Shows a message of the table in its box, as memHandleError does.
void memShowError(double number, const QString& message);

struct Finding;
// Start-up's way with a finding of the game's reader: a numbered one is its message box.
bool memShowFinding(const Finding& finding);

// Ends the program at once, without any clean-up. Tests replace the ending with one that throws
// MemProgramEnd, so a call never returns to code that expects the program to be gone.
struct MemProgramEnd {
    int code;
};
using MemEnder = void (*)(int code);
[[noreturn]] void memEndProgram(int code);
void setMemEnder(MemEnder ender);
void memThrowingEnder(int code);

// "5" for 5, "2.5" for 2.5: the number's shortest form.
QString memNumberText(double number);
