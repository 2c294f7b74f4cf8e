// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memwidgets.h"

#include "common/gfx.h"
#include "platform/accessible.h"

#include <QMouseEvent>
#include <QPainter>

// Described from birth: a screen reader that met the control before the board described it
// would keep Qt's plain interface, which reads a counter's bare number.
MemImage::MemImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    accessInfo(this);
}

void MemImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void MemImage::setBorder(bool border)
{
    m_border = border;
    update();
}

void MemImage::setStruck(bool struck)
{
    m_struck = struck;
    update();
}

void MemImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_picture);
    }
    if (m_border) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_struck) {
        p.setPen(QPen(QColor(255, 0, 0), 1));
        for (int y = 1; y < height(); y += 3)
            p.drawLine(0, y, width(), y);
    }
}

void MemImage::mouseReleaseEvent(QMouseEvent* e)
{
    // The release that ends a double click is not a second click.
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void MemImage::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_swallowRelease = true;
        emit doubleClicked();
    }
}

MemLabel::MemLabel(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    accessInfo(this);
}

void MemLabel::setForeColor(uint32_t bgr)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colorFromBgr(bgr));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, colorFromBgr(bgr));
    setPalette(pal);
}

void MemLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

MemCanvas::MemCanvas(QWidget* parent) : QWidget(parent) {}

void MemCanvas::setBackground(const QImage& picture)
{
    m_background = picture;
    update();
}

void MemCanvas::setPlayArea(const QRect& area)
{
    m_playArea = area;
    update();
}

void MemCanvas::fitDrawing()
{
    if (m_drawing.size() == size() || size().isEmpty())
        return;
    QImage grown(size(), QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::transparent);
    QPainter p(&grown);
    p.drawImage(0, 0, m_drawing);
    m_drawing = grown;
}

void MemCanvas::resizeEvent(QResizeEvent*)
{
    // The layer is made at the first line: a board without pair lines never needs its
    // megabytes, and making them cost a few milliseconds before the board first showed.
    if (!m_drawing.isNull())
        fitDrawing();
}

void MemCanvas::drawLine(const QLine& line, const QColor& color, int width)
{
    fitDrawing();
    if (m_drawing.isNull())
        return;
    QPainter p(&m_drawing);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, std::max(1, width), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(line);
    update();
}

void MemCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_background.isNull())
        p.drawImage(rect(), m_background);
    if (m_playArea.isValid()) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(m_playArea, 10, 10);
    }
    if (!m_drawing.isNull())
        p.drawImage(0, 0, m_drawing);
}

