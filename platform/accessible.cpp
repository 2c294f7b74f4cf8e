// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

namespace {
class SkinnedAccessible : public QAccessibleWidget {
public:
    SkinnedAccessible(QWidget* w, AccessInfo* info) : QAccessibleWidget(w, info->role), m_info(info) {}

    QAccessible::Role role() const override { return m_info ? m_info->role : QAccessibleWidget::role(); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            if (m_info && m_info->name)
                return m_info->name();
            return widget()->accessibleName().isEmpty() ? widget()->toolTip() : widget()->accessibleName();
        }
        if (t == QAccessible::Description && m_info && m_info->name && widget()->toolTip() == m_info->name())
            return QString(); // the tooltip is the name already
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // A decoration, or a place with nothing in it (an empty cell of a grid), is not told of.
        if (m_info && (m_info->decoration || (m_info->name && m_info->name().isEmpty())))
            s.invisible = true;
        if (m_info && m_info->press) {
            s.focusable = true;
            s.focused = m_info->focused;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (m_info && m_info->press && widget()->isEnabled())
            return {pressAction()};
        return QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        // Pressed through the assistive program: as a click, never on a control that cannot take one.
        if (action == pressAction() && m_info && m_info->press && widget()->isEnabled() && widget()->isVisible()) {
            // After the answer: a press may open a modal window, whose loop would hold the
            // assistive program's call until the window closed.
            QPointer<AccessInfo> info = m_info;
            QMetaObject::invokeMethod(widget(), [info] {
                if (info && info->press)
                    info->press();
            }, Qt::QueuedConnection);
        } else
            QAccessibleWidget::doAction(action);
    }

private:
    QPointer<AccessInfo> m_info;
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* w = qobject_cast<QWidget*>(object);
    if (!w)
        return nullptr;
    auto* info = w->findChild<AccessInfo*>(QString(), Qt::FindDirectChildrenOnly);
    return info ? new SkinnedAccessible(w, info) : nullptr;
}
}

AccessInfo::AccessInfo(QWidget* control) : QObject(control) { setObjectName(QStringLiteral("accessInfo")); }

AccessInfo* accessInfo(QWidget* control)
{
    if (auto* info = control->findChild<AccessInfo*>(QString(), Qt::FindDirectChildrenOnly))
        return info;
    auto* info = new AccessInfo(control);
    // A control shown before it was described has Qt's plain interface already: it goes, and the
    // next question gets ours.
    if (QAccessible::isActive())
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control)));
    return info;
}

AccessInfo* describeAccess(QWidget* control, QAccessible::Role role, std::function<QString()> name, std::function<void()> press)
{
    AccessInfo* info = accessInfo(control);
    info->role = role;
    info->name = std::move(name);
    info->press = std::move(press);
    return info;
}

AccessInfo* describeAccess(QWidget* control, QAccessible::Role role, const QString& name, std::function<void()> press)
{
    return describeAccess(control, role, [name] { return name; }, std::move(press));
}

void accessDecoration(QWidget* control) { accessInfo(control)->decoration = true; }

void announceFocus(QWidget* control, QWidget* previous)
{
    if (previous && previous != control) {
        if (auto* info = previous->findChild<AccessInfo*>(QString(), Qt::FindDirectChildrenOnly))
            info->focused = false;
        if (QAccessible::isActive()) {
            QAccessible::State lost;
            lost.focused = true;
            QAccessibleStateChangeEvent e(previous, lost);
            QAccessible::updateAccessibility(&e);
        }
    }
    if (!control)
        return;
    accessInfo(control)->focused = true;
    if (QAccessible::isActive()) {
        QAccessibleEvent e(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&e);
    }
}

void announceNameChange(QWidget* control)
{
    if (control && QAccessible::isActive()) {
        QAccessibleEvent e(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&e);
    }
}

void installAccessibleControls() { QAccessible::installFactory(factory); }
