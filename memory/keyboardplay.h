// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QRect>
#include <QVector>
#include <Qt>

// Playing with the keyboard: where an arrow key takes the focus frame. Pure geometry on the
// places of the cards, so the board's own layout (rows, gaps, cards taken) decides.

// The index of the place an arrow key moves to from the rectangle from: the nearest place in
// play whose centre lies that way, preferring the same row or column; -1 when none lies that way.
int memNextPlace(const QRect& from, Qt::Key key, const QVector<QRect>& places, const QVector<bool>& inPlay);

// The first place in play, reading the board as a page: top row first, left to right; -1 when
// none is in play.
int memFirstPlace(const QVector<QRect>& places, const QVector<bool>& inPlay);

// In a list: the next entry in play after index (step +1) or before it (step -1); index itself
// when there is none that way.
int memNextInList(int index, int step, const QVector<bool>& inPlay);
