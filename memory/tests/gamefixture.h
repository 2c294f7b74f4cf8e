// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "fakes.h"
#include "memory/memgame.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A game on a fake board: cards dealt in order (position i shows holder i) unless a deal is given.
struct GameFixture {
    MemState s;
    FakeView view;
    FakeSound sound;
    std::unique_ptr<MemoryGame> game;

    explicit GameFixture(int cards = 8, int players = 2, QVector<int> deal = {})
    {
        s.memCardCount = s.memGridCount = cards;
        s.memCardHolders = QVector<memCardHolder>(cards);
        for (int i = 0; i < cards; ++i) {
            QImage face(2, 2, QImage::Format_RGB32);
            face.fill(QColor(i, 0, 0));
            s.memCardHolders[i].Picture = face;
            s.memCardHolders[i].Text = QStringLiteral("t%1").arg(i);
        }
        s.ui.CardBack = QImage(1, 1, QImage::Format_RGB32);
        s.ui.CardBack.fill(Qt::blue);
        s.memDisplayCards = QVector<memDisplayCard>(cards);
        for (int i = 0; i < cards; ++i)
            s.memDisplayCards[i].Reference = deal.isEmpty() ? i : deal[i];
        s.memPlayers = QVector<memPlayer>(players);
        for (int p = 0; p < players; ++p)
            s.memPlayers[p].Name = QStringLiteral("Player %1").arg(p + 1);
        s.ui.NameForeColor = 1;
        s.ui.ScoreForeColor = 2;
        s.ui.DimColor = 3;
        s.ui.Dissapear = 1;
        s.ui.BoardLeft = 148;
        s.ui.BoardTop = 16;
        s.ui.BoardWidth = 476;
        s.ui.BoardHeight = 384;
        view.resize(cards);
        game = std::make_unique<MemoryGame>(s, view, sound);
    }
    void counter(int c, int condition, int order)
    {
        s.ui.Controls[c].Active = true;
        s.ui.Controls[c].Condition = condition;
        s.ui.Controls[c].Order = order;
    }
    void start()
    {
        game->memInitValues();
        s.memGameReady = true;
    }
    void turn(int a, int b)
    {
        game->img_Card_Click(a);
        game->img_Card_Click(b);
    }
    memPlayer& player(int p) { return s.memPlayers[p]; }
    // Over, well or badly, with the end shown once.
    void expectEnd(bool good)
    {
        EXPECT_TRUE(s.memGameOver);
        EXPECT_EQ(game->endWasGood(), good);
        EXPECT_EQ(view.endShown, 1);
    }
    // The game clock ticks whenever the rules let events run, while it is on and `when` holds,
    // as tim_Timer does in the pauses and frames of a turn. clockTicks counts the ticks taken.
    int clockTicks = 0;
    void tickWhen(std::function<bool()> when)
    {
        view.onEvents = [this, when] {
            if (view.clock && when()) {
                ++clockTicks;
                game->tim_Timer_Timer();
            }
        };
    }
};
