// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/imagecontrol.h"

#include "platform/picturebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

int mouseButtonCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

QPointF exactPosition(const QWidget* w, const QMouseEvent* e)
{
    // Qt hands a child widget its position rounded to whole pixels; under display scaling that
    // moves a click by up to half a pixel (a dot 3.85 pixels away is missed). The position in
    // the window keeps the fraction. An event made by hand may carry no such position.
    const QPointF inWindow = e->scenePosition() - QPointF(w->mapTo(w->window(), QPoint(0, 0)));
    const QPointF d = inWindow - e->position();
    return std::abs(d.x()) < 1 && std::abs(d.y()) < 1 ? inWindow : e->position();
}

int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void ImageControl::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void ImageControl::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (m_stretch)
        p.drawImage(rect(), m_picture);
    else
        p.drawImage(0, 0, m_picture);
}

void ImageControl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_pressed = true;
    emit MouseDown(mouseButtonCode(e->button()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
}

void ImageControl::mouseMoveEvent(QMouseEvent* e)
{
    emit MouseMove(mouseButtonCode(e->buttons()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
}

void ImageControl::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = e->button() == Qt::LeftButton && m_pressed && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        m_pressed = false;
    emit MouseUp(mouseButtonCode(e->button()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
    if (click && isEnabled() && isVisible())
        emit Click();
}

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void ShapeControl::setShape(int shape)
{
    m_shape = shape;
    update();
}

void ShapeControl::setBackColor(uint32_t bgr)
{
    m_backColor = bgr & 0xFFFFFF;
    update();
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(bgrToRgb(m_backColor)));
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_shape == Square || m_shape == Circle || m_shape == RoundedSquare) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    switch (m_shape) {
    case Oval:
    case Circle: p.drawEllipse(r); break;
    case RoundedRectangle:
    case RoundedSquare: {
        const double radius = std::min(r.width(), r.height()) / 6;
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    default: p.drawRect(r); break;
    }
}
