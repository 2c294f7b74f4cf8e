// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "windowgame.h"
#include "memory/memwidgets.h"
#include "platform/files.h"
#include "testsupport/soundrecorder.h"

#include <gtest/gtest.h>

namespace {
QRect inWindow(const QWidget* w, const QWidget* window) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

// A label whose text is wider than the label shows it cut off.
void expectTextFits(const QLabel* label, const QString& where)
{
    const int wide = QFontMetrics(label->font()).horizontalAdvance(label->text());
    EXPECT_LE(wide, label->width()) << qPrintable(where) << ": '" << qPrintable(label->text()) << "' is cut off";
}

// One sample game started at one screen size (the test below says what is checked).
void checkSampleGame(const QString& game, QSize screen)
{
    const QString where = QStringLiteral("%1 at %2 x %3").arg(game).arg(screen.width()).arg(screen.height());
    frm_MemoryGame::setScreenSizeForTests(screen);
    memFile = game;
    MessageRecorder boxes;
    frm_MemoryGame window;
    bool started = false;
    try {
        started = window.Form_Load();
    } catch (const MemProgramEnd&) {
    }
    ASSERT_TRUE(started) << qPrintable(where) << "\n" << qPrintable(boxes.texts().join('\n'));
    EXPECT_TRUE(boxes.messages.isEmpty()) << qPrintable(where) << "\n" << qPrintable(boxes.texts().join('\n'));
    window.show();
    ASSERT_TRUE(waitFor([&] { return window.state.memGameReady; })) << qPrintable(where);

    const memInterface& ui = window.state.ui;
    const QRect screenRect(QPoint(0, 0), screen);
    const QRect layout = window.pic_Background->geometry();
    EXPECT_TRUE(screenRect.contains(layout)) << qPrintable(where);
    const QRect board(ui.BoardLeft, ui.BoardTop, ui.BoardWidth, ui.BoardHeight);
    ASSERT_EQ(window.img_Card.size(), window.state.memCardCount) << qPrintable(where);

    // What else stands on the layout; no card may lie under any of it.
    QVector<QPair<QWidget*, QString>> others;
    for (int m = 0; m < 6; ++m) {
        if (window.img_Control[m]->isVisible())
            others.append({window.img_Control[m], QStringLiteral("counter %1").arg(m + 1)});
        if (window.lbl_Control[m]->isVisible()) {
            others.append({window.lbl_Control[m], QStringLiteral("counter label %1").arg(m + 1)});
            expectTextFits(window.lbl_Control[m], where);
        }
    }
    for (int p = 0; p < 4; ++p) {
        for (QWidget* w : {static_cast<QWidget*>(window.img_Player[p]), static_cast<QWidget*>(window.lbl_PlayerName[p]),
                           static_cast<QWidget*>(window.lbl_PlayerScore[p])})
            if (w->isVisible())
                others.append({w, QStringLiteral("player panel %1").arg(p + 1)});
        if (window.lbl_PlayerName[p]->isVisible())
            expectTextFits(window.lbl_PlayerName[p], where);
    }
    if (window.img_Quit->isVisible())
        others.append({window.img_Quit, QStringLiteral("quit button")});
    for (MemLabel* text : window.lbl_Text) {
        others.append({text, QStringLiteral("text '%1'").arg(text->text())});
        expectTextFits(text, where);
        EXPECT_TRUE(QRect(QPoint(0, 0), layout.size()).contains(text->geometry())) << qPrintable(where);
    }
    for (const auto& [w, what] : others)
        EXPECT_TRUE(QRect(QPoint(0, 0), layout.size()).contains(w->geometry())) << qPrintable(where) << ": " << qPrintable(what);

    for (int k = 0; k < window.img_Card.size(); ++k) {
        MemImage* card = window.img_Card[k];
        const QString which = where + QStringLiteral(", card %1").arg(k);
        EXPECT_TRUE(card->isVisible()) << qPrintable(which);
        EXPECT_TRUE(board.contains(card->geometry())) << qPrintable(which);
        EXPECT_TRUE(screenRect.contains(inWindow(card, &window))) << qPrintable(which);
        for (const auto& [w, what] : others)
            EXPECT_FALSE(card->geometry().intersects(w->geometry())) << qPrintable(which) << " lies under " << qPrintable(what);
        // The click at its centre reaches the card (or its caption, which passes it on).
        QWidget* hit = window.childAt(inWindow(card, &window).center());
        EXPECT_TRUE(hit == card || hit == window.lbl_Card[k]) << qPrintable(which);
        if (window.lbl_Card[k]->isVisible())
            expectTextFits(window.lbl_Card[k], which);
    }

    // The first card takes a child's click.
    QWidget* first = window.childAt(inWindow(window.img_Card[0], &window).center());
    ASSERT_NE(first, nullptr) << qPrintable(where);
    click(first);
    EXPECT_TRUE(window.state.memDisplayCards[0].Turned) << qPrintable(where);
    window.hide();
}
}

// Each sample game starts through the whole set-up chain at each of the five screen sizes of the
// resolution table and on a wide screen, without a message, and lays out a board a child can play: every card inside
// the board area and the window, on top where it is clicked, clear of the counters, the player
// panels, the quit button and the texts, and every caption whole.
TEST(SampleGames, StartAndFitAtEveryScreenSize)
{
    ThrowingEnder ender;
    SoundRecorder recorder; // sounds are timed, not played aloud
    setAppFolderForTests(QString());
    const QStringList games = sampleGames();
    ASSERT_GE(games.size(), 4);
    for (const QString& game : games) {
        for (const auto& size : memResolutions)
            checkSampleGame(game, QSize(size[0], size[1]));
        checkSampleGame(game, QSize(1920, 1080)); // a wide screen the table does not name
    }
    frm_MemoryGame::setScreenSizeForTests(QSize());
}
