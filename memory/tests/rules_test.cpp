// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "gamefixture.h"

#include <gtest/gtest.h>

TEST(Rules, PairingIsHolderTwoKWithTwoKPlusOne)
{
    GameFixture f(8, 1);
    f.start();
    f.game->img_Card_Click(1); // the face and its text show
    EXPECT_EQ(f.view.pictures[1], f.s.memCardHolders[1].Picture);
    EXPECT_TRUE(f.view.labelVisible[1]);
    EXPECT_FALSE(f.view.enabled[1]);
    EXPECT_EQ(f.s.memCardStatus, 0);
    EXPECT_FALSE(f.s.memProcessing);
    f.game->img_Card_Click(2); // holders 1 and 2: neighbours, but not a pair
    EXPECT_EQ(f.player(0).Score, 0);
    EXPECT_EQ(f.s.memCardsTaken, 0);
    EXPECT_TRUE(f.view.enabled[1]);
    EXPECT_FALSE(f.view.labelVisible[1]);
    EXPECT_EQ(f.view.pictures[1], f.s.ui.CardBack);
    EXPECT_EQ(f.view.pictures[2], f.s.ui.CardBack);
    f.turn(3, 2);
    EXPECT_EQ(f.player(0).Score, 2);
    EXPECT_EQ(f.s.memCardsTaken, 2);
    EXPECT_EQ(f.s.memCardsLeft, 6);
    EXPECT_EQ(f.view.scores[0], QStringLiteral(" 2 "));
    EXPECT_FALSE(f.view.visible[2]);
    EXPECT_FALSE(f.view.visible[3]);
    EXPECT_FALSE(f.view.enabled[3]);
    EXPECT_EQ(f.s.memCardStatus, -1);
    EXPECT_FALSE(f.s.memProcessing);
    EXPECT_EQ(f.game->settledTurns(), 2);
    f.game->img_Card_Click(3); // a taken card stays out of play
    EXPECT_FALSE(f.s.memDisplayCards[3].Turned);
    EXPECT_EQ(f.s.memCardStatus, -1);
}

TEST(Rules, ShuffledDealPairsByReferenceNotPosition)
{
    GameFixture f(4, 1, {3, 0, 2, 1});
    f.start();
    f.turn(0, 2); // references 3 and 2
    EXPECT_EQ(f.player(0).Score, 2);
    f.turn(1, 3);
    f.expectEnd(true);
}

TEST(Rules, MatchGameShowsPicturesAndTurnsNothingBack)
{
    GameFixture f(4, 1);
    f.s.intAppType = 1;
    f.start();
    f.turn(0, 2);
    EXPECT_TRUE(f.view.pictures[0].isNull()); // match cards were laid out face up and stay so
    EXPECT_TRUE(f.view.enabled[0]);
}

TEST(Rules, TurnPassesOnAMissNotOnAPair)
{
    GameFixture f(8, 2);
    f.start();
    f.turn(0, 1);
    EXPECT_EQ(f.s.memCurrentPlayer, 0);
    f.turn(2, 4);
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    EXPECT_EQ(f.view.playerColors[1], qMakePair(1u, 2u));
    EXPECT_EQ(f.view.playerColors[0], qMakePair(3u, 3u));
    f.turn(2, 3);
    EXPECT_EQ(f.player(1).Score, 2);
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    f.turn(4, 6);
    EXPECT_EQ(f.s.memCurrentPlayer, 0);
}

TEST(Rules, OnePlayerKeepsTheTurnAndEveryTryCounts)
{
    GameFixture f(8, 1);
    f.counter(memTRIESMADE, 100, 0);
    f.start();
    f.turn(0, 2);
    f.turn(0, 1);
    f.turn(2, 4);
    EXPECT_EQ(f.s.memCurrentPlayer, 0);
    EXPECT_EQ(f.player(0).TriesMade, 3);
    EXPECT_EQ(f.view.captions[0], QStringLiteral("3"));
}

TEST(Rules, TriesAreCountedForTheChildWhoMissed)
{
    GameFixture f(8, 2);
    f.counter(memTRIESLEFT, 3, 5);
    f.counter(memTRIESMADE, 10, 4);
    f.start();
    EXPECT_EQ(f.view.captions[5], QStringLiteral("3"));
    f.turn(0, 2); // player 1 misses
    EXPECT_EQ(f.player(0).TriesLeft, 2);
    EXPECT_EQ(f.player(0).TriesMade, 1);
    EXPECT_EQ(f.player(1).TriesLeft, 3);
    EXPECT_EQ(f.player(1).TriesMade, 0);
    f.turn(0, 1); // player 2 finds a pair
    EXPECT_EQ(f.player(1).TriesLeft, 2);
    EXPECT_EQ(f.player(0).TriesLeft, 2);
}

TEST(Rules, TriesLeftRunningOutPutsThatPlayerOutAndHandsOn)
{
    GameFixture f(8, 2);
    f.counter(memTRIESLEFT, 1, 0);
    f.start();
    f.turn(0, 2); // player 1's only try
    EXPECT_TRUE(f.player(0).Out);
    EXPECT_FALSE(f.player(1).Out);
    EXPECT_EQ(f.view.struck, QVector<int>{0});
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    f.turn(0, 1); // player 2 finds a pair on the last try: out, so the game ends badly
    EXPECT_TRUE(f.player(1).Out);
    f.expectEnd(false);
}

TEST(Rules, TriesMadeLimitEndsAOnePlayerGameBadly)
{
    GameFixture f(8, 1);
    f.counter(memTRIESMADE, 2, 0);
    f.sound.status = 0;
    f.start();
    f.turn(0, 2);
    EXPECT_FALSE(f.player(0).Out);
    f.turn(0, 4);
    EXPECT_TRUE(f.player(0).Out);
    f.expectEnd(false);
    EXPECT_TRUE(f.view.struck.isEmpty()); // one player is not struck through
    // After the end nothing turns and the clock stands still.
    f.game->img_Card_Click(6);
    EXPECT_FALSE(f.s.memDisplayCards[6].Turned);
    EXPECT_FALSE(f.view.clock);
}

TEST(Rules, TimerPutsThePlayerInTurnOutAtItsCondition)
{
    GameFixture f(8, 2);
    f.counter(memTIMER, 30, 0);
    f.start();
    for (int i = 0; i < 29; ++i)
        f.game->tim_Timer_Timer();
    EXPECT_FALSE(f.player(0).Out);
    EXPECT_EQ(f.view.captions[0], QStringLiteral(" 29"));
    f.game->tim_Timer_Timer();
    EXPECT_TRUE(f.player(0).Out);
    EXPECT_EQ(f.player(1).Time, 0);
    // Out of time with no card turned: the other child plays on at once.
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    EXPECT_FALSE(f.s.memGameOver);
}

TEST(Rules, TimerRunningOutMidTurnHandsOnWhenTheTurnSettles)
{
    GameFixture f(8, 2);
    f.counter(memTIMER, 1, 0);
    f.start();
    f.game->img_Card_Click(0);
    f.game->tim_Timer_Timer();
    EXPECT_TRUE(f.player(0).Out);
    EXPECT_EQ(f.s.memCurrentPlayer, 0);
    f.game->img_Card_Click(1); // a pair: the turn would stay, but the player is out
    EXPECT_EQ(f.player(0).Score, 2);
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
}

// A found pair costs the player in turn the seconds of its pause and wipe-out; a miss costs none
// and restarts the clock, while the clock of a pair is never restarted (its next tick would slip).
TEST(Clock, RunsWhileAPairIsTakenAndStandsStillForAMiss)
{
    for (const int effect : {0, 2, 3}) {
        GameFixture f(8, 2);
        f.s.ui.Dissapear = effect;
        f.counter(memTIMER, 1000, 0);
        f.start();
        f.tickWhen([&] { return f.game->settling(); });
        const int starts = f.view.clockStarts;
        f.turn(0, 1);
        EXPECT_GT(f.clockTicks, 0) << "effect " << effect;
        EXPECT_EQ(f.player(0).Time, f.clockTicks) << "effect " << effect;
        EXPECT_EQ(f.view.captions[0], MemoryGame::signedText(f.clockTicks));
        EXPECT_TRUE(f.view.clock);
        EXPECT_EQ(f.view.clockStarts, starts) << "effect " << effect;

        const int before = f.clockTicks;
        f.turn(2, 4);
        EXPECT_EQ(f.clockTicks, before) << "effect " << effect;
        EXPECT_TRUE(f.view.clock);
        EXPECT_EQ(f.view.clockStarts, starts + 1);
        EXPECT_EQ(f.s.memCurrentPlayer, 1);
    }
}

// Out of time in the middle of the fly-off: the turn still settles once, the pair scores for the
// child who found it, and only then does the turn pass.
TEST(Clock, OutOfTimeDuringTheWipeOutSettlesOnceAndThenHandsOn)
{
    GameFixture f(8, 2);
    f.s.ui.Dissapear = 2;
    f.counter(memTIMER, 3, 0);
    f.counter(memTRIESMADE, 50, 1);
    f.start();
    QVector<int> inTurnWhileWiping;
    f.tickWhen([&] {
        if (f.s.memWiping)
            inTurnWhileWiping << f.s.memCurrentPlayer;
        return f.s.memWiping;
    });
    f.turn(0, 1);
    ASSERT_GE(f.clockTicks, 3);
    EXPECT_TRUE(f.player(0).Out);
    EXPECT_EQ(inTurnWhileWiping.count(0), inTurnWhileWiping.size()); // nobody else's clock ran
    EXPECT_EQ(f.view.struck, QVector<int>{0});
    EXPECT_EQ(f.game->settledTurns(), 1);
    EXPECT_EQ(f.player(0).Score, 2);
    EXPECT_EQ(f.player(0).TriesMade, 1);
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    EXPECT_FALSE(f.s.memGameOver);
    EXPECT_TRUE(f.view.clock);

    f.view.onEvents = nullptr;
    f.turn(2, 3); // the next child plays on
    EXPECT_EQ(f.player(1).Score, 2);
    EXPECT_EQ(f.game->settledTurns(), 2);
}

// The end reached by a tick during a wipe-out comes once; the turn is settled once after it, and
// the clock stays stopped.
TEST(Clock, AnEndReachedDuringAWipeOutComesOnceAndTheTurnStillSettlesOnce)
{
    {
        // The only player's countdown runs out while the first pair shrinks away: a bad end.
        GameFixture f(8, 1);
        f.s.ui.Dissapear = 3;
        f.counter(memCOUNTDOWN, 2, 1);
        f.start();
        f.tickWhen([&] { return f.s.memWiping; });
        f.turn(0, 1);
        f.expectEnd(false);
        EXPECT_EQ(f.player(0).Countdown, 0); // ticks after the end count nothing
        EXPECT_EQ(f.game->settledTurns(), 1);
        EXPECT_EQ(f.player(0).Score, 2);
        EXPECT_FALSE(f.view.clock);
        EXPECT_FALSE(f.s.memProcessing);
        f.game->img_Card_Click(2);
        EXPECT_FALSE(f.s.memDisplayCards[2].Turned);
    }
    {
        // Ticks while the last pair flies off: the game ends once, after the pair has scored.
        GameFixture f(4, 2);
        f.s.ui.Dissapear = 2;
        f.counter(memTIMER, 100, 0);
        f.start();
        f.turn(0, 1);
        bool endedWhileWiping = false;
        f.view.onEvents = [&] {
            if (f.view.clock && f.s.memWiping) {
                f.game->tim_Timer_Timer();
                endedWhileWiping = endedWhileWiping || (f.s.memGameOver && f.s.memWiping);
            }
        };
        f.turn(2, 3);
        EXPECT_FALSE(endedWhileWiping);
        f.expectEnd(true);
        EXPECT_EQ(f.game->settledTurns(), 2);
        EXPECT_EQ(f.player(0).Score, 4);
        EXPECT_EQ(f.s.memCardsLeft, 0);
        EXPECT_FALSE(f.view.clock);
    }
}

TEST(Rules, CountdownReachingZeroPutsThePlayerOut)
{
    GameFixture f(8, 1);
    f.counter(memCOUNTDOWN, 3, 1);
    f.start();
    EXPECT_EQ(f.player(0).Countdown, 3);
    f.game->tim_Timer_Timer();
    f.game->tim_Timer_Timer();
    EXPECT_FALSE(f.player(0).Out);
    EXPECT_EQ(f.view.captions[1], QStringLiteral(" 1"));
    f.game->tim_Timer_Timer();
    EXPECT_TRUE(f.player(0).Out);
    f.expectEnd(false);
}

TEST(Rules, TheLastPairOnTheLastTryEndsBadlyByTriesMadeAndWellByTriesLeft)
{
    {
        // Tries left put out only a child who still has cards to find.
        GameFixture f(4, 1);
        f.counter(memTRIESLEFT, 2, 0);
        f.start();
        f.turn(0, 1);
        f.turn(2, 3);
        EXPECT_FALSE(f.player(0).Out);
        f.expectEnd(true);
    }
    GameFixture f(4, 1);
    f.counter(memTRIESMADE, 2, 0);
    f.s.ui.EndGoodPicture = QStringLiteral("good.bmp");
    f.start();
    f.turn(0, 1);
    f.turn(2, 3); // the second try reaches the limit and takes the last pair
    EXPECT_TRUE(f.s.memGameOver);
    EXPECT_TRUE(f.player(0).Out);
    EXPECT_EQ(f.view.endShown, 1); // reached twice, shown once
    EXPECT_FALSE(f.game->endWasGood());
}

TEST(Rules, TwoPlayersOneOutTheOtherTakesTheLastPair)
{
    GameFixture f(4, 2);
    f.counter(memTRIESLEFT, 1, 0);
    f.start();
    f.turn(0, 2); // player 1 out
    EXPECT_TRUE(f.player(0).Out);
    f.s.ui.Controls[memTRIESLEFT].Active = false;
    f.turn(0, 1);
    EXPECT_FALSE(f.s.memGameOver);
    f.turn(2, 3);
    f.expectEnd(true);
}

TEST(Rules, ChangePlayerNeverLoopsWhenEveryoneIsOut)
{
    GameFixture f(8, 3);
    f.start();
    for (memPlayer& p : f.s.memPlayers)
        p.Out = true;
    f.s.memCurrentPlayer = 1;
    f.game->memChangePlayer();
    EXPECT_EQ(f.s.memCurrentPlayer, 1);
    f.s.memPlayers[0].Out = false;
    f.game->memChangePlayer();
    EXPECT_EQ(f.s.memCurrentPlayer, 0);
}

TEST(Rules, ADoubleClickTurnsOneCardAndClicksDuringATurnAreDropped)
{
    GameFixture f(8, 1);
    f.start();
    // The second click arrives while the first is still being handled.
    int nested = 0;
    f.view.onEvents = [&] {
        if (nested++ == 0)
            f.game->img_Card_Click(0);
    };
    f.game->img_Card_Click(0);
    f.view.onEvents = nullptr;
    EXPECT_EQ(f.s.memCardStatus, 0);
    f.game->img_Card_Click(0);
    EXPECT_EQ(f.s.memCardStatus, 0);
    // Clicks while processing, wiping, settling or before the window is ready do nothing.
    f.s.memWiping = true;
    f.game->img_Card_Click(3);
    f.s.memWiping = false;
    f.s.memGameReady = false;
    f.game->img_Card_Click(3);
    f.s.memGameReady = true;
    EXPECT_FALSE(f.s.memDisplayCards[3].Turned);
    // A click that sneaks in while the turn is being settled is dropped.
    f.view.onEvents = [&] { f.game->img_Card_Click(5); };
    f.game->img_Card_Click(2);
    f.view.onEvents = nullptr;
    EXPECT_FALSE(f.s.memDisplayCards[5].Turned);
    EXPECT_EQ(f.s.memCardStatus, -1);
    EXPECT_EQ(f.view.pictures[5], QImage());
}

TEST(Rules, CaptionsAndCountersAtTheStart)
{
    GameFixture f(8, 2);
    f.counter(memCARDSMADE, 0, 0);
    f.counter(memCARDSLEFT, 0, 1);
    f.counter(memTRIESMADE, 9, 2);
    f.counter(memTRIESLEFT, 4, 3);
    f.start();
    EXPECT_EQ(f.view.captions[0], QStringLiteral("0"));
    EXPECT_EQ(f.view.captions[1], QStringLiteral("8"));
    EXPECT_EQ(f.view.captions[2], QStringLiteral("0"));
    EXPECT_EQ(f.view.captions[3], QStringLiteral("4"));
    EXPECT_EQ(f.view.playerColors[1], qMakePair(3u, 3u));
    EXPECT_EQ(f.view.playerColors[3], qMakePair(3u, 3u));
    EXPECT_TRUE(f.view.clock);
    f.turn(0, 1);
    EXPECT_EQ(f.view.captions[0], QStringLiteral(" 2"));
    EXPECT_EQ(f.view.captions[1], QStringLiteral(" 6"));
    EXPECT_EQ(f.view.captions[2], QStringLiteral("1"));
    EXPECT_EQ(f.view.captions[3], QStringLiteral("3"));
}
