// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "windowgame.h"
#include "memory/keyboardplay.h"
#include "memory/memwidgets.h"
#include "platform/focusframe.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {
// A board of three columns and two rows of 40 x 40 cards, 10 pixels apart.
QVector<QRect> grid()
{
    QVector<QRect> places;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            places << QRect(col * 50, row * 50, 40, 40);
    return places;
}

QWidget* frameOf(frm_MemoryGame& w) { return w.findChild<FocusFrame*>(); }
bool frameOn(frm_MemoryGame& w, QWidget* target)
{
    QWidget* f = frameOf(w);
    return f && f->isVisible() && f->geometry().contains(target->geometry()) && f->geometry().center() == target->geometry().center();
}
}

TEST(KeyboardPlay, ArrowsGoToTheNearestCardStillInPlayThatWay)
{
    const QVector<QRect> places = grid();
    QVector<bool> in(6, true);
    EXPECT_EQ(memNextPlace(places[0], Qt::Key_Right, places, in), 1);
    EXPECT_EQ(memNextPlace(places[0], Qt::Key_Down, places, in), 3);
    EXPECT_EQ(memNextPlace(places[4], Qt::Key_Up, places, in), 1);
    EXPECT_EQ(memNextPlace(places[4], Qt::Key_Left, places, in), 3);
    EXPECT_EQ(memNextPlace(places[2], Qt::Key_Right, places, in), -1);
    EXPECT_EQ(memNextPlace(places[0], Qt::Key_Space, places, in), -1);
    in[1] = false; // taken: skipped, the same row wins over the row below
    EXPECT_EQ(memNextPlace(places[0], Qt::Key_Right, places, in), 2);
    in[2] = false; // the row is empty that way: the nearest card that way in another row
    EXPECT_EQ(memNextPlace(places[0], Qt::Key_Right, places, in), 4);
    // From where a taken card was.
    EXPECT_EQ(memNextPlace(places[1], Qt::Key_Left, places, in), 0);

    EXPECT_EQ(memFirstPlace(places, QVector<bool>{false, true, true, true, true, true}), 1);
    EXPECT_EQ(memFirstPlace(places, QVector<bool>{false, false, false, false, true, true}), 4);
    EXPECT_EQ(memFirstPlace(places, QVector<bool>(6, false)), -1);

    const QVector<bool> texts{true, false, true, false};
    EXPECT_EQ(memNextInList(0, 1, texts), 2);
    EXPECT_EQ(memNextInList(2, 1, texts), 2);
    EXPECT_EQ(memNextInList(2, -1, texts), 0);
    EXPECT_EQ(memNextInList(-1, 1, texts), 0);
}

TEST(KeyboardPlay, TheFrameComesWithTheFirstArrowAndSpaceTurnsItsCard)
{
    ThrowingEnder ender;
    TestScreen screen;
    GameFiles g;
    OpenGame game(g);
    ASSERT_TRUE(game.loaded) << qPrintable(game.said());
    ASSERT_TRUE(game.shown());
    frm_MemoryGame& window = game.window;
    MemState& s = window.state;

    // A mouse-only game never sees the frame, and Space does nothing before an arrow.
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(frameOf(window) == nullptr || !frameOf(window)->isVisible());
    for (const memDisplayCard& d : s.memDisplayCards)
        EXPECT_FALSE(d.Turned);

    // The first arrow shows the frame on the first card; at the bottom Down leaves it there.
    for (const auto& [key, card] : {std::pair{Qt::Key_Right, 0}, {Qt::Key_Right, 1}, {Qt::Key_Down, 3}, {Qt::Key_Down, 3}}) {
        QTest::keyClick(&window, key);
        ASSERT_TRUE(frameOn(window, window.img_Card[card])) << key;
    }
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(s.memDisplayCards[3].Turned);
    // The same guards as a click: a turned card does not turn again.
    ASSERT_TRUE(waitFor([&] { return !s.memProcessing; }));
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(s.memDisplayCards[3].Turned);
    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_TRUE(frameOn(window, window.img_Card[2]));
}

namespace {
// Keys handed to the window's own handler: an end thrown through Qt's delivery would skip
// Qt's clean-up there.
struct KeyedGame : frm_MemoryGame {
    using frm_MemoryGame::keyPressEvent;
};
}

// The end picture is left from the keyboard as with a click, also without the frame ever shown.
TEST(KeyboardPlay, SpaceAndEnterOnTheEndPictureEndTheProgram)
{
    ThrowingEnder ender;
    TestScreen screen;
    GameFiles g;
    OpenGame<KeyedGame> game(g);
    ASSERT_TRUE(game.loaded) << qPrintable(game.said());
    ASSERT_TRUE(game.shown());
    KeyedGame& window = game.window;
    window.game->memMakeEnd();
    ASSERT_TRUE(window.pic_End->isVisible());
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r"));
        bool ended = false;
        try {
            window.keyPressEvent(&press);
        } catch (const MemProgramEnd& end) {
            ended = end.code == 0;
        }
        EXPECT_TRUE(ended) << "key " << key;
    }
}

TEST(KeyboardPlay, TabGoesBetweenTheCardsAndTheTextList)
{
    ThrowingEnder ender;
    TestScreen screen;
    GameFiles g;
    g.memoryIni += "listfile=list.txt\r\n";
    g.global += "[text list]\r\nactive=1\r\nfontname=Arial\r\nfontsize=14\r\ntop=24\r\nleft=18\r\nwidth=110\r\nspace=10\r\n";
    g.folders.write(QStringLiteral("data/list.txt"), "a\r\nb\r\nc\r\nd\r\n");
    OpenGame game(g);
    ASSERT_TRUE(game.loaded) << qPrintable(game.said());
    ASSERT_TRUE(game.shown());
    frm_MemoryGame& window = game.window;
    ASSERT_TRUE(window.state.textGame());
    ASSERT_EQ(window.lbl_Text.size(), 4);

    QTest::keyClick(&window, Qt::Key_Down);
    ASSERT_TRUE(frameOn(window, window.img_Card[0]));
    QTest::keyClick(&window, Qt::Key_Tab);
    EXPECT_TRUE(frameOn(window, window.lbl_Text[0]));
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_TRUE(frameOn(window, window.lbl_Text[1]));
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(window.state.ui.TextList.Display[1].Turned);
    EXPECT_TRUE(window.state.TextGame.TextChosen);
    QTest::keyClick(&window, Qt::Key_Tab);
    EXPECT_TRUE(frameOn(window, window.img_Card[0]));
}
