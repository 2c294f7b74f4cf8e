// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"
#include "soundcheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <gtest/gtest.h>
#include <cmath>
#include <functional>

namespace {
const QString kGames = QStringLiteral(BIN_DIR "/games/");

QMap<QString, QString> readKeys(const QString& path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const int eq = line.indexOf('=');
        if (eq > 0 && !line.startsWith(';'))
            keys[line.left(eq).trimmed().toLower()] = line.mid(eq + 1).trimmed();
    }
    return keys;
}

bool uniform(const QImage& block)
{
    QSet<QRgb> colours;
    for (int y = 0; y < block.height() && colours.size() < 8; y += 7)
        for (int x = 0; x < block.width() && colours.size() < 8; x += 7)
            colours.insert(block.pixel(x, y));
    return colours.size() < 8;
}

// The part of a card that shows its picture alone: round cards let the window's background show
// at their corners, which differs from one place of the board to the next.
QRect inner(const QRect& card) { return card.adjusted(card.width() / 5, card.height() / 5, -card.width() / 5, -card.height() / 5); }

// The board as a child sees it: the card grid of the layout rule, with the two values the test
// does not know (where the counter column ends, how high the player row is) found where every
// card shows the same back picture.
QList<QRect> findCards(const QImage& shot, int across, int down, int w, int h)
{
    for (int left = 0; left < 500; ++left) {
        const int gapX = int(std::floor((double(shot.width() - left - 16) - w * across) / (across + 3) - 1));
        if (gapX < 0)
            break;
        for (int player = 0; player < 300; ++player) {
            const int gapY = int(std::floor((double(shot.height() - 16 - player - 8 - 16) - h * down) / (down + 3) - 1));
            if (gapY < 0)
                break;
            QList<QRect> cards;
            for (int i = 0; i < down; ++i)
                for (int j = 0; j < across; ++j)
                    cards << QRect(left + gapX + j * (w + 2 * gapX), 16 + gapY + i * (h + 2 * gapY), w, h);
            if (!shot.rect().contains(cards.last()))
                continue;
            const QPoint probes[] = {{w / 4, h / 4}, {w / 2, h / 3}, {w * 3 / 4, h * 3 / 4}, {w / 3, h / 2}};
            bool same = true;
            for (const QRect& c : cards)
                for (const QPoint& p : probes)
                    same = same && shot.pixel(c.topLeft() + p) == shot.pixel(cards[0].topLeft() + p);
            if (!same)
                continue;
            const QImage back = shot.copy(inner(cards[0]));
            if (uniform(back))
                continue;
            for (const QRect& c : cards)
                same = same && samePixels(shot.copy(inner(c)), back);
            if (same)
                return cards;
        }
    }
    return {};
}

class Board {
public:
    Board(XServer* x, const QString& dataFolder) : m_x(x)
    {
        const auto global = readKeys(dataFolder + "global.ini");
        const int across = global.value("cardsx").toInt(), down = global.value("cardsy").toInt();
        const int w = global.value("cardwidth").toInt(), h = global.value("cardheight").toInt();
        // Under a window manager the board lies inside the window's frame, below its title bar.
        const qulonglong window = x->waitForWindow("Twinturn", 30000);
        waitFor([&] {
            m_inside = window ? x->geometry(window).intersected(screen().rect()) : screen().rect();
            for (const QRect& c : findCards(m_shot.copy(m_inside), across, down, w, h))
                cards << c.translated(m_inside.topLeft());
            return !cards.isEmpty();
        }, 30000);
        if (!cards.isEmpty())
            back = m_shot.copy(inner(cards[0]));
    }

    QImage screen()
    {
        m_shot = m_x->screenshot().convertToFormat(QImage::Format_RGB32);
        return m_shot;
    }
    QImage block(int k) { return screen().copy(inner(cards[k])); }

    // Waits until nothing moves on the board: a card flying off passes over the others, and
    // would look like a face. Its frames are 50 ms apart.
    void waitQuiet()
    {
        QRect area;
        for (const QRect& c : cards)
            area |= c;
        QImage before;
        QElapsedTimer unchanged;
        unchanged.start();
        waitFor([&] {
            const QImage now = screen().copy(area);
            if (!samePixels(now, before)) {
                before = now;
                unchanged.restart();
            }
            return unchanged.elapsed() >= 150;
        });
    }

    // Clicks until the card shows its face. A click while the last card's sound plays or the
    // last turn settles is not taken: a child clicks again, and so does this.
    QImage turn(int k)
    {
        QImage face;
        auto shown = [&] { // a face, the same over two looks 50 ms apart
            face = block(k);
            if (samePixels(face, back))
                return false;
            QThread::msleep(50);
            const QImage again = block(k);
            QThread::msleep(50);
            return samePixels(again, face) && samePixels(block(k), face);
        };
        for (int attempt = 0; attempt < 20; ++attempt) {
            waitQuiet();
            lastClickMs = m_x->click(cards[k].center());
            if (waitFor(shown, 500))
                return face;
        }
        return QImage();
    }

    enum Settled { Unchanged, TurnedBack, Gone };
    // Waits until the card no longer shows face: turned back, or gone off the board (the last
    // pair ends the game, whatever the card shows).
    Settled settle(int k, const QImage& face)
    {
        Settled result = Unchanged;
        waitFor([&] {
            const QImage now = block(k);
            if (!samePixels(now, face))
                result = samePixels(now, back) ? TurnedBack : Gone;
            else if (!endOn(m_shot).isEmpty())
                result = Gone;
            return result != Unchanged;
        });
        return result;
    }
    bool wentAway(int k, const QImage& face) { return settle(k, face) == Gone; }

    // Which end picture of the theme stands centred on the window, if any.
    QString endOn(const QImage& s) const
    {
        const QRect area = m_inside.isEmpty() ? s.rect() : m_inside;
        const QRect centre(area.left() + (area.width() - m_good.width()) / 2, area.top() + (area.height() - m_good.height()) / 2,
                           m_good.width(), m_good.height());
        // Its round corners show the board behind it.
        const QRect middle = inner(QRect(QPoint(), m_good.size()));
        const QImage shown = s.copy(inner(centre));
        return samePixels(shown, m_good.copy(middle)) ? "good" : samePixels(shown, m_bad.copy(middle)) ? "bad" : "";
    }

    QString waitForEnd()
    {
        QString end;
        waitFor([&] { return !(end = endOn(screen())).isEmpty(); }, 15000);
        return end;
    }

    QList<QRect> cards;
    QImage back;
    double lastClickMs = 0; // the click that turned the card last turned
    QImage lastScreen() const { return m_shot; }

private:
    XServer* m_x;
    QImage m_shot;
    QRect m_inside; // the window's inside on the screen
    const QImage m_good = QImage(kGames + "gfx/endgood.gif").convertToFormat(QImage::Format_RGB32);
    const QImage m_bad = QImage(kGames + "gfx/endbad.gif").convertToFormat(QImage::Format_RGB32);
};

// The rows of the text list, found by the list's text colour in its column.
QList<QRect> findTexts(const QImage& shot, const QRect& column, QRgb colour)
{
    QList<QRect> rows;
    int start = -1;
    for (int y = column.top(); y <= column.bottom() + 1; ++y) {
        bool ink = false;
        for (int x = column.left(); x <= column.right() && !ink && y <= column.bottom(); ++x) {
            const QRgb p = shot.pixel(x, y);
            ink = std::abs(qRed(p) - qRed(colour)) < 24 && std::abs(qGreen(p) - qGreen(colour)) < 24
                  && std::abs(qBlue(p) - qBlue(colour)) < 24;
        }
        if (ink && start < 0)
            start = y;
        if (!ink && start >= 0) {
            // The dot of an i stands apart from its letter; the rows of the list are far apart.
            if (!rows.isEmpty() && start - rows.last().bottom() < 8)
                rows.last().setBottom(y - 1);
            else
                rows << QRect(column.left(), start, column.width(), y - start);
            start = -1;
        }
    }
    return rows;
}

// A child with a perfect memory plays the board to its end: unknown cards are turned, and a pair
// as soon as both are seen. Each turned card is reported with the click that turned it.
void playToTheEnd(ProgramRun& run, Board& board,
                  const std::function<void(int card, double clickMs, bool second, bool pair)>& turned = {})
{
    QMap<int, QImage> seen;
    QSet<int> taken;
    const int n = int(board.cards.size());
    auto unknown = [&](int except) {
        for (int k = 0; k < n; ++k)
            if (!seen.contains(k) && !taken.contains(k) && k != except)
                return k;
        return -1;
    };
    auto partner = [&](int k) {
        for (auto it = seen.begin(); it != seen.end(); ++it)
            if (it.key() != k && !taken.contains(it.key()) && samePixels(it.value(), seen[k]))
                return it.key();
        return -1;
    };
    int turns = 0;
    while (taken.size() < n && turns < 3 * n && run.running()) {
        ++turns;
        int a = -1;
        for (auto it = seen.begin(); it != seen.end() && a < 0; ++it)
            if (!taken.contains(it.key()) && partner(it.key()) >= 0)
                a = it.key();
        if (a < 0)
            a = unknown(-1);
        ASSERT_GE(a, 0) << "no card left to turn";
        const QImage faceA = board.turn(a);
        ASSERT_FALSE(faceA.isNull()) << "card " << a << " did not turn";
        if (turned)
            turned(a, board.lastClickMs, false, false);
        seen[a] = faceA;
        int b = partner(a);
        if (b < 0)
            b = unknown(a);
        ASSERT_GE(b, 0);
        const QImage faceB = board.turn(b);
        ASSERT_FALSE(faceB.isNull()) << "card " << b << " did not turn";
        if (turned)
            turned(b, board.lastClickMs, true, samePixels(faceA, faceB));
        seen[b] = faceB;
        const bool goneA = board.wentAway(a, faceA);
        const bool goneB = board.wentAway(b, faceB);
        EXPECT_EQ(goneA, samePixels(faceA, faceB)) << "cards " << a << " and " << b;
        EXPECT_EQ(goneB, samePixels(faceA, faceB));
        if (goneA && goneB)
            taken << a << b;
    }
    EXPECT_EQ(taken.size(), n) << "turns: " << turns;
}
}

// The pairs game with every sound on, on a real sound server: turn sound, the card's own sound
// and the result sound of every turn, and the end sound, each heard whole and in its place.
TEST(SittingEndToEnd, TwinturnPairsGameWithEverySoundHeard)
{
    REQUIRE_X();
    REQUIRE_SOUND();
    const Tone turnTone{"turn.wav", 600, 150}, cardTone{"card", 1400, 300}, matchTone{"match.wav", 2200, 400},
        missTone{"nomatch.wav", 3000, 350}, goodTone{"endgood.wav", 3800, 800}, badTone{"endbad.wav", 4600, 800};
    ThemeFolder t;
    t.copySampleTwinturn();
    for (const Tone& tone : {turnTone, matchTone, missTone, goodTone, badTone})
        t.write(QString("games/sfx/") + tone.file, toneWav(tone.frequency, tone.ms));
    for (const QString& wav : QDir(t.path("games/cards")).entryList({"*.wav"}))
        t.write("games/cards/" + wav, toneWav(cardTone.frequency, cardTone.ms));

    SoundRecording recording(*sound);
    QProcessEnvironment env;
    env.insert("PULSE_SERVER", sound->address());
    ProgramRun run(TWINTURN_EXE, {t.path("memory.ini")}, t.windows(), env);
    Board board(x, t.path("games/pairs/"));
    if (board.cards.isEmpty())
        board.lastScreen().save(QDir::temp().filePath("e2e-sitting-twinturn-no-board.png"));
    ASSERT_EQ(board.cards.size(), 16) << qPrintable(run.stderrText());
    // The help screen twice: each comes up over the board, and a click takes it away.
    const auto game = x->waitForWindow("Twinturn", 5000);
    for (int round = 0; round < 2; ++round) {
        if (game)
            x->focus(game);
        x->key("F1");
        const auto help = x->waitForWindow(" ", 3000);
        ASSERT_NE(help, 0u) << "help, showing " << round + 1;
        x->click(x->geometry(help).center());
        EXPECT_TRUE(x->waitForNoWindow(" ")) << "help stays";
    }
    QVector<ExpectedSound> heard;
    playToTheEnd(run, board, [&](int, double click, bool second, bool pair) {
        heard.append({turnTone.name(), turnTone.frequency, turnTone.ms, click});
        heard.append({cardTone.name(), cardTone.frequency, cardTone.ms, -1, true, true});
        if (second) {
            const Tone& result = pair ? matchTone : missTone;
            heard.append({result.name(), result.frequency, result.ms, -1, true, true});
        }
    });
    const QString end = board.waitForEnd();
    ASSERT_FALSE(end.isEmpty());
    const Tone& endTone = end == "good" ? goodTone : badTone;
    heard.append({endTone.name(), endTone.frequency, endTone.ms, -1}); // after the last pair has flown off
    recording.waitForToneEnd(endTone.frequency, board.lastClickMs, endTone.ms + 5000);
    x->click(512, 384);
    EXPECT_TRUE(run.waitForExit(5000));
    recording.stop();
    expectSounds(recording, heard, "e2e-sitting-twinturn-sounds.txt");
}

TEST(TwinturnEndToEnd, TheAnimalNamesGameIsPlayedToItsEnd)
{
    REQUIRE_X();
    ThemeFolder t;
    ProgramRun run(TWINTURN_EXE, {kGames + "words/memory.ini"}, t.windows());
    Board board(x, kGames + "words/");
    ASSERT_EQ(board.cards.size(), 8) << "no board of 8 card backs on the screen; " << qPrintable(run.stderrText());
    const auto list = readKeys(kGames + "words/global.ini");
    const int left = list.value("left").toInt(), width = list.value("width").toInt();
    const uint bgr = list.value("forecolor").mid(2).toUInt(nullptr, 16);
    const QRgb ink = qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    const uint chosenBgr = list.value("selectcolor").mid(2).toUInt(nullptr, 16);
    const QRgb chosenInk = qRgb(chosenBgr & 0xFF, (chosenBgr >> 8) & 0xFF, (chosenBgr >> 16) & 0xFF);
    QList<QRect> texts = findTexts(board.lastScreen(), QRect(left, list.value("top").toInt(), width, 740 - list.value("top").toInt()), ink);
    ASSERT_EQ(texts.size(), 8) << "text rows in the list column";

    // The child does not read: each card is tried with the names left until one matches.
    int tries = 0;
    for (int c = 0; c < board.cards.size(); ++c) {
        bool matched = false;
        for (int i = 0; i < texts.size() && !matched; ++i) {
            ++tries;
            const QImage face = board.turn(c);
            ASSERT_FALSE(face.isNull()) << "card " << c << " did not turn";
            // A click while the card's own sound plays is not taken: a child clicks again until
            // the name shows chosen, but not once the turn has settled, which would choose the
            // name for the next card.
            bool chosen = false;
            for (int attempt = 0; attempt < 10 && !chosen && samePixels(board.block(c), face); ++attempt) {
                x->click(texts[i].center().x(), texts[i].center().y());
                chosen = waitFor([&] { return !findTexts(board.screen(), texts[i], chosenInk).isEmpty(); }, 1000);
            }
            const Board::Settled result = board.settle(c, face);
            ASSERT_NE(result, Board::Unchanged) << "card " << c << " and name " << i << ": the turn never settled";
            matched = result == Board::Gone;
            if (matched)
                texts.removeAt(i);
        }
        ASSERT_TRUE(matched) << "card " << c << " matched none of the names";
    }
    EXPECT_TRUE(texts.isEmpty());
    const QString end = board.waitForEnd();
    board.lastScreen().save(QDir::temp().filePath("e2e-twinturn-words-end.png"));
    EXPECT_FALSE(end.isEmpty()) << "no end picture after " << tries << " tries";
    x->click(512, 384);
    EXPECT_TRUE(run.waitForExit(5000));
}
