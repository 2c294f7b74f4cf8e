// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checker.h"

#include "common/math32.h"
#include "common/string32.h"
#include "memory/memlayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <algorithm>

namespace memcheck {

void MemoryChecker::checkBackgrounds()
{
    if (!m_pictures.set)
        return;
    for (int k = 0; k < 5; ++k) {
        const QString name = strGetTab(m_pictures.value, int16_t(k + 1));
        if (!name.isEmpty())
            picture(m_pictures.at, QStringLiteral("background %1 x %2 of pictures in [interface]")
                                       .arg(memResolutions[k][0]).arg(memResolutions[k][1]),
                    m_gfx.value, name, 100);
    }
}

// The smallest layout the game can be laid out on: the smallest screen size the theme has a
// background picture for, or else the smallest screen size of all.
int MemoryChecker::smallestLayoutRow() const
{
    for (int k = 0; k < 5; ++k)
        if (m_pictures.set && !strGetTab(m_pictures.value, int16_t(k + 1)).isEmpty())
            return k;
    return 0;
}

void MemoryChecker::checkBoard()
{
    if (!m_globalRead)
        return;
    const At global{m_globalFile, 0};
    const int across = gridSide(mathLeadingNumber(m_cardsX.value));
    const int down = gridSide(mathLeadingNumber(m_cardsY.value));
    int count = INT_MAX; // no board: every card line is still looked at
    if (!across || !down) {
        const Ref& bad = across ? m_cardsY : m_cardsX;
        startup(bad.set ? bad.at : global, bad.set ? QStringLiteral("%1 in the card settings").arg(QLatin1String(across ? "cardsy" : "cardsx"))
                                                   : QStringLiteral("the card settings set no %1").arg(QLatin1String(across ? "cardsy" : "cardsx")),
                11);
    } else {
        const At at = m_cardsY.at.line > m_cardsX.at.line ? m_cardsY.at : m_cardsX.at;
        const qint64 grid = qint64(across) * down;
        if (grid > memDesign::MaxCards) {
            startup(at, QString(), 16, QString::number(grid), QString::number(memDesign::MaxCards));
        } else {
            count = int(grid);
            if (!m_textActive && grid % 2 == 1) {
                startup(at, QString(), 13, QString::number(grid));
                count = int(grid) - 1;
            }
        }
    }
    count = readCards(count);
    if (m_textActive)
        readList(count);
    else if (!m_list.value.isEmpty())
        problem(m_list.at, QStringLiteral("listfile in [gamefiles] has no effect: the text list is not active in the global file"));
    if (across && down && count != INT_MAX)
        checkLayout(across, down, count);
}

void MemoryChecker::checkLayout(int across, int down, int count)
{
    const int row = smallestLayoutRow();
    const int width = memResolutions[row][0], height = memResolutions[row][1];
    const QString screen = QStringLiteral("on a %1 x %2 screen").arg(width).arg(height);
    const int boardLeft = memDesign::ControlLeft + memDesign::ControlWidth + 16;
    const QRect board(boardLeft, 16, width - boardLeft - 16, height - 16 - memDesign::PlayerHeight - 8 - 16);
    const int cardWidth = mathToInt32(m_cardWidth.value), cardHeight = mathToInt32(m_cardHeight.value);
    const bool wide = cardWidth * across > board.width(), high = cardHeight * down > board.height();
    const Ref& size = wide || !m_cardHeight.set ? m_cardWidth : m_cardHeight;
    const At at = size.set ? size.at : At{m_globalFile, 0};
    if (wide || high) {
        const int fitX = cardWidth > 0 ? std::max(0, board.width() / cardWidth) : 0;
        const int fitY = cardHeight > 0 ? std::max(0, board.height() / cardHeight) : 0;
        startup(at, screen, 12, QStringLiteral("%1 x %2").arg(across).arg(down),
                QStringLiteral("%1 x %2").arg(fitX).arg(fitY));
    } else if (cardWidth > 0 && cardHeight > 0) {
        const int gapX = memCardGap(board.width(), across, cardWidth);
        const int gapY = memCardGap(board.height(), down, cardHeight);
        if (gapX < 0 || gapY < 0)
            problem(at, QStringLiteral("%1 the cards overlap: the board leaves no room for the gaps between them").arg(screen));
    }
    if (!m_textActive)
        return;
    QFont font(m_textFont.name, 12);
    font.setPointSizeF(m_textFont.size > 0 ? m_textFont.size : 12);
    font.setBold(m_textFont.bold);
    font.setItalic(m_textFont.italic);
    const int h = QFontMetrics(font).height() + 4;
    const int top = m_textTop.set ? mathToInt32(m_textTop.value) : 16;
    const QRect texts(m_textLeft, top, m_textWidth, (count - 1) * (h + m_textSpace) + h);
    const At tat = m_textTop.set ? m_textTop.at : m_textActiveAt;
    if (texts.bottom() >= height)
        problem(tat, QStringLiteral("[text list] %1: the %2 texts run off the bottom (they end at %3)").arg(screen).arg(count).arg(texts.bottom() + 1));
    if (texts.intersects(board))
        problem(tat, QStringLiteral("[text list]: the texts lie over the board of cards, which begins at %1").arg(boardLeft));
    for (int c = 0; c < 6; ++c) {
        const Counter& ctr = m_counters[c];
        const QRect place(memDesign::ControlLeft, memDesign::ControlTop + ctr.order * memDesign::ControlStep,
                          memDesign::ControlWidth, memDesign::ControlHeight);
        if (ctr.active && texts.intersects(place))
            problem(tat, QStringLiteral("[text list]: the texts lie over the counter [%1]").arg(QLatin1String(kCounterSections[c])));
    }
    const QRect quit(memDesign::QuitLeft, height - memDesign::QuitHeight - 8, memDesign::QuitWidth, memDesign::QuitHeight);
    if (!m_interface.value(QStringLiteral("quitpicture")).value.isEmpty() && texts.intersects(quit))
        problem(tat, QStringLiteral("[text list] %1: the texts lie over the quit button").arg(screen));
}

} // namespace memcheck
