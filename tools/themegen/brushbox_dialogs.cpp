// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "themes.h"

#include <QPainterPath>

// The open and save dialogs of the Brushbox sample theme: backgrounds drawn to the dialogs'
// layout (401 x 345 and 362 x 210 pixels; the large dialogs stretch them over their panels),
// the buttons in every look, and the sounds the dialogs play when they appear.

namespace {

// The colour button faces stand on, so they blend into the backgrounds.
const QColor kPaper(0xF4, 0xE9, 0xD0);
const QColor kOpenColour(0x40, 0x90, 0xE0);
const QColor kSaveColour(0x40, 0xB0, 0x60);
const QColor kCancelColour(0xE0, 0x70, 0x40);

const Face kFaces[] = {Face::Normal, Face::Highlight, Face::Down, Face::Inactive};
const char* const kSuffixes[] = {"", "_hi", "_down", "_off"};

// A well in the background behind a row or grid of pictures.
void well(QPainter& p, const QRect& r, const QColor& colour)
{
    p.setPen(QPen(colour.darker(130), 2));
    p.setBrush(colour);
    p.drawRoundedRect(r, 8, 8);
}

// Faint squares where the pictures will stand, so an empty grid still looks like one.
void cells(QPainter& p, int left, int top, int columns, int rows)
{
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 0xB0), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            p.drawRect(left + 40 * c, top + 40 * r, 32, 32);
}

void title(QPainter& p, const QRect& r, const QString& text)
{
    p.setPen(QColor(0x50, 0x40, 0x30));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 11, QFont::Bold));
    p.drawText(r, Qt::AlignCenter, text);
}

void arrowButtons(const QString& gfx, const QString& name, bool up)
{
    for (int k = 0; k < 4; ++k) {
        QImage face = buttonFace(33, 33, QColor(0xF0, 0xB0, 0x30), QString(), kFaces[k]);
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kFaces[k] == Face::Inactive ? QColor(0xB0, 0xB0, 0xB0) : QColor(0x30, 0x28, 0x20));
        const double d = kFaces[k] == Face::Down ? 1 : 0;
        QPolygonF arrow;
        if (up)
            arrow << QPointF(16.5 + d, 8 + d) << QPointF(26 + d, 22 + d) << QPointF(7 + d, 22 + d);
        else
            arrow << QPointF(16.5 + d, 25 + d) << QPointF(26 + d, 11 + d) << QPointF(7 + d, 11 + d);
        p.drawPolygon(arrow);
        p.end();
        saveImage(gfx + name + QLatin1String(kSuffixes[k]) + QStringLiteral(".bmp"), face);
    }
}

void wideButtons(const QString& gfx, const QString& name, const QColor& colour, const QString& caption)
{
    for (int k = 0; k < 3; ++k)
        saveImage(gfx + name + QLatin1String(kSuffixes[k]) + QStringLiteral(".bmp"),
                  buttonFace(113, 57, colour, caption, kFaces[k]));
}

void openBackground(const QString& path)
{
    savePicture(path, 401, 345, kPaper, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        well(p, QRect(16, 16, 329, 49), QColor(0xF6, 0xD8, 0x90)); // the catalog row
        well(p, QRect(16, 80, 329, 169), QColor(0xA8, 0xD0, 0xF0)); // the grid
        cells(p, 24, 88, 8, 4);
        p.setPen(QPen(QColor(0xC8, 0xB8, 0x98), 2));
        p.drawLine(368, 56, 368, 208); // between the arrows
        title(p, QRect(129, 272, 143, 57), QStringLiteral("Pick a picture"));
    });
}

void saveBackground(const QString& path)
{
    savePicture(path, 362, 210, kPaper, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        well(p, QRect(16, 16, 329, 49), QColor(0xC8, 0xE8, 0xB0));
        // Frames for the chosen folder and the painting, with an arrow from painting to folder.
        well(p, QRect(96, 72, 49, 49), QColor(0xF6, 0xD8, 0x90));
        well(p, QRect(224, 72, 49, 49), QColor(0xFF, 0xFF, 0xFF));
        p.setPen(QPen(QColor(0x50, 0x40, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(214, 96, 158, 96);
        p.drawLine(158, 96, 168, 88);
        p.drawLine(158, 96, 168, 104);
        title(p, QRect(129, 136, 103, 57), QStringLiteral("Save it!"));
    });
}

} // namespace

void generateBrushboxDialogs(const QString& out)
{
    const QString gfx = out + QStringLiteral("/gfx/");
    const QString snd = out + QStringLiteral("/snd/");
    openBackground(gfx + QStringLiteral("open_back.bmp"));
    saveBackground(gfx + QStringLiteral("save_back.bmp"));
    arrowButtons(gfx, QStringLiteral("dlg_up"), true);
    arrowButtons(gfx, QStringLiteral("dlg_down"), false);
    wideButtons(gfx, QStringLiteral("dlg_open"), kOpenColour, QStringLiteral("Open"));
    wideButtons(gfx, QStringLiteral("dlg_save"), kSaveColour, QStringLiteral("Save"));
    wideButtons(gfx, QStringLiteral("dlg_cancel"), kCancelColour, QStringLiteral("Cancel"));
    saveWav(snd + QStringLiteral("open.wav"), {{660, 90}, {880, 140}});
    saveWav(snd + QStringLiteral("save.wav"), {{523, 90}, {784, 90}, {659, 160}});
}
