// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/classroomkeys.h"

#include "platform/events.h"
#include "platform/soundmute.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

ClassroomKeys::ClassroomKeys(std::function<void()> endProgram, QObject* parent)
    : QObject(parent), m_endProgram(std::move(endProgram))
{
}

bool ClassroomKeys::handle(const QKeyEvent& e)
{
    const Qt::KeyboardModifiers mods = e.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int key = shortcutKey(e);
    if (key == Qt::Key_M && mods == Qt::ControlModifier) {
        if (!e.isAutoRepeat())
            SoundMute::instance().toggle();
        return true;
    }
    if (key == Qt::Key_Q && mods == (Qt::ControlModifier | Qt::ShiftModifier) && m_endProgram) {
        if (!e.isAutoRepeat())
            m_endProgram();
        return true;
    }
    return false;
}

bool ClassroomKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && handle(*static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void installClassroomKeys(std::function<void()> endProgram)
{
    static QPointer<ClassroomKeys> installed;
    delete installed;
    installed = new ClassroomKeys(std::move(endProgram), qApp);
    qApp->installEventFilter(installed);
}
