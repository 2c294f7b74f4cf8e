// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memstate.h"

#include <QFontMetrics>
#include <QLine>
#include <QString>
#include <QRect>

// The geometry of the board, the counters, the pair line and the wipe-out effects, in pixels of
// the layout (pic_Background's own units).

// The card at row i and column j, both from 1.
QRect memCardRect(const memInterface& ui, int i, int j);

// The gap around each card along one direction of the board: one gap in from the edge, two
// between cards. Past four cards the usual share of the room would push the last card off the
// board, so it is then cut down to what fits.
int memCardGap(int room, int cards, int cardSize);

// The top of a counter's value label: PlaceY 0 aligns it with the picture, 2 centres it on the
// picture, anything else keeps designTop.
int memControlLabelTop(int placeY, int pictureTop, int pictureHeight, int labelHeight, int designTop);

// The line joining the facing edges of two cards, kept clear of them by half its width.
QLine memPairLine(const QRect& a, const QRect& b, int drawWidth);

// The fly-off step of one card: base is -20 or 20, r1 and r2 are -5 to 5 (horizontal, vertical).
QPoint memFlyStep(const QRect& card, const QRect& board, int base, int r1, int r2);
// Whether a flying card has wholly left an area of width x height.
bool memFlownOut(const QRect& card, int width, int height);

// Pixels a shrinking card loses each frame (at least 1, so the effect always ends).
int memShrinkStep(int width, int height);

// A player's name caption as it fits a label width pixels wide: the whole caption when it fits,
// otherwise the name shortened with "…" before its number, which always shows (four panels of
// "Mannschaft …" would all read the same).
QString memFitPlayerName(const QString& caption, const QFontMetrics& metrics, int width);
