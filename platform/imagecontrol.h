// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QWidget>

// An image control: shows a picture, at its own size from the top left or stretched over the
// control, and reports the mouse with the button as 1 left, 2 right, 4 middle. Click follows a
// left-button release over the control that was pressed on it. A disabled image gets no mouse
// events; a hidden one is not seen.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    QImage picture() const { return m_picture; }
    void setStretch(bool on);
    bool stretch() const { return m_stretch; }

signals:
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_stretch = false;
    bool m_pressed = false;
};

// A shape control: a rectangle (0), circle (3) or rounded rectangle (4) filled with its back
// colour inside a thin dark border. The mouse passes through it to what lies below.
class ShapeControl : public QWidget {
    Q_OBJECT
public:
    enum { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4, RoundedSquare = 5 };
    explicit ShapeControl(QWidget* parent = nullptr);
    void setShape(int shape);
    int shape() const { return m_shape; }
    void setBackColor(uint32_t bgr);
    uint32_t backColor() const { return m_backColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_shape = Rectangle;
    uint32_t m_backColor = 0xFFFFFF;
};

// The mouse buttons and shift keys as the controls report them.
int mouseButtonCode(Qt::MouseButtons buttons);
int shiftCode(Qt::KeyboardModifiers modifiers);
// Where the mouse is on the widget, to a fraction of a pixel.
QPointF exactPosition(const QWidget* widget, const QMouseEvent* event);
