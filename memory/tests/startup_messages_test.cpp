// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "gamefiles.h"
#include "memory/checkmemory.h"
#include "memory/frm_memorygame.h"
#include "memory/memerrors.h"
#include "memory/twinturn.h"

#include "common/themecheck.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct BrokenGame {
    int number;
    const char* mistake;
    std::function<void(GameFiles&)> make;
};

const char* kTextList = "[text list]\r\nactive=1\r\nleft=500\r\ntop=10\r\n";

const QVector<BrokenGame>& brokenGames()
{
    static const QVector<BrokenGame> games = {
        {1, "the file named does not exist", [](GameFiles& g) { g.memoryIni.clear(); }},
        {3, "no app line", [](GameFiles& g) { g.memoryIni.replace("app=memory\r\n", ""); }},
        {4, "an unknown app", [](GameFiles& g) { g.memoryIni.replace("app=memory", "app=memori"); }},
        {5, "a misspelt main file", [](GameFiles& g) { g.memoryIni.replace("main=main.ini", "main=mian.ini"); }},
        {6, "a misspelt global file", [](GameFiles& g) { g.memoryIni.replace("global=global.ini", "global=globl.ini"); }},
        {7, "a misspelt card file", [](GameFiles& g) { g.memoryIni.replace("cards=cards.txt", "cards=card.txt"); }},
        {8, "a text list without its list file",
         [](GameFiles& g) {
             g.memoryIni += "listfile=none.txt\r\n";
             g.global += kTextList;
         }},
        {9, "a list file with too few texts",
         [](GameFiles& g) {
             g.memoryIni += "listfile=list.txt\r\n";
             g.global += kTextList;
             g.folders.write(QStringLiteral("data/list.txt"), "cat\r\ndog\r\n");
         }},
        {10, "a missing special file", [](GameFiles& g) { g.memoryIni += "special=extra.ini\r\n"; }},
        {11, "no cards across", [](GameFiles& g) { g.global.replace("cardsx=2", "cardsx=0"); }},
        {12, "cards too wide for the screen", [](GameFiles& g) { g.global.replace("cardwidth=40", "cardwidth=400"); }},
        {13, "an odd number of cards",
         [](GameFiles& g) {
             g.global.replace("cardsx=2", "cardsx=3").replace("cardsy=2", "cardsy=3");
             g.cards = QByteArray("a\tc0.bmp\r\n").repeated(9);
         }},
        {14, "fewer cards than places", [](GameFiles& g) { g.global.replace("cardsx=2", "cardsx=3"); }},
        {15, "seven players", [](GameFiles& g) { g.main.replace("players=2", "players=7"); }},
        {17, "an empty card file", [](GameFiles& g) { g.cards.clear(); }},
        {16, "more cards than a game can have",
         [](GameFiles& g) { g.global.replace("cardsx=2", "cardsx=30").replace("cardsy=2", "cardsy=30"); }},
        {100, "a missing background", [](GameFiles& g) { g.main = "[interface]\r\npictures=bk.bmp\r\n" + g.main; }},
        {101, "a missing card back", [](GameFiles& g) { g.global.replace("picture=back.bmp", "picture=bakc.bmp"); }},
        {102, "a missing counter picture", [](GameFiles& g) { g.main += "[tries left]\r\nactive=1\r\norder=1\r\npicture=t.bmp\r\n"; }},
        {103, "a missing quit picture", [](GameFiles& g) { g.main = "[interface]\r\nquitpicture=q.bmp\r\n" + g.main; }},
        {104, "a missing player picture", [](GameFiles& g) { g.main += "picture=p.bmp\r\n"; }},
        {105, "a missing card picture", [](GameFiles& g) { g.cards.replace("c1.bmp", "c9.bmp"); }},
        {110, "a card back that is no picture", [](GameFiles& g) { g.folders.write(QStringLiteral("gfx/back.bmp"), "not a picture"); }},
        {200, "a missing good end sound", [](GameFiles& g) { g.main = "[interface]\r\nendgoodsound=good.wav\r\n" + g.main; }},
        {201, "a missing bad end sound", [](GameFiles& g) { g.main = "[interface]\r\nendbadsound=bad.wav\r\n" + g.main; }},
        {202, "a missing turn sound", [](GameFiles& g) { g.global += "turnsound=turn.wav\r\n"; }},
        {203, "a missing card sound", [](GameFiles& g) { g.cards.replace("c0.bmp", "c0.bmp\t\tnone.wav"); }},
        {204, "a missing text list sound",
         [](GameFiles& g) {
             g.memoryIni += "listfile=list.txt\r\n";
             g.global += QByteArray(kTextList) + "sound=click.wav\r\n";
             g.folders.write(QStringLiteral("data/list.txt"), "a\r\nb\r\nc\r\nd\r\n");
         }},
        {205, "a missing match sound", [](GameFiles& g) { g.main = "[interface]\r\nmatchsound=m.wav\r\n" + g.main; }},
        {206, "a missing no-match sound",
         [](GameFiles& g) {
             g.main = "[interface]\r\nmatchsound=m.wav\r\nnomatchsound=n.wav\r\n" + g.main;
             g.wav(QStringLiteral("sfx/m.wav"));
         }},
    };
    return games;
}

struct Box {
    int number;
    QString text; // on one line, without "Continue?"
};

QVector<Box> startupBoxes(const QString& ini)
{
    MessageRecorder boxes;
    try {
        memStartUp(ini, [](frm_MemoryGame&) {});
    } catch (const MemProgramEnd&) {
    }
    QVector<Box> out;
    static const QRegularExpression number(QStringLiteral("#\\s*(\\d+)\\)"));
    for (const MsgRecord& m : boxes.messages) {
        QString t = m.text;
        t.remove(QStringLiteral("\r\rContinue?"));
        t.replace(QRegularExpression(QStringLiteral("\r+")), QStringLiteral(" "));
        out.push_back({number.match(m.title).captured(1).toInt(), t});
    }
    return out;
}

} // namespace

// Each box start-up can show for a game is a checker finding in the same words, with its number.
TEST(GameStartupMessages, TheCheckerSaysWhatStartupShows)
{
    ThrowingEnder ender;
    frm_MemoryGame::setScreenSizeForTests(QSize(640, 480));
    for (const BrokenGame& game : brokenGames()) {
        SCOPED_TRACE(game.mistake);
        GameFiles g;
        g.global += "picture=back.bmp\r\n";
        g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP"));
        game.make(g);
        g.write();
        QString ini = g.ini();
        if (g.memoryIni.isEmpty())
            ini = g.folders.path(QStringLiteral("nothing.ini"));

        ThemeReport report;
        checkMemoryConfiguration(ini, report);
        const QStringList findings = report.lines();
        const QVector<Box> boxes = startupBoxes(ini);

        ASSERT_FALSE(boxes.isEmpty());
        const QString tag = QStringLiteral("(%1 %2")
                                .arg(memErrorText(game.number).kind == MemErrorKind::Fatal ? "error" : "warning")
                                .arg(game.number);
        for (const Box& box : boxes) {
            EXPECT_EQ(box.number, game.number) << qPrintable(box.text);
            // A box start-up shows for each player is one finding, which says so.
            const auto times = std::count_if(boxes.begin(), boxes.end(), [&](const Box& b) { return b.text == box.text; });
            if (times > 1) {
                EXPECT_EQ(findings.filter(QStringLiteral("shown once for each of the %1 players)").arg(times)).size(), 1)
                    << qPrintable(findings.join('\n'));
            }
            EXPECT_EQ(findings.filter(box.text).filter(tag).size(), 1)
                << "start-up showed: " << qPrintable(box.text) << "\nthe checker said:\n" << qPrintable(findings.join('\n'));
        }
    }
    frm_MemoryGame::setScreenSizeForTests(QSize());
}

TEST(GameStartupMessages, EveryMessageHasItsBrokenGame)
{
    QSet<int> covered;
    for (const BrokenGame& game : brokenGames())
        covered.insert(game.number);
    for (int n : memErrorNumbers())
        EXPECT_TRUE(covered.contains(n)) << "message " << n << ": " << qPrintable(memErrorText(n, "...", "...").message);
}
