// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QImage>

// Qt reads GIF but cannot write it; the sample themes and the tests need GIF files. Colours beyond
// 256 are mapped to the nearest of a 6x7x6 colour cube.
QByteArray gifBytes(const QImage& image);
