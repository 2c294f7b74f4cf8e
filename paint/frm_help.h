// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QDialog>
#include <QImage>

class QLabel;

// One help picture over the program; the first click or character key closes it.
class frm_Help : public QDialog {
    Q_OBJECT
public:
    explicit frm_Help(QWidget* parent = nullptr);
    void setHelpPicture(const QImage& picture);
    QLabel* pic_Help = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centrePicture();
};

// Shows folder + file modally when active is set; an empty box when the picture is missing.
void showHelpScreen(bool active, const QString& folder, const QString& file, QWidget* parent = nullptr);
