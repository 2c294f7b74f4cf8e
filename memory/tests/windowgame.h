// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "fakes.h"
#include "gamefiles.h"
#include "memory/frm_memorygame.h"
#include "memory/twinturn.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <functional>

// The screen size the window sees, for the length of a test.
struct TestScreen {
    explicit TestScreen(QSize size = QSize(1024, 768)) { frm_MemoryGame::setScreenSizeForTests(size); }
    ~TestScreen() { frm_MemoryGame::setScreenSizeForTests(QSize()); }
};

inline bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000) { return QTest::qWaitFor(done, timeoutMs); }

// A click, or a double click: press, release, double click, release.
inline void click(QWidget* w, QPoint at, bool twice = false)
{
    const QPointF global = w->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent again(QEvent::MouseButtonDblClick, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
    if (twice) {
        QApplication::sendEvent(w, &again);
        QApplication::sendEvent(w, &release);
    }
}
inline void click(QWidget* w) { click(w, w->rect().center()); }

// The window on a game read from memFile, with the boxes its set-up showed.
template <class Window = frm_MemoryGame>
struct OpenGame {
    MessageRecorder boxes;
    Window window;
    bool loaded;
    explicit OpenGame(const QString& ini) : loaded((memFile = ini, window.Form_Load())) {}
    explicit OpenGame(GameFiles& g) : OpenGame((g.write(), g.ini())) {}
    QString said() const { return boxes.texts().join(QLatin1Char('\n')); }
    bool shown()
    {
        window.show();
        return waitFor([this] { return window.state.memGameReady; });
    }
};
