// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QImage>
#include <QString>

class QPrinter;

// Prints the canvas on one page, in the middle of the paper, at its own size: a canvas pixel
// is a pixel of a 96 dpi screen. False, with why set, when the printer cannot be used.
bool pntPrintCanvas(const QImage& canvas, QPrinter& printer, QString* why);

// The same on the default printer, with a message box when there is none or printing fails.
bool pntPrintCanvas(const QImage& canvas);
