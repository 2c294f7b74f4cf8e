// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/keytable.h"

#include <QString>
#include <QVector>
#include <cstdint>

// The dot-to-dot figure of a picture, read from its figure file (base name + ".INI").

struct LinePoint {
    float x = 0;
    float y = 0;
    bool operator==(const LinePoint&) const = default;
};

struct LineFigure {
    // Points 0 to intLineCount - 1 are the figure; one more entry stays (0, 0).
    QVector<LinePoint> points{LinePoint{}};
    int16_t intLineCount = 0;
    // The point the child must hit next; point 0 is the start.
    int16_t intLineNext = 0;
    bool numeric = false;
    int16_t alphabetic = 0;

    bool hasFigure() const { return intLineCount >= 2; }
    void clear() { *this = LineFigure{}; }
    bool operator==(const LineFigure&) const = default;
};

// The figure of the picture on the canvas.
extern LineFigure Figure;

// Reads a figure file into figure. A file that is missing, has no "coords" section or fewer than
// two points gives no figure: figure is cleared and the result is false, so a picture never shows
// the previous picture's dots. Point lines whose x or y is empty or not a number are skipped;
// a count larger than the points listed leaves the missing ones at (0, 0).
bool pntOpenLineINI(const QString& strFile, LineFigure& figure);
bool pntOpenLineINI(const QString& strFile);
// The one reader of a figure file, at found.file(): checking, it also tells found why a figure
// is refused and what its [settings] hold that is not read.
bool pntReadFigure(LineFigure& figure, Findings& found);
// Its table: [settings] fills figure, coords takes each item of [coords].
KeyTable pntFigureTable(LineFigure& figure, std::function<void(const QString& item, int line)> coords = {});
