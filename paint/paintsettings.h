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
    bool operator==(const PictureSlot&) const = default;
};

struct PaintButton {
    bool active = false;
    bool activemade = false;
    PictureSlot normal, highlight, down, inactive, current, curmini;
    QString tooltip;
    bool operator==(const PaintButton&) const = default;
};

// The undo or the redo button: on the window only when the theme has its section.
struct HistoryButton {
    bool present = false;
    PictureSlot normal, highlight, down, inactive;
    QString tooltip;
    int16_t left = 0, top = 0; // pixels on the window
    bool operator==(const HistoryButton&) const = default;
};

struct DialogButton {
    PictureSlot normal, highlight, down, inactive;
    QString tooltip;
    bool operator==(const DialogButton&) const = default;
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
    bool operator==(const OpenSettings&) const = default;
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
    bool operator==(const SaveSettings&) const = default;
};

struct UserCatalog {
    QString name;
    bool locked = false;
    bool operator==(const UserCatalog&) const = default;
};

struct PaintFolder {
    QString raw;
    QString expanded;
    bool operator==(const PaintFolder&) const = default;
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

    struct InterfaceSettings {
        QString background, startsound, buttonsound, goodsound, smallquit, smallhelp;
        PictureSlot smallquitSlot, smallhelpSlot, backgroundSlot;
        bool operator==(const InterfaceSettings&) const = default;
    } interface;

    QImage paintPicture; // the canvas picture named by paintpicture

    struct HelpSettings {
        QString picture;
        bool active = false;
        bool operator==(const HelpSettings&) const = default;
    } help;

    struct NameTextSettings {
        QString fontname;
        int16_t fontsize = 0;
        uint32_t forecolor = 0;
        bool border = false;
        bool active = false;
        bool operator==(const NameTextSettings&) const = default;
    } nameText;

    struct FunctionSettings {
        uint32_t lockcolor = 0;
        bool operator==(const FunctionSettings&) const = default;
    } function;

    struct CurrentSettings {
        bool active = false;
        uint32_t startcolor = 0;
        int16_t shape = 0; // 0 rectangle, 3 circle, 4 rounded rectangle
        bool operator==(const CurrentSettings&) const = default;
    } current;

    struct PaletteSettings {
        bool active = false;
        bool activemade = false;
        PictureSlot normal, inactive;
        bool operator==(const PaletteSettings&) const = default;
    } palette;

    OpenSettings open;
    SaveSettings save;

    ClassroomSettings classroom;
    HistoryButton undoButton, redoButton;

    // One entry more than the file has catalog lines; the last is empty.
    QVector<UserCatalog> catalogs;
    bool operator==(const PaintSettingsRecord&) const = default;
};

extern PaintSettingsRecord PaintSettings;
extern bool bolDebug;
extern bool bolButtonSound;
extern int16_t intTool;
