// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/math32.h"

#include <cmath>
#include <limits>

namespace {
bool isIgnored(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'); }

double radixNumber(const QString& s, qsizetype pos, int radix)
{
    double n = 0;
    for (; pos < s.size(); ++pos) {
        bool ok = false;
        const int digit = QString(s[pos]).toInt(&ok, radix);
        if (!ok || s[pos].unicode() > 127)
            break;
        n = n * radix + digit;
    }
    return n;
}
}

double mathLeadingNumber(const QString& value)
{
    QString s;
    s.reserve(value.size());
    for (QChar c : value)
        if (!isIgnored(c))
            s += c;
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const QChar p = s[1].toUpper();
        if (p == QLatin1Char('H'))
            return radixNumber(s, 2, 16);
        if (p == QLatin1Char('O'))
            return radixNumber(s, 2, 8);
    }
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        number += s[i++];
    qsizetype digits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        number += s[i++];
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            exponent += s[j++];
        qsizetype expDigits = 0;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128 && expDigits < 6) {
            exponent += s[j++];
            ++expDigits;
        }
        if (expDigits > 0)
            number += exponent;
    }
    bool ok = false;
    const double d = number.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return number.startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::max()
                                                   : std::numeric_limits<double>::max();
    return d;
}

double mathRoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    return std::nearbyint(value); // the default rounding mode rounds halves to even
}

int16_t mathClampInt16(double value)
{
    const double r = mathRoundHalfEven(value);
    if (std::isnan(r))
        return 0;
    if (r <= std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (r >= std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(r);
}

int32_t mathClampInt32(double value)
{
    const double r = mathRoundHalfEven(value);
    if (std::isnan(r))
        return 0;
    if (r <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (r >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

int16_t mathToInt16(const QString& value) { return mathClampInt16(mathLeadingNumber(value)); }
int32_t mathToInt32(const QString& value) { return mathClampInt32(mathLeadingNumber(value)); }

uint32_t mathToColor(const QString& value)
{
    const double n = mathRoundHalfEven(mathLeadingNumber(value));
    if (!(n > 0))
        return 0;
    if (n >= 0xFFFFFF)
        return 0xFFFFFF;
    return static_cast<uint32_t>(n);
}

bool mathToBool(QString& value)
{
    const double n = mathLeadingNumber(value);
    value = QString::number(n, 'g', 17);
    return n != 0;
}

bool mathToBool(const QString& value) { return mathLeadingNumber(value) != 0; }
bool mathIntToBool(int16_t value) { return value != 0; }

void mathInc(double& value, double step) { value += step; }
void mathDec(double& value, double step) { value -= step; }

void mathInc(QString& value, const QString& step)
{
    value = QString::number(mathLeadingNumber(value) + mathLeadingNumber(step), 'g', 17);
}

void mathDec(QString& value, const QString& step)
{
    value = QString::number(mathLeadingNumber(value) - mathLeadingNumber(step), 'g', 17);
}
