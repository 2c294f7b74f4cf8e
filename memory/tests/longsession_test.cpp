// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "soundgame.h"
#include "windowgame.h"

#include "common/sounddevice.h"
#include "memory/memwidgets.h"
#include "platform/events.h"
#include "testsupport/soundrecorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace {
// The next click of a child who knows the board: text label `index` or card `index` (-1: none).
struct KnownClick {
    bool text;
    int index;
};
KnownClick knownClick(const MemState& s)
{
    const int cards = s.memDisplayCards.size();
    auto left = [&](int k) { return !s.memDisplayCards[k].Removed && !s.memDisplayCards[k].Turned; };
    auto card = [&](const std::function<bool(int)>& fits) {
        for (int k = 0; k < cards; ++k)
            if (left(k) && fits(k))
                return KnownClick{false, k};
        return KnownClick{false, -1};
    };
    const auto any = [](int) { return true; };
    if (s.TextGame.CardChosen) {
        const memTextList& tl = s.ui.TextList;
        for (int t = 0; t < tl.Display.size(); ++t)
            if (!tl.Display[t].Removed && tl.Display[t].Reference == s.TextGame.CardReference)
                return {true, t};
        return {true, -1};
    }
    if (s.TextGame.TextChosen) { // its card, or any card when the text was one already matched
        const KnownClick its = card([&](int k) { return s.memDisplayCards[k].Reference == s.TextGame.TextReference; });
        return its.index >= 0 ? its : card(any);
    }
    if (s.memCardStatus != -1 && !s.textGame()) { // the partner, or any card when it is gone
        const int a = s.memCardsTurned[0];
        const KnownClick partner = card([&](int k) { return s.memDisplayCards[k].Reference / 2 == s.memDisplayCards[a].Reference / 2; });
        return partner.index >= 0 ? partner : card(any);
    }
    return card(any);
}

// One game of a long session: its board, players, counters and way of wiping out come from the
// seed, and so does the order and timing of every sound report.
struct RandomGame {
    std::mt19937 rng;
    int cards;
    std::unique_ptr<SoundGame> g;
    std::unique_ptr<ChaosDevice> device;

    explicit RandomGame(unsigned seed) : rng(seed), cards(2 * (2 + int(rng() % 9)))
    {
        QVector<int> deal(cards);
        std::iota(deal.begin(), deal.end(), 0);
        std::shuffle(deal.begin(), deal.end(), rng);
        g = std::make_unique<SoundGame>(cards, 1 + int(rng() % 4), deal);
        MemState& s = g->s;
        s.ui.ResultSounds = rng() % 3 != 0;
        s.ui.Dissapear = int(rng() % 4);
        s.ui.LineActive = rng() % 5 == 0;
        s.ui.EndBadSound = QStringLiteral("end.wav");
        if (rng() % 4 == 0) {
            s.ui.TextList.Active = true;
            s.ui.TextList.Destroy = rng() % 2;
            s.ui.TextList.Texts = QVector<memTextEntry>(cards);
            s.ui.TextList.Display = QVector<memDisplayCard>(cards);
            QVector<int> order(cards);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), rng);
            for (int i = 0; i < cards; ++i)
                s.ui.TextList.Display[i].Reference = order[i];
            // Texts that sound keep the device busy while a card may be turned.
            if (rng() % 2)
                s.ui.TextList.Sound = QStringLiteral("click.wav");
            for (int i = 0; i < cards; ++i)
                if (rng() % 2)
                    s.ui.TextList.Texts[i].Sound = QStringLiteral("c%1.wav").arg(i);
        }
        // Counters that can put children out before the board is empty.
        int order = 1;
        if (rng() % 3 == 0)
            g->counter(memTRIESLEFT, 2 + int(rng() % 12), order++);
        if (rng() % 4 == 0)
            g->counter(memTRIESMADE, 3 + int(rng() % 15), order++);
        if (rng() % 4 == 0)
            g->counter(memTIMER, 5 + int(rng() % 40), order++);
        if (rng() % 4 == 0)
            g->counter(memCOUNTDOWN, 5 + int(rng() % 40), order++);
        if (rng() % 2 == 0)
            g->counter(memCARDSLEFT, 0, order++);
        g->start();
        device = std::make_unique<ChaosDevice>(*g, seed);
        if (rng() % 2)
            g->statusUpdates();
    }
    unsigned pick(unsigned n) { return rng() % n; }
    bool busy() const { return g->s.memProcessing || g->s.memWiping || g->game->settling(); }

    // A child's click anywhere on the board, or a second passing, or a sound report.
    void randomEvent()
    {
        MemState& s = g->s;
        switch (pick(10)) {
        case 0: case 1: case 2: case 3: case 4:
            g->game->img_Card_Click(int(pick(unsigned(cards))));
            break;
        case 5:
            if (s.textGame())
                g->game->memTextClick(int(pick(unsigned(cards))));
            else
                g->game->memCardClick(int(pick(unsigned(cards)))); // the card's label
            break;
        case 6: { // a double click: the second click lands while the first is handled
            const int k = int(pick(unsigned(cards)));
            g->game->img_Card_Click(k);
            g->game->img_Card_Click(k);
            break;
        }
        case 7:
            if (g->view.clock)
                g->game->tim_Timer_Timer();
            break;
        default:
            device->deliverOne();
            break;
        }
    }

    // What must hold after every event.
    void checkInvariants(unsigned seed) const
    {
        const MemState& s = g->s;
        ASSERT_GE(s.memCardsTaken, 0) << seed;
        ASSERT_LE(s.memCardsTaken, cards) << seed;
        // Cards count as taken when the pair is seen, and leave the count when the turn settles.
        ASSERT_GE(s.memCardsTaken, cards - s.memCardsLeft) << seed;
        if (!busy() && s.memCardStatus == -1) {
            ASSERT_EQ(s.memCardsLeft, cards - s.memCardsTaken) << seed;
        }
        ASSERT_GE(s.memCurrentPlayer, 0) << seed;
        ASSERT_LT(s.memCurrentPlayer, s.memPlayers.size()) << seed;
        double scores = 0;
        for (const memPlayer& p : s.memPlayers)
            scores += p.Score;
        ASSERT_EQ(scores, cards - s.memCardsLeft) << seed;
        int open = 0;
        for (const memDisplayCard& d : s.memDisplayCards)
            open += d.Turned && !d.Removed;
        ASSERT_LE(open, 2) << seed;
    }

    // After the random clicks, a child who knows the board plays on to the end.
    void playToTheEnd(unsigned seed)
    {
        MemState& s = g->s;
        for (int guard = 0; !s.memGameOver && guard < 5000; ++guard) {
            if (busy() || s.memCardStatus == 1 || (s.TextGame.CardChosen && s.TextGame.TextChosen)) {
                ASSERT_FALSE(device->idle()) << "stuck with no sound left to report, seed " << seed;
                device->deliverOne();
                continue;
            }
            const KnownClick next = knownClick(s);
            ASSERT_GE(next.index, 0) << "nothing left to click, seed " << seed;
            next.text ? g->game->memTextClick(next.index) : g->game->img_Card_Click(next.index);
        }
        while (!device->idle())
            device->deliverOne();
    }
};
}

// Fifty games of five hundred random clicks each (cards, labels, texts, double clicks, seconds of
// the clock), against a sound device whose reports come early, late, twice or overtaking each
// other. No game may break its counts or get stuck, and every game must still reach its end.
TEST(LongSession, FiftyGamesOfRandomClicksWithRandomSoundTiming)
{
    qint64 settled = 0;
    int ended = 0, endedGood = 0, endedBad = 0;
    for (unsigned seed = 1; seed <= 50; ++seed) {
        RandomGame r(seed);
        for (int click = 0; click < 500 && !r.g->s.memGameOver; ++click) {
            r.randomEvent();
            ASSERT_NO_FATAL_FAILURE(r.checkInvariants(seed));
        }
        ended += r.g->s.memGameOver;
        ASSERT_NO_FATAL_FAILURE(r.playToTheEnd(seed));
        ASSERT_NO_FATAL_FAILURE(r.checkInvariants(seed));
        ASSERT_TRUE(r.g->s.memGameOver) << "seed " << seed;
        EXPECT_EQ(r.g->view.endShown, 1) << "seed " << seed;
        (r.g->game->endWasGood() ? endedGood : endedBad) += 1;
        if (r.g->game->endWasGood()) {
            EXPECT_EQ(r.g->s.memCardsTaken, r.cards) << "seed " << seed;
        }
        if (seed == 5)
            settled = residentKilobytes();
    }
    // The random clicks alone finish some games, and games end both ways.
    EXPECT_GT(ended, 5);
    EXPECT_GT(endedGood, 5);
    EXPECT_GT(endedBad, 2);
    if (kMemoryMeasurable) {
        EXPECT_LT(residentKilobytes() - settled, 8 * 1024);
    }
}

namespace {
const QString kGames = QStringLiteral(SAMPLE_DIR "/games/");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Lets the window run for about ms milliseconds: its timers, sounds and paints.
void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    do
        QApplication::processEvents(QEventLoop::AllEvents, 2);
    while (t.elapsed() < ms);
}

// A copy of a sample game whose sounds are short and of random lengths; its cards leave the board
// in a random way, and tries left can end it early.
QString writeGame(const TestFolders& f, const QString& game, std::mt19937& rng)
{
    for (const char* d : {"data", "sfx", "card"})
        f.mkdir(QString::fromLatin1(d));
    for (const QString& name : QDir(kGames + game).entryList(QDir::Files))
        QFile::copy(kGames + game + "/" + name, f.path("data/" + name));
    auto sounds = [&](const QString& from, const QString& to) {
        for (const QFileInfo& fi : QDir(from).entryInfoList(QDir::Files)) {
            const QString target = f.path(to + "/" + fi.fileName());
            if (fi.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) != 0) {
                if (!QFileInfo::exists(target))
                    QFile::link(fi.absoluteFilePath(), target);
                continue;
            }
            f.write(to + "/" + fi.fileName(), wavBytes(int(rng() % 30)));
        }
    };
    sounds(kGames + "sfx", "sfx");
    sounds(kGames + "cards", "card");
    QByteArray global = readFile(f.path("data/global.ini"));
    global.replace(QByteArray("dissapear="), QByteArray("olddissapear="));
    global += "\r\ndissapear=" + QByteArray::number(int(rng() % 4)) + "\r\n";
    f.write("data/global.ini", global);
    if (rng() % 2) {
        QByteArray main = readFile(f.path("data/main.ini"));
        main += "\r\n[tries left]\r\nactive=1\r\norder=6\r\ncondition=" + QByteArray::number(3 + int(rng() % 8)) + "\r\n";
        f.write("data/main.ini", main);
    }
    const QByteArray games = kGames.toUtf8();
    f.write("memory.ini", "app=memory\r\n[paths]\r\ngfx=" + games + "gfx/\r\nsfx=" + f.path("sfx/").toUtf8() + "\r\ndata="
                              + f.path("data/").toUtf8() + "\r\ncard=" + f.path("card/").toUtf8()
                              + "\r\n[gamefiles]\r\nmain=main.ini\r\nglobal=global.ini\r\ncards=cards.txt\r\n"
                              + (QFileInfo::exists(f.path("data/list.txt")) ? "listfile=list.txt\r\n" : ""));
    return f.path("memory.ini");
}

// Sound files that vanish or turn into something else while the game runs.
void spoilSounds(const TestFolders& f, std::mt19937& rng)
{
    for (const char* folder : {"sfx", "card"})
        for (const QFileInfo& fi : QDir(f.path(QString::fromLatin1(folder))).entryInfoList({"*.wav"}, QDir::Files)) {
            if (rng() % 5 == 0)
                QFile::remove(fi.absoluteFilePath());
            else if (rng() % 5 == 0)
                f.write(QString::fromLatin1(folder) + "/" + fi.fileName(), "not a sound");
        }
}
}

// The game window itself, on the sample games with short random sounds: clicks land anywhere on
// the board at random moments, also while cards are turning, flying off or shrinking. Each game
// must then still be played to its end picture by a child who knows where the cards lie.
TEST(LongSession, GameWindowTakesRandomClicksAtRandomMoments)
{
    SoundRecorder recorder; // the sounds are timed from their headers but not played aloud
    const double scale = pauseScale();
    setPauseScale(0.05);
    TestScreen screen;
    std::mt19937 rng(20261207);
    const QStringList games{"pairs", "match", "four", "words", "pairs", "words"};
    qint64 settled = 0;
    for (int n = 0; n < games.size(); ++n) {
        TestFolders f;
        OpenGame game(writeGame(f, games[n], rng));
        ASSERT_TRUE(game.loaded) << qPrintable(game.said());
        ASSERT_TRUE(game.shown());
        EXPECT_TRUE(game.boxes.messages.isEmpty()) << qPrintable(game.said());
        frm_MemoryGame& window = game.window;
        spoilSounds(f, rng);
        MemState& s = window.state;
        const int cards = int(window.img_Card.size());
        for (int i = 0; i < 500 && !s.memGameOver; ++i) {
            QWidget* target = nullptr;
            QPoint at;
            if (rng() % 4 == 0) {
                // Anywhere on the window but the quit button and the end picture, which end the program.
                const QPoint p(int(rng() % unsigned(window.width())), int(rng() % unsigned(window.height())));
                QWidget* w = window.childAt(p);
                if (!w || w == static_cast<QWidget*>(window.img_Quit) || w == static_cast<QWidget*>(window.pic_End))
                    continue;
                target = w;
                at = w->mapFrom(&window, p);
            } else if (s.textGame() && rng() % 2) {
                target = window.lbl_Text[int(rng() % window.lbl_Text.size())];
                at = target->rect().center();
            } else {
                target = window.img_Card[int(rng() % unsigned(cards))];
                at = target->rect().center();
            }
            if (target->isVisible())
                click(target, at, rng() % 6 == 0);
            if (rng() % 3)
                runFor(int(rng() % 8));
        }
        // Now a child who knows the board finishes the game.
        // A card and a text chosen wait for their sounds before the test: the board takes no
        // click meanwhile, and a child waits.
        auto idle = [&] {
            const bool both = s.TextGame.CardChosen && s.TextGame.TextChosen;
            return s.memGameOver || (!s.memProcessing && !s.memWiping && !window.game->settling() && !both);
        };
        for (int guard = 0; !s.memGameOver && guard < 1000; ++guard) {
            ASSERT_TRUE(waitFor(idle, 10000)) << qPrintable(games[n]) << ": the board stays busy";
            if (s.memGameOver)
                break;
            const KnownClick next = knownClick(s);
            ASSERT_GE(next.index, 0) << qPrintable(games[n]);
            click(next.text ? static_cast<QWidget*>(window.lbl_Text[next.index]) : window.img_Card[next.index]);
        }
        ASSERT_TRUE(s.memGameOver) << qPrintable(games[n]);
        ASSERT_TRUE(waitFor([&] { return window.pic_End->isVisible(); })) << qPrintable(games[n]);
        EXPECT_EQ(window.pic_End->picture().isNull(), false) << qPrintable(games[n]);
        EXPECT_TRUE(game.boxes.messages.isEmpty()) << qPrintable(game.said());
        runFor(50);
        window.hide();
        if (n == 1)
            settled = residentKilobytes();
    }
    setPauseScale(scale);
    if (kMemoryMeasurable) {
        EXPECT_LT(residentKilobytes() - settled, 30 * 1024);
    }
}
