// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/keyboardplay.h"

#include <cstdlib>
#include <limits>

int memNextPlace(const QRect& from, Qt::Key key, const QVector<QRect>& places, const QVector<bool>& inPlay)
{
    const QPoint f = from.center();
    int best = -1;
    qint64 bestScore = std::numeric_limits<qint64>::max();
    for (int i = 0; i < places.size() && i < inPlay.size(); ++i) {
        if (!inPlay[i])
            continue;
        const QPoint c = places[i].center();
        const int dx = c.x() - f.x(), dy = c.y() - f.y();
        int along = 0, across = 0;
        switch (key) {
        case Qt::Key_Right: along = dx; across = dy; break;
        case Qt::Key_Left: along = -dx; across = dy; break;
        case Qt::Key_Down: along = dy; across = dx; break;
        case Qt::Key_Up: along = -dy; across = dx; break;
        default: return -1;
        }
        // Half a card's width or height at least, so a card a pixel out of line is not "that way".
        const int least = (key == Qt::Key_Left || key == Qt::Key_Right ? from.width() : from.height()) / 2;
        if (along < std::max(1, least))
            continue;
        // A card of the same row (or column) further on beats one a row away nearer by.
        const qint64 score = qint64(along) + 3 * qint64(std::abs(across));
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

int memFirstPlace(const QVector<QRect>& places, const QVector<bool>& inPlay)
{
    int best = -1;
    for (int i = 0; i < places.size() && i < inPlay.size(); ++i) {
        if (!inPlay[i])
            continue;
        if (best < 0)
            best = i;
        const QPoint a = places[i].center(), b = places[best].center();
        if (a.y() < b.y() - places[best].height() / 2 || (std::abs(a.y() - b.y()) <= places[best].height() / 2 && a.x() < b.x()))
            best = i;
    }
    return best;
}

int memNextInList(int index, int step, const QVector<bool>& inPlay)
{
    for (int i = index + step; i >= 0 && i < inPlay.size(); i += step)
        if (inPlay[i])
            return i;
    return index;
}
