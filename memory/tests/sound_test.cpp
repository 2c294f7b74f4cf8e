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

    g.play(1, 2);
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
    g.play(0, 2);
    g.play(2, 1);
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
    g.play(0, 2);
    g.game->img_Card_Click(1);
    g.done(); // the turn sound; the card has none, so the pair is settled now
    EXPECT_EQ(g.game->settledTurns(), 1);

    SoundGame r; // with result sounds, the pair's follows the turn sound at once
    r.s.memCardHolders[1].Sound.clear();
    r.start();
    r.statusUpdates();
    r.play(0, 2);
    r.game->img_Card_Click(1);
    r.done();
    EXPECT_EQ(r.playedNames().last(), QStringLiteral("match.wav"));

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
    EXPECT_TRUE(g.s.ui.TurnSound.isEmpty()); // forgotten once it could not be opened
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
    // Completions of all those sounds arriving now change nothing, nor does a second end.
    g.done(10);
    g.game->memMakeEnd();
    EXPECT_EQ(g.game->settledTurns(), 3);
    EXPECT_EQ(g.view.endShown, 1);
    EXPECT_EQ(g.playedNames().count(QStringLiteral("end.wav")), 1);
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
        g.play(c, 2);
    }
    g.done();
    ASSERT_EQ(g.player(0).Score, 2);
    g.play(2, 2);
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

TEST(SoundChain, ATurnWaitsInOnePhaseForEachSound)
{
    SoundGame g;
    g.start();
    g.statusUpdates();
    using P = TurnPhase;
    g.game->img_Card_Click(0);
    EXPECT_EQ(g.game->phase(), P::TurnSound);
    EXPECT_EQ(g.s.memSoundKind, memTURNSOUND);
    g.done();
    EXPECT_EQ(g.game->phase(), P::CardSound);
    EXPECT_EQ(g.s.memSoundKind, memCARDSOUND);
    g.done();
    EXPECT_EQ(g.game->phase(), P::Idle);
    g.play(2, 2);
    EXPECT_EQ(g.game->phase(), P::ResultSound);
    EXPECT_EQ(g.s.memSoundKind, memNOMATCHSOUND);
    EXPECT_TRUE(g.s.memProcessing);
    g.done();
    EXPECT_EQ(g.game->phase(), P::Idle);
    EXPECT_EQ(g.s.memSoundKind, memNOSOUND);
    EXPECT_EQ(g.game->settledTurns(), 1);
    for (int c : {0, 1, 2, 3}) {
        g.play(c, 2);
        if (c % 2)
            g.done();
    }
    EXPECT_EQ(g.game->phase(), P::EndSound);
    EXPECT_TRUE(g.s.memGameOver);
    g.done();
    EXPECT_EQ(g.game->phase(), P::Over);
    EXPECT_TRUE(g.s.memGameOver);
}

namespace {
// A text game whose texts have sounds: text k is card k's and sounds like it.
struct TextSoundGame : SoundGame {
    TextSoundGame() : SoundGame(4, 1)
    {
        s.ui.TextList.Active = true;
        s.ui.TextList.Texts = QVector<memTextEntry>(4);
        s.ui.TextList.Display = QVector<memDisplayCard>(4);
        for (int i = 0; i < 4; ++i) {
            s.ui.TextList.Texts[i].Sound = QStringLiteral("c%1.wav").arg(i);
            s.ui.TextList.Display[i].Reference = i;
        }
        start();
        statusUpdates();
        game->img_Card_Click(0);
        done(); // turn sound
        done(); // card sound; no result yet
        game->memTextClick(0);
    }
};
}

// The text chosen second: its result sound starts and the turn is settled at once, while it plays.
TEST(TextSounds, TheResultSoundPlaysOnWhileItsTurnSettles)
{
    {
        // The result sound ends during the settling's pause: nothing is tested twice.
        TextSoundGame g;
        EXPECT_EQ(g.game->phase(), TurnPhase::TextSound);
        bool reported = false;
        g.view.onEvents = [&] {
            if (!reported && g.game->phase() == TurnPhase::SettlingWithResultSound) {
                reported = true;
                g.done();
                EXPECT_TRUE(g.game->settling());
            }
        };
        g.done();
        EXPECT_TRUE(reported);
        EXPECT_EQ(g.playedNames().mid(3), QStringList{QStringLiteral("match.wav")});
        EXPECT_EQ(g.game->settledTurns(), 1);
        EXPECT_EQ(g.player(0).Score, 1);
        EXPECT_EQ(g.game->phase(), TurnPhase::Idle);
        g.done();
        EXPECT_EQ(g.game->settledTurns(), 1);
    }
    {
        // A text whose sound file is missing is settled on at once, and its turn with it.
        TextSoundGame g;
        g.s.ui.TextList.Texts[1].Sound = QStringLiteral("gone.wav");
        g.done(2);
        g.play(1, 2);
        g.game->memTextClick(1);
        EXPECT_FALSE(g.playedNames().contains(QStringLiteral("gone.wav")));
        EXPECT_EQ(g.playedNames().last(), QStringLiteral("match.wav"));
        g.done();
        EXPECT_EQ(g.game->settledTurns(), 2);
    }
    {
        // It ends after the settling: the next card is taken meanwhile and its sounds follow.
        TextSoundGame g;
        g.done();
        EXPECT_EQ(g.game->settledTurns(), 1);
        EXPECT_EQ(g.game->phase(), TurnPhase::ResultSound);
        EXPECT_FALSE(g.s.memProcessing);
        g.game->img_Card_Click(1);
        EXPECT_TRUE(g.s.memDisplayCards[1].Turned);
        EXPECT_EQ(g.playedNames().last(), QStringLiteral("turn.wav"));
        g.done();
        EXPECT_EQ(g.playedNames().last(), QStringLiteral("c1.wav"));
        EXPECT_EQ(g.game->settledTurns(), 1);
    }
}

// A text chosen first, then its card while the text still sounds: the text's sound ends while
// the card is painted. The card's own sounds settle the turn, and the match is counted, or the
// game would never end.
TEST(TextSounds, ATextsSoundEndingWhileItsCardTurnsLeavesTheTurnToTheCard)
{
    TextSoundGame g;
    g.done(2); // the first turn settled, its result sound ended
    g.game->memTextClick(1);
    ASSERT_EQ(g.game->phase(), TurnPhase::TextSound);
    int reports = 0;
    g.view.onEvents = [&] {
        if (reports++ == 0)
            g.done();
    };
    g.game->img_Card_Click(1);
    g.view.onEvents = {};
    ASSERT_GT(reports, 0);
    EXPECT_EQ(g.game->settledTurns(), 1);
    EXPECT_EQ(g.s.memLastResult, memRESULTMATCH);
    EXPECT_EQ(g.playedNames().last(), QStringLiteral("turn.wav"));
    g.done(3); // turn, card and result sounds
    EXPECT_EQ(g.game->settledTurns(), 2);
    EXPECT_EQ(g.s.memCardsTaken, 2);
    EXPECT_EQ(g.s.memCardsLeft, 2);
}

// A text is taken only between turns' work: not while the turn settles, not while a card's
// sounds play, not after the end.
TEST(TextSounds, TextClicksDuringTheSettlingTheCardsSoundsAndAfterTheEndAreDropped)
{
    TextSoundGame g;
    bool clicked = false;
    g.view.onEvents = [&] {
        if (!clicked && g.game->settling()) {
            clicked = true;
            g.game->memTextClick(1);
        }
    };
    g.done(); // the text's sound ends: result sound, settling
    g.view.onEvents = {};
    ASSERT_TRUE(clicked);
    EXPECT_FALSE(g.s.TextGame.TextChosen);
    g.done();
    g.game->img_Card_Click(1); // its turn sound plays
    g.game->memTextClick(1);
    EXPECT_FALSE(g.s.TextGame.TextChosen);
    g.done(2);
    ASSERT_FALSE(g.s.memProcessing);
    g.game->memMakeEnd();
    g.game->memTextClick(2);
    EXPECT_FALSE(g.s.TextGame.TextChosen);
}
