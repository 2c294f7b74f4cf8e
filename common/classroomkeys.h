// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QObject>
#include <functional>

class QKeyEvent;

// The keys an adult uses in any window of the program, dialogs and message boxes included:
// Ctrl+M turns all sound off and on again; Ctrl+Shift+Q ends the program when endProgram is
// given (the only way out when the theme forbids quitting).
class ClassroomKeys : public QObject {
    Q_OBJECT
public:
    explicit ClassroomKeys(std::function<void()> endProgram, QObject* parent = nullptr);
    // Whether the key is one of ours; acts on it when it is.
    bool handle(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_endProgram;
};

// One filter for the whole application; installing again replaces it.
void installClassroomKeys(std::function<void()> endProgram);
