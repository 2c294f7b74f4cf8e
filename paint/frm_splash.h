// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QWidget>

class QLabel;

// Shown while a program reads its configuration; false while a shown splash window has not yet
// become active.
extern bool bolSplashShown;

class frm_Splash : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Paint, Memory }; // the memory game's splash is a plain coloured window
    explicit frm_Splash(Kind kind);

    void setText(const QString& text);
    void setBackColor(uint32_t bgr);
    void setPicture(const QImage& picture);
    void setMaximized();

    // Shows the window without blocking and lets events run until it has become active.
    void showAndWait();

    QLabel* lbl_Text = nullptr;
    QLabel* img_Picture = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Activate();
    void centrePicture();
    Kind m_kind;
    bool m_maximized = false;
};

// The one splash window of the running program, made on first use.
frm_Splash* splashWindow(frm_Splash::Kind kind = frm_Splash::Kind::Paint);
void destroySplashWindow();
