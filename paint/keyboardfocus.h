// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <functional>

class FocusFrame;
class QEvent;
class QKeyEvent;
class QWidget;

// The next usable stop from index from in a ring of stops, step +1 or -1, going round; from -1
// starts before the first (or after the last). -1 when no stop is usable.
int pntNextStop(int from, int step, const QVector<bool>& usable);

// The keyboard's way over a window's controls, and a switch's: Tab and Shift+Tab move the focus
// frame from stop to stop in the window's order, over the stops that can be used now (shown and
// enabled); the arrows do too, unless the window gives them a meaning on that stop. Space and
// Enter press the stop as the left mouse button does: down with the key, up with its release.
// A one-switch presses with a long press of Tab: down when Tab has been held kLongPressMs, up
// when it is let go (as Enter); a shorter press steps, on its release. The frame comes with the
// first key, so a window used with the mouse looks as it always did.
class KeyboardFocus : public QObject {
    Q_OBJECT
public:
    static constexpr int kLongPressMs = 1000;
    // A held key may come as a release and a press of one moment, again and again (X without
    // detectable autorepeat); a release stands once this long has passed without such a press.
    static constexpr int kSettleMs = 30;
    using Stops = std::function<QVector<QWidget*>()>;
    // The frame is drawn on frameParent; the stops lie anywhere inside it.
    KeyboardFocus(QWidget* frameParent, Stops stops);

    // The stop the frame is on; null before the first key and when none can be used.
    QWidget* current() const { return m_current; }
    bool shown() const { return m_current != nullptr; }
    // The first key: the frame appears on the first stop. True when it was not there before.
    bool appear();
    void step(int direction);
    void moveTo(QWidget* stop);
    // A stop came, went or moved: the frame follows, to the next stop when its own is gone.
    void refresh();

    // For the window's event(): Tab and Shift+Tab reach the frame before Qt's own chain of focus
    // takes them. True when the event was one of them.
    bool tabEvent(QEvent* e);
    // Tab, Backtab, the arrows, Space and Enter; true when the key was one of them.
    bool keyPress(const QKeyEvent& e);
    bool keyRelease(const QKeyEvent& e);

    // Space or Enter (enter) on stop, going down and coming up; true when the window pressed it
    // its own way, false for a click at the stop's middle.
    std::function<bool(QWidget* stop, bool down, bool enter)> pressStop;
    // An arrow on stop (shift: a larger step); true when the window moved inside the stop.
    std::function<bool(QWidget* stop, int key, bool shift)> arrow;
    // Tab inside a stop with places of its own (the canvas while it is steered); true when the
    // stop took the step.
    std::function<bool(int direction)> stepInside;
    // After the frame moved or left.
    std::function<void()> moved;

private:
    void show(QWidget* stop);
    void press(bool down, bool enter);
    QPointer<QWidget> m_pressed; // the stop a key went down on, which gets its release
    bool m_pressedOwn = false;
    QVector<bool> usable(const QVector<QWidget*>& stops) const;
    QWidget* m_parent;
    Stops m_stops;
    FocusFrame* m_frame;
    QPointer<QWidget> m_current;
    int m_index = -1; // m_current's place among the stops
    void settled();
    void released(int key);
    QTimer m_long;
    QTimer m_settle;
    int m_settlingKey = 0;
    quint64 m_settlingAt = 0;
    bool m_tabDown = false;
    bool m_longDown = false;
};
