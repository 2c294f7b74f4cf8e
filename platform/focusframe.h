// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QWidget>

// The frame round the control the keyboard is on: thick enough to see on any picture, light
// inside dark so it shows on light and dark pictures alike. Clicks go through it. Both
// programs draw it alike.
class FocusFrame : public QWidget {
    Q_OBJECT
public:
    explicit FocusFrame(QWidget* parent = nullptr);
    // Frames the rectangle, given in the parent's coordinates; kept inside the parent, so a
    // control at the window's edge is framed too.
    void frame(const QRect& around);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The keyboard's drawing cursor: a small ring with a cross, in the frame's colours, centred on
// a point of the parent. Clicks go through it; it is never part of a picture.
// Steered by a switch, it also shows what a press does there: an arrow for a move, a dot for
// painting, a cross for leaving.
class FocusCursor : public QWidget {
    Q_OBJECT
public:
    enum Mark { NoMark, MoveRight, MoveDown, MoveLeft, MoveUp, PaintHere, Leave };
    explicit FocusCursor(QWidget* parent = nullptr);
    void showAt(const QPoint& centre);
    void setMark(Mark mark);
    Mark mark() const { return m_mark; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Mark m_mark = NoMark;
};
