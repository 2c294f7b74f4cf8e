// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/keyboardfocus.h"

#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/focusframe.h"

#include <QKeyEvent>
#include <QWidget>

int pntNextStop(int from, int step, const QVector<bool>& usable)
{
    const int n = int(usable.size());
    if (n == 0)
        return -1;
    int i = from < 0 ? (step > 0 ? -1 : n) : from;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        if (usable[i])
            return i;
    }
    return -1;
}

KeyboardFocus::KeyboardFocus(QWidget* frameParent, Stops stops)
    : QObject(frameParent), m_parent(frameParent), m_stops(std::move(stops)), m_frame(new FocusFrame(frameParent))
{
    m_long.setSingleShot(true);
    m_long.setInterval(kLongPressMs);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &KeyboardFocus::settled);
    connect(&m_long, &QTimer::timeout, this, [this] {
        m_longDown = true;
        // Held before the frame was there: it only appears.
        if (!appear())
            press(true, true);
    });
}

QVector<bool> KeyboardFocus::usable(const QVector<QWidget*>& stops) const
{
    QVector<bool> in;
    for (QWidget* w : stops)
        in << (w && w->isVisibleTo(m_parent->window()) && w->isEnabled());
    return in;
}

bool KeyboardFocus::appear()
{
    if (shown())
        return false;
    const QVector<QWidget*> stops = m_stops();
    const int first = pntNextStop(-1, 1, usable(stops));
    show(first < 0 ? nullptr : stops[first]);
    return true;
}

void KeyboardFocus::step(int direction)
{
    if (appear())
        return;
    if (stepInside && stepInside(direction))
        return;
    const QVector<QWidget*> stops = m_stops();
    const int next = pntNextStop(int(stops.indexOf(m_current)), direction, usable(stops));
    show(next < 0 ? nullptr : stops[next]);
}

void KeyboardFocus::moveTo(QWidget* stop) { show(stop); }

void KeyboardFocus::refresh()
{
    if (!m_current)
        return;
    const QVector<QWidget*> stops = m_stops();
    const QVector<bool> in = usable(stops);
    const int at = int(stops.indexOf(m_current));
    if (at >= 0 && in[at]) {
        show(m_current);
        return;
    }
    // A stop gone from the list leaves the next one in its place.
    const int next = pntNextStop(at >= 0 ? at : m_index - 1, 1, in);
    show(next < 0 ? nullptr : stops[next]);
}

void KeyboardFocus::show(QWidget* stop)
{
    QWidget* before = m_current;
    m_current = stop;
    m_index = stop ? int(m_stops().indexOf(stop)) : -1;
    if (stop)
        m_frame->frame(QRect(stop->mapTo(m_parent, QPoint(0, 0)), stop->size()));
    else
        m_frame->hide();
    if (before != stop)
        announceFocus(stop, before);
    if (moved)
        moved();
}

void KeyboardFocus::press(bool down, bool enter)
{
    if (down) {
        // A release lost while the window was busy (and disabled) keeps no press held.
        m_pressed = nullptr;
        if (!m_current)
            return;
        m_pressed = m_current;
        m_pressedOwn = pressStop && pressStop(m_current, true, enter);
        if (!m_pressedOwn)
            sendLeftButton(m_current, QPointF(m_current->width() / 2.0, m_current->height() / 2.0), true);
        return;
    }
    QPointer<QWidget> stop = m_pressed;
    m_pressed = nullptr;
    if (!stop)
        return;
    if (m_pressedOwn)
        pressStop(stop, false, enter);
    else
        sendLeftButton(stop, QPointF(stop->width() / 2.0, stop->height() / 2.0), false);
}

bool KeyboardFocus::tabEvent(QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    return (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && keyPress(*k);
}

bool KeyboardFocus::keyPress(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers mods = e.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (mods)
        return false;
    const int key = e.key();
    if (m_settle.isActive()) {
        // The key never came up: the window system repeats a held key as a release and a press
        // of one moment. A press a moment later is a new one, and the release stands.
        if (key == m_settlingKey && e.timestamp() - m_settlingAt <= 2) {
            m_settle.stop();
            return true;
        }
        settled();
    }
    if (key == Qt::Key_Backtab) {
        if (!e.isAutoRepeat())
            step(-1);
        return true;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (appear())
            return true;
        if (!arrow || !arrow(m_current, key, e.modifiers() & Qt::ShiftModifier))
            step(key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1);
        return true;
    }
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Only once the frame is there: a child who has only used the mouse sees no surprise.
        if (!shown())
            return false;
        if (!e.isAutoRepeat())
            press(true, key != Qt::Key_Space);
        return true;
    }
    if (key != Qt::Key_Tab)
        return false;
    if (!e.isAutoRepeat()) {
        m_tabDown = true;
        m_longDown = false;
        m_long.start();
    }
    return true;
}

bool KeyboardFocus::keyRelease(const QKeyEvent& e)
{
    const int key = e.key();
    const bool ours = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab
                      || key == Qt::Key_Backtab;
    if (!ours || e.isAutoRepeat())
        return ours;
    // The release counts once no press of the same key follows it at once.
    if (m_settle.isActive())
        settled();
    m_settlingKey = key;
    m_settlingAt = e.timestamp();
    m_settle.start();
    return true;
}

void KeyboardFocus::settled()
{
    m_settle.stop();
    released(m_settlingKey);
}

void KeyboardFocus::released(int key)
{
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_pressed)
            press(false, key != Qt::Key_Space);
        return;
    }
    if (key != Qt::Key_Tab || !m_tabDown)
        return;
    m_tabDown = false;
    m_long.stop();
    if (m_longDown) {
        m_longDown = false;
        press(false, true);
    } else {
        step(1);
    }
}
