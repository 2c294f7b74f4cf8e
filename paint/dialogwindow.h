// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QColor>
#include <QRect>
#include <QWidget>

class ImageControl;

// Pieces the open and save windows share.

// A rectangle given in twips, as the dialogs are laid out.
struct TwipsRect {
    int left, top, width, height;
};
void placeTwips(QWidget* w, const TwipsRect& r);

// The red frame around the chosen catalog or picture: a 2-pixel border just outside the cell,
// so the picture stays whole. The mouse passes through it.
class FrameControl : public QWidget {
public:
    explicit FrameControl(QWidget* parent, QColor color = QColor(255, 0, 0), int width = 2);
    void frame(const QWidget* cell);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    int m_width;
};

// With the debug flag, the large dialogs outline their tooltip areas so a theme author sees them.
void outlineForDebug(QWidget* area);

// An image control of a dialog, stretched, with an object name for tests.
ImageControl* dialogImage(QWidget* parent, const QString& name, const TwipsRect& r);

// Centres a window on the primary screen.
void centreOnScreen(QWidget* window);

// The small help and exit buttons: the configured picture, or hidden and disabled without one.
void dressSmallButton(ImageControl* image, const QString& file);
