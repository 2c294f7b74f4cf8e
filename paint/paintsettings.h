// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/classroom.h"

#include <QImage>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

// The paint configuration, filled once at start-up by OpenINI and read by every window.

struct PictureSlot {
    QString file;
    QImage picture; // loaded by SetInterface
};

struct PaintButton {
    bool active = false;
    bool activemade = false;
    PictureSlot normal, highlight, down, inactive, current, curmini;
    QString tooltip;
};

// The undo or the redo button: on the window only when the theme has its section.
struct HistoryButton {
    bool present = false;
    PictureSlot normal, highlight, down, inactive;
    QString tooltip;
    int16_t left = 0, top = 0; // pixels on the window
};

struct DialogButton {
    PictureSlot normal, highlight, down, inactive;
    QString tooltip;
};

struct OpenSettings {
    QString background;
    QString helpPicture;
    bool helpActive = false;
    QString catalogsTooltip, filesTooltip;
    enum { Up, Down, Open, Cancel };
    std::array<DialogButton, 4> buttons;
    bool largeIcons = false;
    QString sound;
};

struct SaveSettings {
    QString background;
    QString helpPicture;
    bool helpActive = false;
    QString catalogsTooltip, saveCatalogTooltip;
    enum { Save, Cancel };
    std::array<DialogButton, 2> buttons;
    bool largeIcons = false;
    QString sound;
};

struct UserCatalog {
    QString name;
    bool locked = false;
};

struct PaintFolder {
    QString raw;
    QString expanded;
};

enum PaintButtonIndex { btnDraw, btnSpray, btnFill, btnClear, btnPrint, btnSave, btnOpen, btnQuit, btnSound };
constexpr int kPaintButtons = 9;
// Where each button stands on the paint window, in twips: left, top, width, height.
inline constexpr int kButtonPlaces[kPaintButtons][4] = {
    {240, 240, 1335, 1335},  {240, 1920, 1335, 1335}, {1800, 1920, 1335, 1335},
    {240, 3600, 1335, 615},  {1800, 3600, 1335, 615}, {240, 4560, 1335, 615},
    {1800, 4560, 1335, 615}, {1800, 5640, 1335, 615}, {240, 5640, 1335, 615}};

struct PaintSettingsRecord {
    std::array<PaintButton, kPaintButtons> buttons;

    PaintFolder gfx, snd, picture, catalog;

    struct {
        QString background, startsound, buttonsound, goodsound, smallquit, smallhelp;
        PictureSlot smallquitSlot, smallhelpSlot, backgroundSlot;
    } interface;

    QImage paintPicture; // the canvas picture named by paintpicture

    struct {
        QString picture;
        bool active = false;
    } help;

    struct {
        QString fontname;
        int16_t fontsize = 0;
        uint32_t forecolor = 0;
        bool border = false;
        bool active = false;
    } nameText;

    struct {
        uint32_t lockcolor = 0;
    } function;

    struct {
        bool active = false;
        uint32_t startcolor = 0;
        int16_t shape = 0; // 0 rectangle, 3 circle, 4 rounded rectangle
    } current;

    struct {
        bool active = false;
        bool activemade = false;
        PictureSlot normal, inactive;
    } palette;

    OpenSettings open;
    SaveSettings save;

    ClassroomSettings classroom;
    HistoryButton undoButton, redoButton;

    // One entry more than the file has catalog lines; the last is empty.
    QVector<UserCatalog> catalogs;
};

extern PaintSettingsRecord PaintSettings;
extern bool bolDebug;
extern bool bolButtonSound;
extern int16_t intTool;
