// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/dialogbuttons.h"
#include "paint/dialogwindow.h"
#include "paint/opendialog.h"

#include <QWidget>
#include <array>

class FrameControl;
class KeyboardFocus;
class ImageControl;
class SoundDevice;

// Where the controls of an open window lie, in twips.
struct OpenLayout {
    int innerWidth, innerHeight;
    bool panel;                    // the controls lie on a centred panel over a black window
    int panelWidth, panelHeight;
    uint32_t panelColor;
    TwipsRect dirs, files;
    int catalogLeft, catalogTop, picturesLeft, picturesTop, pitch, cell;
    std::array<TwipsRect, 4> buttons; // up, down, open, cancel
    TwipsRect helpSmall, exitSmall;
};

// The open window: the catalog row, the grid of 8 x 4 thumbnails, the scroll, open and cancel
// buttons. It only shows what its OpenDialog says; frm_Open and frm_OpenLarge differ only in
// layout. A fresh window is made for every showing; sounds go through the paint window's device.
class OpenForm : public QWidget {
    Q_OBJECT
public:
    OpenForm(const OpenLayout& layout, SoundDevice* sound, QWidget* parent);

    OpenDialog dialog;

    QWidget* pic_Background = nullptr; // the panel, or the window itself
    ImageControl* img_Background = nullptr;
    ImageControl* img_Dirs = nullptr;
    ImageControl* img_Files = nullptr;
    std::array<ImageControl*, kCatalogSlots> img_Catalog{};
    std::array<ImageControl*, kGridCells> img_Picture{};
    std::array<ImageControl*, 4> img_Button{};
    FrameControl* shp_Catalog = nullptr;
    FrameControl* shp_File = nullptr;
    ImageControl* img_HelpSmall = nullptr;
    ImageControl* img_ExitSmall = nullptr;
    DialogButtonStates states;

    void opnFixOpenInterface();
    void opnShowOpenCatalogs();
    void opnShowOpenFiles();
    void opnClearFiles();
    void opnOpenFile();
    void opnDeHighlight(int spare) { states.DeHighlight(spare); }
    void opnUnableOpenDialog();
    void opnEnableOpenDialog();

    void img_Button_Click(int index);
    void img_Catalog_Click(int k);
    void img_picture_Click(int n);
    void img_ExitSmall_Click();
    void img_HelpSmall_Click();
    void Form_KeyDown(int keyCode);
    void Form_KeyUp(int keyCode);

    KeyboardFocus* keyboard() const { return m_keys; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    // The keyboard and a switch, and what a screen reader hears (frm_open_keys.cpp).
    void makeKeyboard();
    bool keyboardArrow(QWidget* stop, int key);
    void describeForAssistiveTechnology();
    KeyboardFocus* m_keys = nullptr;
    void placePanel();
    void leave();
    OpenLayout m_layout;
    bool m_left = false;
    SoundDevice* m_sound;
};

class frm_Open : public OpenForm {
    Q_OBJECT
public:
    explicit frm_Open(SoundDevice* sound, QWidget* parent = nullptr);
    static const OpenLayout layout;
};

class frm_OpenLarge : public OpenForm {
    Q_OBJECT
public:
    explicit frm_OpenLarge(SoundDevice* sound, QWidget* parent = nullptr);
    static const OpenLayout layout;
};

// Plays a dialog's sound on the paint window's device, as the dialogs do when they appear.
void pntPlayDialogSound(SoundDevice* sound, const QString& file);
