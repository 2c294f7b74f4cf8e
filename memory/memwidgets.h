// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QLabel>
#include <QWidget>

// The game window's controls: an image that stretches its picture and takes clicks, a label that
// takes clicks, and the background box that keeps what is drawn on it.

class MemImage : public QWidget {
    Q_OBJECT
public:
    explicit MemImage(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    void setBorder(bool border);
    // Red lines across the picture, one every 3 pixels: the player is out.
    void setStruck(bool struck);
    bool struck() const { return m_struck; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_border = false;
    bool m_struck = false;
    bool m_swallowRelease = false;
};

class MemLabel : public QLabel {
    Q_OBJECT
public:
    explicit MemLabel(QWidget* parent = nullptr);
    void setForeColor(uint32_t bgr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// pic_Background: the background picture, the frame of the board area and the lines drawn on it.
class MemCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MemCanvas(QWidget* parent = nullptr);
    void setBackground(const QImage& picture);
    void setPlayArea(const QRect& area);
    void drawLine(const QLine& line, const QColor& color, int width);
    const QImage& drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitDrawing();
    QImage m_background;
    QImage m_drawing; // persistent: what the game has drawn
    QRect m_playArea;
};

