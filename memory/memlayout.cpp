// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memlayout.h"

#include "common/math32.h"

#include <algorithm>
#include <cmath>

QRect memCardRect(const memInterface& ui, int i, int j)
{
    return QRect(ui.BoardLeft + ui.GapX + (j - 1) * (ui.CardWidth + 2 * ui.GapX),
                 ui.BoardTop + ui.GapY + (i - 1) * (ui.CardHeight + 2 * ui.GapY), ui.CardWidth, ui.CardHeight);
}

int memControlLabelTop(int placeY, int pictureTop, int pictureHeight, int labelHeight, int designTop)
{
    if (placeY == 0)
        return pictureTop;
    if (placeY == 2)
        return pictureTop + int(mathRoundHalfEven((pictureHeight - labelHeight) / 2.0));
    return designTop;
}

namespace {
// One direction of the pair line: the ends at the facing edges, or at the centres when level.
std::pair<int, int> lineEnds(int aStart, int aSize, int bStart, int bSize, int h)
{
    if (aStart > bStart)
        return {aStart - h, bStart + bSize + h};
    if (aStart < bStart)
        return {aStart + aSize + h, bStart - h};
    const int centre = int(mathRoundHalfEven(aStart + aSize / 2.0)) - h;
    return {centre, centre};
}

int zoneStep(int zone, int base, int r)
{
    if (zone <= 1)
        return r - 20;
    if (zone == 2)
        return base + 2 * r;
    return r + 20;
}
}

QLine memPairLine(const QRect& a, const QRect& b, int drawWidth)
{
    const int h = drawWidth / 2; // towards zero
    const auto [x1, x2] = lineEnds(a.left(), a.width(), b.left(), b.width(), h);
    const auto [y1, y2] = lineEnds(a.top(), a.height(), b.top(), b.height(), h);
    return QLine(x1, y1, x2, y2);
}

QPoint memFlyStep(const QRect& card, const QRect& board, int base, int r1, int r2)
{
    const int thirdW = std::max(1, int(mathRoundHalfEven(board.width() / 3.0)));
    const int thirdH = std::max(1, int(mathRoundHalfEven(board.height() / 3.0)));
    const int col = int(std::trunc((card.left() + card.width() / 2.0 - board.left()) / thirdW)) + 1;
    const int row = int(std::trunc((card.top() + card.height() / 2.0 - board.top()) / thirdH)) + 1;
    return QPoint(zoneStep(col, base, r1), zoneStep(row, base, r2));
}

bool memFlownOut(const QRect& card, int width, int height)
{
    return card.left() > width || card.left() + card.width() < 0 || card.top() > height
           || card.top() + card.height() < 0;
}

int memCardGap(int room, int cards, int cardSize)
{
    const double free = double(room) - double(cardSize) * cards;
    int gap = int(std::floor(free / (cards + 3) - 1));
    if (cards > 4 && gap > 0)
        gap = std::min(gap, std::max(0, int(std::floor(free / (2 * cards - 1)))));
    return gap;
}

int memShrinkStep(int width, int height) { return std::max(1, (width + height) / 40); }

QString memFitPlayerName(const QString& caption, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return caption;
    // The number is the caption's last word when it is one.
    const int space = caption.trimmed().lastIndexOf(QLatin1Char(' '));
    const QString trimmed = caption.trimmed();
    const QString number = space > 0 ? trimmed.mid(space) : QString();
    bool isNumber = false;
    number.trimmed().toInt(&isNumber);
    if (!isNumber)
        return metrics.elidedText(caption, Qt::ElideRight, width);
    const QString lead = caption.left(caption.size() - number.size());
    const int room = std::max(0, width - metrics.horizontalAdvance(number));
    QString shortened = metrics.elidedText(lead, Qt::ElideRight, room);
    // Qt gives nothing at all when not even "…" fits; the number shows alone then.
    return shortened + number;
}
