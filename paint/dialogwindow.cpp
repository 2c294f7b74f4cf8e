// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/dialogwindow.h"

#include "common/fileio.h"
#include "common/gfx.h"
#include "paint/paintsettings.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

void placeTwips(QWidget* w, const TwipsRect& r)
{
    w->setGeometry(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width), twipsToPixels(r.height));
}

FrameControl::FrameControl(QWidget* parent, QColor color, int width) : QWidget(parent), m_color(color), m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FrameControl::frame(const QWidget* cell)
{
    setGeometry(cell->geometry().adjusted(-2, -2, 2, 2));
    raise();
    show();
}

void FrameControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(m_color);
    const int w = width(), h = height(), b = m_width;
    p.drawRect(0, 0, w, b);
    p.drawRect(0, h - b, w, b);
    p.drawRect(0, 0, b, h);
    p.drawRect(w - b, 0, b, h);
}

void outlineForDebug(QWidget* area)
{
    if (!bolDebug)
        return;
    auto* outline = new FrameControl(area->parentWidget(), QColor(0, 0, 0), 1);
    outline->setObjectName(area->objectName() + QStringLiteral("_border"));
    outline->setGeometry(area->geometry());
    outline->show();
}

ImageControl* dialogImage(QWidget* parent, const QString& name, const TwipsRect& r)
{
    auto* image = new ImageControl(parent);
    image->setObjectName(name);
    image->setStretch(true);
    placeTwips(image, r);
    return image;
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.x() + (area.width() - window->width()) / 2, area.y() + (area.height() - window->height()) / 2);
    }
}

void dressSmallButton(ImageControl* image, const QString& file)
{
    const QString path = PaintSettings.gfx.expanded + file;
    QImage picture;
    if (!file.isEmpty() && fioFileExists(path))
        picture = loadPicture(path);
    if (!picture.isNull()) {
        image->setPicture(picture);
    } else {
        image->hide();
        image->setEnabled(false);
    }
}
