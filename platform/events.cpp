// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/events.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <cmath>
#include <cstring>

namespace {
double g_pauseScale = 1.0;
}

void setPauseScale(double scale) { g_pauseScale = scale < 0 ? 0 : scale; }
double pauseScale() { return g_pauseScale; }

void doEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void platformSleep(int ms)
{
    const qint64 wanted = std::llround(ms * g_pauseScale);
    if (wanted <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < wanted) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = wanted - clock.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
    }
}

namespace {
void sendMouse(QWidget* control, QEvent::Type type, const QPointF& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    if (!control)
        return;
    const QPointF scene = QPointF(control->mapTo(control->window(), QPoint(0, 0))) + pos;
    const QPointF global = QPointF(control->mapToGlobal(QPoint(0, 0))) + pos;
    QMouseEvent e(type, pos, scene, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(control, &e);
}
}

void sendLeftButton(QWidget* control, const QPointF& pos, bool down)
{
    sendMouse(control, down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, pos, Qt::LeftButton,
              down ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(Qt::NoButton));
}

void sendLeftButtonMove(QWidget* control, const QPointF& pos)
{
    sendMouse(control, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}

std::function<void()> clickOf(QWidget* control)
{
    return [control] {
        const QPointF middle(control->width() / 2.0, control->height() / 2.0);
        sendLeftButton(control, middle, true);
        sendLeftButton(control, middle, false);
    };
}

int shortcutKey(const QKeyEvent& e)
{
    const int key = e.key();
    if (key < 0x100 || key >= Qt::Key_Escape)
        return key;
    // The letter keys' codes as X11 and Wayland give them (evdev), row by row.
    static const struct {
        quint32 first;
        const char* letters;
    } rows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
    const quint32 code = e.nativeScanCode();
    for (const auto& row : rows)
        if (code >= row.first && code < row.first + std::strlen(row.letters))
            return Qt::Key_A + (row.letters[code - row.first] - 'A');
    return key;
}
