// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/focusframe.h"

#include "platform/accessible.h"

#include <QPainter>

namespace {
const QColor kDark(0x20, 0x20, 0x20), kLight(0xFF, 0xD8, 0x20);
constexpr int kCursorRadius = 7;
constexpr int kCursorSize = 2 * (kCursorRadius + 12) + 1; // room for the steering's arrow
}

FocusFrame::FocusFrame(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    accessDecoration(this);
    hide();
}

void FocusFrame::frame(const QRect& around)
{
    QRect r = around.adjusted(-5, -5, 5, 5);
    if (parentWidget())
        r = r.intersected(parentWidget()->rect());
    setGeometry(r);
    raise();
    show();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(kDark, 6));
    p.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
    p.setPen(QPen(kLight, 3));
    p.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
}

FocusCursor::FocusCursor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("focusCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    accessDecoration(this);
    resize(kCursorSize, kCursorSize);
    hide();
}

void FocusCursor::showAt(const QPoint& centre)
{
    move(centre - QPoint(width() / 2, height() / 2));
    raise();
    show();
}

void FocusCursor::setMark(Mark mark)
{
    m_mark = mark;
    update();
}

void FocusCursor::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() / 2.0, height() / 2.0);
    for (const auto& [color, width] : {std::pair{kDark, 4}, std::pair{kLight, 2}}) {
        p.setPen(QPen(color, width));
        p.drawEllipse(c, kCursorRadius, kCursorRadius);
        // The cross leaves the middle open: the pixel the cursor stands on stays in sight.
        p.drawLine(QPointF(c.x() - kCursorRadius, c.y()), QPointF(c.x() - 2, c.y()));
        p.drawLine(QPointF(c.x() + 2, c.y()), QPointF(c.x() + kCursorRadius, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - kCursorRadius), QPointF(c.x(), c.y() - 2));
        p.drawLine(QPointF(c.x(), c.y() + 2), QPointF(c.x(), c.y() + kCursorRadius));
    }
    if (m_mark == NoMark)
        return;
    p.setPen(QPen(kDark, 2));
    p.setBrush(kLight);
    if (m_mark == PaintHere) {
        p.drawEllipse(c, 3, 3);
    } else if (m_mark == Leave) {
        const double r = kCursorRadius + 8;
        for (const auto& [color, width] : {std::pair{kDark, 5}, std::pair{kLight, 3}}) {
            p.setPen(QPen(color, width));
            p.drawLine(c + QPointF(-r, -r), c + QPointF(-r + 7, -r + 7));
            p.drawLine(c + QPointF(r, -r), c + QPointF(r - 7, -r + 7));
            p.drawLine(c + QPointF(-r, r), c + QPointF(-r + 7, r - 7));
            p.drawLine(c + QPointF(r, r), c + QPointF(r - 7, r - 7));
        }
    } else {
        // An arrow just outside the ring, pointing the way a press moves.
        const int turns = m_mark - MoveRight; // right, down, left, up: quarter turns
        p.translate(c);
        p.rotate(90.0 * turns);
        const QPointF arrow[3] = {{kCursorRadius + 11.0, 0}, {kCursorRadius + 3.0, -6}, {kCursorRadius + 3.0, 6}};
        p.drawPolygon(arrow, 3);
    }
}
