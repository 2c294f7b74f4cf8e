// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <cstdint>

// The n-th TAB-separated field of text, from 1; a negative n is reported in a message box.
QString strGetTab(const QString& text, int16_t n);
QString strRemoveSpaces(const QString& text);
QString strReverse(const QString& text);
QString strCutAtNull(const QString& text);
// Whether part occurs in text, without regard to case; only a text longer than part can hold it.
bool strContains(const QString& text, const QString& part);

// A caption as gamPadCaption gives it: spaces removed, padded with two spaces below a font size of
// 19 points and one space otherwise.
QString gamPaddedCaption(const QString& caption, double pointSize);
