// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "gamefixture.h"
#include "memory/memlayout.h"

#include <gtest/gtest.h>

TEST(Layout, CardGridIsTwoGapsApartAndOneGapIn)
{
    memInterface ui;
    ui.BoardLeft = 148;
    ui.BoardTop = 16;
    ui.GapX = 10;
    ui.GapY = 7;
    ui.CardWidth = 80;
    ui.CardHeight = 60;
    for (int j = 1; j <= 4; ++j)
        EXPECT_EQ(memCardRect(ui, 1, j).left(), 148 + 10 + (j - 1) * 100);
    EXPECT_EQ(memCardRect(ui, 3, 1).top(), 16 + 7 + 2 * 74);
    EXPECT_EQ(memCardRect(ui, 3, 1).size(), QSize(80, 60));
}

TEST(Layout, CardGapsKeepEveryCardOnTheBoard)
{
    // Up to four cards a side the usual share stands: 860 - 4 x 120 = 380, / 7 - 1 = 53.
    EXPECT_EQ(memCardGap(860, 4, 120), 53);
    EXPECT_EQ(memCardGap(672, 3, 150), 36);
    EXPECT_EQ(memCardGap(300, 4, 80), -4); // the checker reports the overlap
    // Five 110-pixel cards on a 1024-wide screen: the share would be 37 and the last card would
    // end at 1031; cut down, the grid ends inside the board.
    for (int cards = 5; cards <= 10; ++cards)
        for (int room : {476, 636, 860, 1116}) {
            const int size = room / (cards + 1);
            const int gap = memCardGap(room, cards, size);
            EXPECT_GE(gap, 0);
            EXPECT_LE(size * cards + (2 * cards - 1) * gap, room) << cards << " cards in " << room;
        }
    EXPECT_EQ(memCardGap(860, 5, 110), 34);
}

TEST(Layout, CounterLabelPlacement)
{
    EXPECT_EQ(memControlLabelTop(0, 100, 56, 20, 130), 100);
    EXPECT_EQ(memControlLabelTop(2, 100, 56, 20, 130), 118);
    EXPECT_EQ(memControlLabelTop(1, 100, 56, 20, 130), 130);
    EXPECT_EQ(memControlLabelTop(7, 100, 56, 20, 130), 130);
}

TEST(Layout, PairLineJoinsFacingEdges)
{
    const QRect top(100, 20, 80, 80), below(100, 200, 80, 80), right(300, 20, 80, 80);
    // One column: a vertical line through the centres, from edge to edge.
    EXPECT_EQ(memPairLine(top, below, 1), QLine(140, 100, 140, 200));
    EXPECT_EQ(memPairLine(below, top, 1), QLine(140, 200, 140, 100));
    // One row, a 6-pixel line kept 3 pixels clear of both cards.
    EXPECT_EQ(memPairLine(top, right, 6), QLine(183, 57, 297, 57));
    EXPECT_EQ(memPairLine(right, top, 6), QLine(297, 57, 183, 57));
}

TEST(Animation, FlyStepsByZone)
{
    const QRect board(148, 16, 480, 390); // thirds of 160 x 130
    const QRect leftTop(150, 20, 80, 80), centre(350, 170, 80, 80), rightBottom(560, 320, 60, 60);
    EXPECT_EQ(memFlyStep(leftTop, board, 20, -5, 5), QPoint(-25, -15));
    EXPECT_EQ(memFlyStep(centre, board, 20, -5, 5), QPoint(10, 30));
    EXPECT_EQ(memFlyStep(centre, board, -20, 3, 0), QPoint(-14, -20));
    EXPECT_EQ(memFlyStep(rightBottom, board, -20, 0, 5), QPoint(20, 25));
    EXPECT_TRUE(memFlownOut(QRect(641, 10, 80, 80), 640, 480));
    EXPECT_TRUE(memFlownOut(QRect(-81, 10, 80, 80), 640, 480));
    EXPECT_FALSE(memFlownOut(QRect(-79, 10, 80, 80), 640, 480));
    EXPECT_TRUE(memFlownOut(QRect(10, -81, 80, 80), 640, 480));
    EXPECT_EQ(memShrinkStep(80, 80), 4);
    EXPECT_EQ(memShrinkStep(10, 10), 1); // small cards still shrink
}

TEST(Animation, WipeOutEffects)
{
    for (int effect : {0, 1, 2, 3}) {
        GameFixture f(4, 1);
        f.s.ui.Dissapear = effect;
        f.start();
        f.turn(0, 1);
        EXPECT_FALSE(f.s.memWiping);
        EXPECT_FALSE(f.view.enabled[0]) << effect;
        EXPECT_EQ(f.view.visible[0], effect == 0) << effect;
        EXPECT_EQ(f.view.visible[2], true);
        if (effect == 1) {
            EXPECT_TRUE(f.view.labelVisible[0]); // the text stays when the picture vanishes
        }
        if (effect == 2) {
            // Flown out of the board on some side, with a 50 ms pause per frame.
            EXPECT_TRUE(memFlownOut(f.view.rects[0], 640, 480));
            EXPECT_GT(f.view.pauses.count(50), 2);
        }
        if (effect == 3) {
            // 80 x 80 shrinks by 4 a frame around its centre: 80, 76, ... 8 shown, then gone.
            const QVector<QRect>& frames = f.view.moves[0];
            ASSERT_EQ(frames.size(), 19);
            EXPECT_EQ(frames[0], QRect(200, 50, 80, 80));
            EXPECT_EQ(frames[1], QRect(202, 52, 76, 76));
            EXPECT_EQ(frames.last().width(), 8);
            EXPECT_EQ(f.view.pauses.count(16), 19);
        }
    }
}

TEST(Animation, PairLineReplacesTheWipeOut)
{
    GameFixture f(4, 1);
    f.s.ui.LineActive = true;
    f.s.ui.LineWidth = 2;
    f.start();
    f.turn(0, 1);
    ASSERT_EQ(f.view.lines.size(), 1);
    EXPECT_EQ(f.view.lines[0], QLine(281, 89, 299, 89));
    EXPECT_TRUE(f.view.visible[0]);
    EXPECT_EQ(f.view.pictures[0], f.s.memCardHolders[0].Picture);
}

namespace {
// A text-list game: cards and texts shown in order, text k belonging to card k.
struct TextGame : GameFixture {
    explicit TextGame(int cards = 4) : GameFixture(cards, 2)
    {
        s.ui.TextList.Active = true;
        s.ui.TextList.ForeColor = 10;
        s.ui.TextList.SelectColor = 11;
        s.ui.TextList.DimColor = 12;
        s.ui.TextList.Texts = QVector<memTextEntry>(cards);
        s.ui.TextList.Display = QVector<memDisplayCard>(cards);
        for (int i = 0; i < cards; ++i)
            s.ui.TextList.Display[i].Reference = cards - 1 - i; // text label i shows text cards-1-i
        start();
    }
    int labelOf(int text) const { return s.memCardCount - 1 - text; }
};
}

TEST(TextCards, EitherOrderMatchesAndScoresOne)
{
    TextGame g;
    g.game->img_Card_Click(0);
    g.game->memTextClick(g.labelOf(0));
    EXPECT_EQ(g.player(0).Score, 1);
    EXPECT_EQ(g.s.memCardsTaken, 1);
    EXPECT_EQ(g.view.textColors[g.labelOf(0)], 12u);
    EXPECT_TRUE(g.view.textEnabled[g.labelOf(0)]);
    EXPECT_FALSE(g.view.visible[0]);

    g.game->memTextClick(g.labelOf(1));
    EXPECT_EQ(g.view.textColors[g.labelOf(1)], 11u);
    g.game->img_Card_Click(1);
    EXPECT_EQ(g.player(0).Score, 2);
    EXPECT_EQ(g.s.memCardsLeft, 2);
    EXPECT_EQ(g.view.scores[0], QStringLiteral(" 2 "));
}

TEST(TextCards, SecondChoicesOfOneKindAreIgnoredAndAMissKeepsThePlayer)
{
    TextGame g;
    g.game->memTextClick(g.labelOf(2));
    g.game->memTextClick(g.labelOf(3));
    EXPECT_EQ(g.s.TextGame.TextReference, 2);
    g.game->img_Card_Click(0); // card 0 with text 2: a miss
    EXPECT_EQ(g.s.memCurrentPlayer, 0);
    EXPECT_EQ(g.view.textColors[g.labelOf(2)], 10u);
    EXPECT_EQ(g.view.pictures[0], g.s.ui.CardBack);
    EXPECT_TRUE(g.view.enabled[0]);
    EXPECT_FALSE(g.s.TextGame.CardChosen);
    EXPECT_FALSE(g.s.TextGame.TextChosen);

    g.game->img_Card_Click(3);
    g.game->img_Card_Click(2); // a second card before a text: ignored
    EXPECT_FALSE(g.s.memDisplayCards[2].Turned);
    g.game->memTextClick(g.labelOf(3));
    EXPECT_EQ(g.player(0).Score, 1);
}

TEST(TextCards, TheClockRunsWhileAMatchIsTakenAndStandsStillForAMiss)
{
    TextGame g;
    g.counter(memTIMER, 1000, 0);
    g.tickWhen([&] { return g.game->settling(); });
    const int starts = g.view.clockStarts;
    g.game->img_Card_Click(0);
    g.game->memTextClick(g.labelOf(1));
    EXPECT_EQ(g.clockTicks, 0);
    EXPECT_TRUE(g.view.clock);
    EXPECT_EQ(g.view.clockStarts, starts + 1);
    g.game->img_Card_Click(0);
    g.game->memTextClick(g.labelOf(0));
    EXPECT_GT(g.clockTicks, 0);
    EXPECT_EQ(g.player(0).Time, g.clockTicks);
    EXPECT_EQ(g.view.clockStarts, starts + 1);
    EXPECT_EQ(g.game->settledTurns(), 2);
}

TEST(TextCards, DestroyOffKeepsAMatchedTextThatThenOnlyMisses)
{
    TextGame g(2);
    g.game->img_Card_Click(0);
    g.game->memTextClick(g.labelOf(0));
    g.game->img_Card_Click(1);
    g.game->memTextClick(g.labelOf(0)); // the old text again: a miss
    EXPECT_EQ(g.player(0).Score, 1);
    EXPECT_FALSE(g.s.memGameOver);
    g.game->img_Card_Click(1);
    g.game->memTextClick(g.labelOf(1));
    EXPECT_TRUE(g.s.memGameOver);
    EXPECT_EQ(g.s.memCardsTaken, g.s.memCardCount);
    EXPECT_TRUE(g.game->endWasGood());

    TextGame d(2);
    d.s.ui.TextList.Destroy = true;
    d.game->img_Card_Click(0);
    d.game->memTextClick(d.labelOf(0));
    EXPECT_FALSE(d.view.textVisible[d.labelOf(0)]);
}
