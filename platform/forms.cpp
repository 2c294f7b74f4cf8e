// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/forms.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace {
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(QEventLoop* loop) : m_loop(loop) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        // Only the program's own hide ends the loop (a close the form accepted hides it too). A
        // window manager's minimise hides it spontaneously and its restore shows it again; a
        // close the form refuses never comes to a hide.
        if ((e->type() == QEvent::Hide && !e->spontaneous()) || e->type() == QEvent::DeferredDelete)
            m_loop->quit();
        return false;
    }

private:
    QEventLoop* m_loop;
};
}

void showModal(QWidget* form)
{
    if (!form)
        return;
    QPointer<QWidget> guard(form);
    QEventLoop loop;
    CloseWatcher watcher(&loop);
    form->installEventFilter(&watcher);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->setWindowModality(Qt::ApplicationModal);
    // A window kept from an earlier showing takes on its owner's disabled state when the owner
    // disables itself around the dialog; shown so, it would ignore every click and key.
    form->setEnabled(true);
    form->show();
    form->raise();
    form->activateWindow();
    loop.exec();
    if (guard)
        guard->removeEventFilter(&watcher);
}

void showModeless(QWidget* form)
{
    if (!form)
        return;
    form->show();
    form->raise();
}
