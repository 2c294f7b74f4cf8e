// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <cstdint>

// The leading-number rule of configuration values: blanks anywhere are ignored, then a sign,
// digits, a fraction and an exponent (E or D) are taken up to the first character that does not
// fit; "&H" and "&O" introduce hexadecimal and octal. No number gives 0.
double mathLeadingNumber(const QString& value);

// Nearest whole number, a half going to the even neighbour.
double mathRoundHalfEven(double value);

// A value read as a whole number of the given width, clamped to the width's range.
int16_t mathToInt16(const QString& value);
int32_t mathToInt32(const QString& value);
int16_t mathClampInt16(double value);
int32_t mathClampInt32(double value);

// A colour value: a number, "&H" in blue-green-red order; kept to 24 bits.
uint32_t mathToColor(const QString& value);

// Truth value of a configuration value: its number is not 0. The argument becomes that number.
bool mathToBool(QString& value);
bool mathToBool(const QString& value);
bool mathIntToBool(int16_t value);

// The value becomes its number plus (minus) step.
void mathInc(double& value, double step = 1);
void mathDec(double& value, double step = 1);
void mathInc(QString& value, const QString& step = QStringLiteral("1"));
void mathDec(QString& value, const QString& step = QStringLiteral("1"));
