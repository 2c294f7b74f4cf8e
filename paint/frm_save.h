// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "paint/dialogbuttons.h"
#include "paint/dialogwindow.h"
#include "paint/savedialog.h"

#include <QWidget>
#include <array>

class FrameControl;
class KeyboardFocus;
class ImageControl;
class PictureBox;
class SoundDevice;

// Where the controls of a save window lie, in twips.
struct SaveLayout {
    int innerWidth, innerHeight;
    bool panel;
    int panelWidth, panelHeight;
    uint32_t panelColor;
    TwipsRect dirs; // only the large window has this area
    int catalogLeft, catalogTop, pitch, cell;
    TwipsRect saveCatalog, savePicture;
    std::array<TwipsRect, 2> buttons; // save, cancel
    TwipsRect helpSmall, exitSmall;
};

// The save window: the row of user catalogs, the chosen catalog, the preview of the painting and
// the save and cancel buttons. Made on the first showing and then only hidden, so the chosen
// catalog stays chosen; frm_Save and frm_SaveLarge differ only in layout.
class SaveForm : public QWidget {
    Q_OBJECT
public:
    SaveForm(const SaveLayout& layout, SoundDevice* sound, QWidget* parent);

    SaveDialog dialog;
    // The canvas whose image is saved; the paint window sets it.
    const PictureBox* canvas = nullptr;
    // Whether the last showing saved, and as which number.
    bool saved = false;
    int savedNumber = -1;

    QWidget* pic_Background = nullptr;
    ImageControl* img_Background = nullptr;
    ImageControl* img_Dirs = nullptr;
    std::array<ImageControl*, kCatalogSlots> img_Catalog{};
    FrameControl* shp_Catalog = nullptr;
    ImageControl* img_SaveCatalog = nullptr;
    PictureBox* pic_SavePicture = nullptr;
    std::array<ImageControl*, 2> img_Button{};
    ImageControl* img_HelpSmall = nullptr;
    ImageControl* img_ExitSmall = nullptr;
    DialogButtonStates states;

    void ShowSaveCatalogs();
    void DeHighlight(int spare) { states.DeHighlight(spare); }
    void img_Button_Click(int index);
    void img_Catalog_Click(int k);
    void img_ExitSmall_Click() { hide(); }
    void img_HelpSmall_Click();
    void Form_KeyPress(int keyAscii);
    void Form_KeyUp(int keyCode);

    KeyboardFocus* keyboard() const { return m_keys; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void placePanel();
    // The keyboard and a switch, and what a screen reader hears (frm_save_keys.cpp).
    void makeKeyboard();
    void describeForAssistiveTechnology();
    KeyboardFocus* m_keys = nullptr;
    SaveLayout m_layout;
    SoundDevice* m_sound;
};

class frm_Save : public SaveForm {
    Q_OBJECT
public:
    explicit frm_Save(SoundDevice* sound, QWidget* parent = nullptr);
    static const SaveLayout layout;
};

class frm_SaveLarge : public SaveForm {
    Q_OBJECT
public:
    explicit frm_SaveLarge(SoundDevice* sound, QWidget* parent = nullptr);
    static const SaveLayout layout;
};
