// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/string32.h"

#include "platform/msgbox.h"

#include <algorithm>

QString strGetTab(const QString& text, int16_t n)
{
    if (n < 0) {
        msgBox(QStringLiteral("strGetTab: Tab number must be over 1 (%1).").arg(n), MsgButtons::Ok);
        return {};
    }
    int counter = 0;
    QString field;
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            ++counter;
            if (counter == n)
                return field;
            field.clear();
        } else {
            field += c;
        }
    }
    return counter + 1 == n ? field : QString();
}

QString strRemoveSpaces(const QString& text)
{
    QString t = text;
    t.remove(QLatin1Char(' '));
    return t;
}

QString strReverse(const QString& text)
{
    QString t = text;
    std::reverse(t.begin(), t.end());
    return t;
}

QString strCutAtNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

bool strContains(const QString& text, const QString& part)
{
    if (part.isEmpty())
        return true;
    if (text.size() <= part.size())
        return false;
    return text.contains(part, Qt::CaseInsensitive);
}

QString gamPaddedCaption(const QString& caption, double pointSize)
{
    const QString pad = pointSize < 19 ? QStringLiteral("  ") : QStringLiteral(" ");
    return pad + strRemoveSpaces(caption) + pad;
}
