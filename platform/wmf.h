// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Windows metafiles (placeable, or plain with a window extent), played onto a white image with
// QPainter. Records this player does not know are skipped; every size and count in the file is
// checked against the bytes that are really there.
//
// A placeable metafile's own size is its bounding box at 96 pixels to the inch (15 twips a
// pixel); a plain one's is one pixel per logical unit of its first window extent. It is painted
// at shown when that is valid (the size it will be shown at, aspect and all), else at its own
// size; either is drawn down to fit kWmfMaxSide when larger.
QImage wmfRead(const QByteArray& bytes, QString* error = nullptr, QSize shown = QSize());

// Largest side of a painted metafile, in pixels.
constexpr int kWmfMaxSide = 4096;
constexpr int kWmfPixelsPerInch = 96;
