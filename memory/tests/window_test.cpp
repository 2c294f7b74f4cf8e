// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "windowgame.h"
#include "memory/memwidgets.h"
#include "paint/frm_splash.h"
#include "platform/accessible.h"

#include <QLabel>
#include <QSet>
#include <gtest/gtest.h>

namespace {
frm_Splash* visibleSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frm_Splash*>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}
}

// The splash comes up in its colour while the game is read, and goes when the board is active.
TEST(GameWindow, TheSplashShowsInItsColourUntilTheBoardIsActive)
{
    ThrowingEnder ender;
    GameFiles g;
    g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP", 40, 40, Qt::blue));
    g.global += "picture=back.bmp\r\n";
    g.main = "[splash screen]\r\nbackcolor=&HF0B040\r\nactive=1\r\n" + g.main;
    TestScreen screen;
    OpenGame game(g);
    ASSERT_TRUE(game.loaded) << qPrintable(game.said());
    frm_Splash* splash = visibleSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->palette().color(QPalette::Window), QColor(0x40, 0xB0, 0xF0));
    EXPECT_FALSE(game.window.state.memGameReady);
    EXPECT_TRUE(game.shown());
    QApplication::processEvents();
    EXPECT_EQ(visibleSplash(), nullptr);
}

// A card back that cannot be loaded, on a board without borders, would leave the face-down cards
// invisible: they get a plain back. With borders the theme's own look is kept.
TEST(GameWindow, AnUnreadableCardBackWithoutBordersGetsAPlainBack)
{
    ThrowingEnder ender;
    TestScreen screen;
    for (const bool border : {false, true}) {
        GameFiles g;
        g.folders.write(QStringLiteral("gfx/back.bmp"), "not a picture");
        g.global += "picture=back.bmp\r\n";
        if (border)
            g.global += "border=1\r\n";
        OpenGame game(g);
        ASSERT_TRUE(game.loaded) << qPrintable(game.said());
        EXPECT_FALSE(game.boxes.messages.isEmpty()); // the adult still hears of the picture
        ASSERT_FALSE(game.window.img_Card.isEmpty());
        const QImage back = game.window.img_Card[0]->picture();
        EXPECT_EQ(back.isNull(), border) << "border " << border;
        if (!border) {
            EXPECT_EQ(back.size(), QSize(40, 40));
        }
    }
}

// Each player's panel looks for its picture: a missing one is reported once for each player the
// game has (0 players is one, more than four is four), a present one shows on each panel.
TEST(GameWindow, APlayerPictureIsLookedForOnEachPlayersPanel)
{
    ThrowingEnder ender;
    TestScreen screen;
    const QString title104 = QStringLiteral("Error in application (# 104)");
    for (const auto& [asked, panels] : {std::pair{0, 1}, {1, 1}, {3, 3}, {7, 4}}) {
        for (const bool present : {false, true}) {
            GameFiles g;
            g.main = "[players]\r\nplayers=" + QByteArray::number(asked) + "\r\ndefaultname=Player\r\npicture=panel.bmp\r\n";
            if (present)
                g.folders.write(QStringLiteral("gfx/panel.bmp"), pictureBytes("BMP", 20, 10));
            OpenGame game(g);
            ASSERT_TRUE(game.loaded) << qPrintable(game.said());
            const frm_MemoryGame& window = game.window;
            int shown104 = 0;
            for (const MsgRecord& m : game.boxes.messages) {
                if (m.title != title104)
                    continue;
                ++shown104;
                EXPECT_TRUE(m.text.contains(g.folders.path(QStringLiteral("gfx/panel.bmp")))) << qPrintable(m.text);
            }
            EXPECT_EQ(shown104, present ? 0 : panels) << asked << " players";
            for (int p = 0; p < 4; ++p) {
                EXPECT_EQ(!window.img_Player[p]->picture().isNull(), present && p < panels) << asked << " players, panel " << p;
                EXPECT_EQ(window.lbl_PlayerName[p]->isVisibleTo(&window), p < panels);
            }
        }
    }
}

// A long team name in the sample's own font keeps its number: four panels never read the same,
// and the name takes the panel's room up to the score.
TEST(GameWindow, PlayerNamesAreNeverCutSoThatTheNumberIsLost)
{
    ThrowingEnder ender;
    TestScreen screen;
    for (const QByteArray name : {"Jugador", "Mannschaft", "Grandchildren"}) {
        GameFiles g;
        g.main = "[players]\r\nplayers=4\r\ndefaultname=" + name
                 + "\r\nnamefont=Arial\r\nnamefontsize=11\r\nnamefontbold=1\r\nscorefont=Arial\r\nscorefontsize=16\r\n"
                   "scorefontbold=1\r\n";
        OpenGame game(g);
        ASSERT_TRUE(game.loaded) << qPrintable(game.said());
        const frm_MemoryGame& window = game.window;
        QSet<QString> captions;
        for (int p = 0; p < 4; ++p) {
            const QLabel* label = window.lbl_PlayerName[p];
            const QString text = label->text();
            captions.insert(text);
            EXPECT_TRUE(text.endsWith(QStringLiteral(" %1").arg(p + 1))) << qPrintable(text);
            EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->width()) << qPrintable(text);
            const QRect panel = window.img_Player[p]->geometry();
            EXPECT_TRUE(panel.contains(label->geometry()) && panel.contains(window.lbl_PlayerScore[p]->geometry())) << p;
            EXPECT_LE(label->geometry().right(), window.lbl_PlayerScore[p]->geometry().left());
            if (name == "Jugador") { // short enough for the whole name once it has the room
                EXPECT_EQ(text, QStringLiteral(" Jugador %1").arg(p + 1));
            }
        }
        EXPECT_EQ(captions.size(), 4) << name.constData();
    }
}

// With noquit, Esc, Alt+F4, the quit picture and the window's close are all ignored; without it
// each ends the program.
TEST(GameWindow, NoQuitIgnoresEveryWayOutOfTheGame)
{
    ThrowingEnder ender;
    TestScreen screen;
    for (const bool noquit : {true, false}) {
        GameFiles g;
        if (noquit)
            g.memoryIni += "[classroom]\r\nnoquit=1\r\n";
        OpenGame game(g);
        ASSERT_TRUE(game.loaded) << qPrintable(game.said());
        frm_MemoryGame& window = game.window;
        EXPECT_EQ(window.state.classroom.noquit, noquit);
        window.show();
        QApplication::processEvents();
        const std::vector<std::function<void()>> ways = {
            [&] { QTest::keyClick(&window, Qt::Key_Escape); },
            [&] { QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier); },
            [&] { window.img_Quit_Click(); },
            [&] { window.close(); },
        };
        for (size_t i = 0; i < ways.size(); ++i) {
            // Without noquit only the quit button's handler is called: an end thrown through
            // Qt's delivery of a key or a close would skip Qt's own clean-up there.
            if (!noquit && i != 2)
                continue;
            window.setEnabled(true);
            window.show();
            bool ended = false;
            try {
                ways[i]();
            } catch (const MemProgramEnd&) {
                ended = true;
            }
            EXPECT_EQ(ended, !noquit) << "way " << i << (noquit ? " with" : " without") << " noquit";
        }
    }
}

// The pair lines' layer is made at the first line, and lines drawn before a resize survive it.
TEST(GameWindow, PairLinesAreDrawnOnTheBoardAndKeptWhenItGrows)
{
    MemCanvas canvas;
    canvas.resize(200, 100);
    QImage black(200, 100, QImage::Format_RGB32);
    black.fill(Qt::black);
    canvas.setBackground(black);
    EXPECT_TRUE(canvas.drawing().isNull());
    canvas.drawLine(QLine(10, 50, 190, 50), Qt::red, 4);
    ASSERT_EQ(canvas.drawing().size(), QSize(200, 100));
    canvas.resize(300, 150);
    QResizeEvent grow(QSize(300, 150), QSize(200, 100));
    QApplication::sendEvent(&canvas, &grow);
    ASSERT_EQ(canvas.drawing().size(), QSize(300, 150));
    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(shown.pixelColor(100, 50), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(100, 20), QColor(Qt::black));
}

// A screen reader may ask for a counter or a card before the board has described it: what it
// is given then must follow the description that comes after, not read the bare label.
TEST(GameWindow, AControlAskedForBeforeItIsDescribedSaysItsDescription)
{
    installAccessibleControls();
    QWidget board;
    MemLabel counter(&board);
    MemImage card(&board);
    counter.setText(QStringLiteral(" 16 "));
    QAccessibleInterface* early[] = {QAccessible::queryAccessibleInterface(&counter), QAccessible::queryAccessibleInterface(&card)};
    describeAccess(&counter, QAccessible::StaticText, QStringLiteral("Cards left: 16"));
    describeAccess(&card, QAccessible::Button, QStringLiteral("card 1, face down"), [] {});
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&counter)->text(QAccessible::Name), QStringLiteral("Cards left: 16"));
    EXPECT_EQ(early[0]->text(QAccessible::Name), QStringLiteral("Cards left: 16"));
    EXPECT_EQ(early[1]->text(QAccessible::Name), QStringLiteral("card 1, face down"));
    EXPECT_EQ(early[1]->role(), QAccessible::Button);
}
