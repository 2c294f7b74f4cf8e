// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "soundgame.h"

#include <gtest/gtest.h>

TEST(SoundChain, TurnCardAndResultSoundsThenTheSettling)
{
    SoundGame g;
    g.start();
    g.statusUpdates();
    g.game->img_Card_Click(0);
    EXPECT_EQ(g.playedNames(), QStringList{QStringLiteral("turn.wav")});
    g.done();
    EXPECT_EQ(g.playedNames().last(), QStringLiteral("c0.wav"));
    EXPECT_TRUE(g.s.memProcessing);
    g.done(); // the first card: no result sound, the turn waits for the second card
    EXPECT_EQ(g.playedNames().size(), 2);
    EXPECT_FALSE(g.s.memProcessing);

    g.game->img_Card_Click(1);
    g.done();
    g.done();
    EXPECT_EQ(g.playedNames().mid(2), QStringList({QStringLiteral("turn.wav"), QStringLiteral("c1.wav"), QStringLiteral("match.wav")}));
    EXPECT_EQ(g.game->settledTurns(), 0);
    g.done();
    EXPECT_EQ(g.game->settledTurns(), 1);
    EXPECT_EQ(g.player(0).Score, 2);
    // A repeated report of the same sound settles nothing more.
    g.done();
    g.statusUpdates();
    EXPECT_EQ(g.game->settledTurns(), 1);
}

TEST(SoundChain, WithoutResultSoundsTheCardSoundEndsTheTurn)
{
    SoundGame g;
    g.s.ui.ResultSounds = false;
    g.start();
    g.statusUpdates();
    g.game->img_Card_Click(0);
    g.done();
    g.done();
    g.game->img_Card_Click(2);
    g.done();
    EXPECT_EQ(g.game->settledTurns(), 0);
    g.done();
    EXPECT_EQ(g.game->settledTurns(), 1);
    EXPECT_FALSE(g.playedNames().contains(QStringLiteral("nomatch.wav")));
    EXPECT_EQ(g.s.memCurrentPlayer, 0);
}

TEST(SoundChain, ACardWithoutASoundAndAGameWithoutATurnSound)
{
    SoundGame g;
    g.s.memCardHolders[1].Sound.clear();
    g.s.ui.ResultSounds = false;
    g.start();
    g.statusUpdates();
    g.game->img_Card_Click(0);
    g.done();
    g.done();
    g.game->img_Card_Click(1);
    g.done(); // the turn sound; the card has none, so the pair is settled now
    EXPECT_EQ(g.game->settledTurns(), 1);

    SoundGame h;
    h.s.ui.TurnSound.clear();
    h.start();
    h.statusUpdates();
    h.game->img_Card_Click(0);
    EXPECT_EQ(h.playedNames(), QStringList{QStringLiteral("c0.wav")});
}

TEST(SoundChain, MissingSoundFilesNeverStallTheChain)
{
    SoundGame g;
    QFile::remove(g.folders.path(QStringLiteral("card/c0.wav")));
    QFile::remove(g.folders.path(QStringLiteral("sfx/turn.wav")));
    QFile::remove(g.folders.path(QStringLiteral("sfx/match.wav")));
    g.start();
    g.statusUpdates();
    g.game->img_Card_Click(0);
    EXPECT_FALSE(g.s.memProcessing);
    g.game->img_Card_Click(1);
    g.done(); // c1.wav
    g.done(); // the match sound cannot play: the device reports it at once
    EXPECT_EQ(g.game->settledTurns(), 1);
    EXPECT_FALSE(g.s.memProcessing);
}

TEST(SoundChain, BeforeAnyStatusUpdateNothingWaits)
{
    SoundGame g;
    g.start();
    g.turn(0, 2);
    EXPECT_EQ(g.game->settledTurns(), 1);
    EXPECT_EQ(g.s.memCardStatus, -1);
    EXPECT_FALSE(g.s.memProcessing);
    g.turn(0, 1);
    g.turn(2, 3);
    EXPECT_TRUE(g.s.memGameOver);
    EXPECT_EQ(g.playedNames().last(), QStringLiteral("end.wav"));
    // Completions of all those sounds arriving now change nothing.
    for (int i = 0; i < 10; ++i)
        g.done();
    EXPECT_EQ(g.game->settledTurns(), 3);
}

// The clock ticks while the last pair's sounds play: the game must wait for the pair to be
// settled, or the child who found it would never get its points.
TEST(SoundChain, ATickDuringTheLastPairsSoundsLetsThePairScoreFirst)
{
    SoundGame g(4, 2);
    g.counter(memTIMER, 1000, 0);
    g.start();
    g.statusUpdates();
    for (int c : {0, 1}) {
        g.game->img_Card_Click(c);
        g.done();
        g.done();
    }
    g.done();
    ASSERT_EQ(g.player(0).Score, 2);
    g.game->img_Card_Click(2);
    g.done();
    g.done();
    g.game->img_Card_Click(3);
    g.game->tim_Timer_Timer(); // during the turn sound of the last card
    g.done();
    g.game->tim_Timer_Timer(); // during its card sound
    g.done();
    g.game->tim_Timer_Timer(); // during the match sound
    EXPECT_FALSE(g.s.memGameOver);
    g.done();
    EXPECT_TRUE(g.s.memGameOver);
    EXPECT_EQ(g.view.endShown, 1);
    EXPECT_EQ(g.player(0).Score, 4);
    EXPECT_EQ(g.s.memCardsLeft, 0);
    EXPECT_TRUE(g.game->endWasGood());
}

TEST(SoundChain, TheEndPlaysItsSoundOnce)
{
    SoundGame g(2);
    g.start();
    g.turn(0, 1);
    EXPECT_EQ(g.view.endShown, 1);
    g.game->memMakeEnd();
    EXPECT_EQ(g.view.endShown, 1);
    EXPECT_EQ(g.playedNames().count(QStringLiteral("end.wav")), 1);
}

TEST(SoundChain, WholeGamesSettleEveryTurnExactlyOnceWhateverTheDeviceDoes)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SoundGame g(8, 2);
        g.s.ui.ResultSounds = seed % 3 != 0;
        g.s.ui.Dissapear = int(seed % 4);
        g.start();
        ChaosDevice device(g, seed);
        if (seed % 2)
            g.statusUpdates(); // half the games start waiting for sounds at once

        // Each pair is first missed once with the card after it, then found.
        QVector<QPair<int, int>> plan;
        for (int k = 0; k < 4; ++k) {
            if (k < 3)
                plan << qMakePair(2 * k, 2 * k + 2);
            plan << qMakePair(2 * k, 2 * k + 1);
        }
        int accepted = 0, step = 0, guard = 0;
        while (!g.s.memGameOver && ++guard < 20000) {
            const bool busy = g.s.memProcessing || g.game->settling();
            if (!device.idle() && (busy || device.pick(2) == 0)) {
                device.deliverOne();
                continue;
            }
            ASSERT_FALSE(busy) << "stuck, seed " << seed;
            if (step >= plan.size() * 2)
                break;
            const auto [a, b] = plan[step / 2];
            if (step % 2 == 0) {
                g.game->img_Card_Click(a);
                ++step;
            } else if (g.s.memCardStatus == 0 && !g.s.memProcessing) {
                const int before = g.game->settledTurns();
                g.game->img_Card_Click(b);
                if (g.s.memDisplayCards[b].Turned || g.game->settledTurns() > before)
                    ++accepted;
                ++step;
            } else if (g.s.memCardStatus == -1) {
                ++step; // the first card was not taken (already gone): skip this try
            }
        }
        while (!device.idle())
            device.deliverOne();
        EXPECT_TRUE(g.s.memGameOver) << "seed " << seed;
        EXPECT_EQ(g.game->settledTurns(), accepted) << "seed " << seed;
        EXPECT_EQ(accepted, 7) << "seed " << seed;
        EXPECT_EQ(g.s.memCardsTaken, 8) << "seed " << seed;
        EXPECT_EQ(g.player(0).Score + g.player(1).Score, 8) << "seed " << seed;
        EXPECT_EQ(g.view.endShown, 1) << "seed " << seed;
        EXPECT_TRUE(g.game->endWasGood()) << "seed " << seed;
    }
}
