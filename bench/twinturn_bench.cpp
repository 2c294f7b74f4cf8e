// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Twinturn on a real display: the time from a card click to the card's picture being painted,
// and how the fly-off and shrink effects reach the screen (steps, frames flushed, frame times).
//   xvfb-run -s "-screen 0 1024x768x24" build/benchbin/twinturn_bench [clicks]
#include "memory/frm_memorygame.h"
#include "memory/memwidgets.h"
#include "memory/twinturn.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
const QString kGames = QStringLiteral(THEME_DIR "/games/");

QElapsedTimer g_clock;
double now() { return double(g_clock.nsecsElapsed()) / 1e6; }

// Time stamps of what reaches the screen: paints of the watched card, flushes of the window,
// and moves of the watched card.
struct Probe : QObject {
    QWidget* card = nullptr;
    QWidget* window = nullptr;
    std::vector<double> cardPaints, flushes, moves;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == card && e->type() == QEvent::Paint)
            cardPaints.push_back(now());
        if (o == card && e->type() == QEvent::Move)
            moves.push_back(now());
        if (o == window && e->type() == QEvent::UpdateRequest)
            flushes.push_back(now());
        return false;
    }
    void clear() { cardPaints.clear(), flushes.clear(), moves.clear(); }
};

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

void click(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// A copy of the pairs game whose cards leave the board in the given way.
QString writeGame(const QTemporaryDir& dir, int dissapear)
{
    QFile::copy(kGames + "pairs/main.ini", dir.filePath("main.ini"));
    QFile::copy(kGames + "pairs/cards.txt", dir.filePath("cards.txt"));
    QFile in(kGames + "pairs/global.ini");
    in.open(QIODevice::ReadOnly);
    QByteArray global = in.readAll();
    global.replace("dissapear=2", "dissapear=" + QByteArray::number(dissapear));
    QFile out(dir.filePath("global.ini"));
    out.open(QIODevice::WriteOnly);
    out.write(global);
    out.close();
    const QByteArray games = QDir::toNativeSeparators(kGames).toUtf8();
    QFile ini(dir.filePath("memory.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("app=memory\r\n[paths]\r\ngfx=" + games + "gfx/\r\nsfx=" + games + "sfx/\r\ndata=" + dir.path().toUtf8()
              + "/\r\ncard=" + games + "cards/\r\n[gamefiles]\r\nmain=main.ini\r\nglobal=global.ini\r\ncards=cards.txt\r\n");
    return dir.filePath("memory.ini");
}

struct Game {
    frm_MemoryGame window;
    Probe probe;
    bool ready = false;
    explicit Game(const QString& ini)
    {
        memFile = ini;
        if (!window.Form_Load())
            return;
        window.show();
        probe.window = &window;
        window.installEventFilter(&probe);
        ready = waitUntil([&] { return window.state.memGameReady; }, 5000);
        // Let the start-up sounds and first paints pass.
        waitUntil([] { return false; }, 500);
    }
    bool idle()
    {
        const MemState& s = window.state;
        return !s.memProcessing && !s.memWiping && !window.game->settling() && s.memCardStatus == -1;
    }
    int holder(int k) const { return window.state.memDisplayCards[k].Reference; }
    bool removed(int k) const { return window.state.memDisplayCards[k].Removed || !window.img_Card[k]->isVisible(); }
    void watch(int k)
    {
        if (probe.card)
            probe.card->removeEventFilter(&probe);
        probe.card = window.img_Card[k];
        probe.card->installEventFilter(&probe);
        probe.clear();
    }
};

void stats(const char* what, std::vector<double> v, const char* unit = "ms")
{
    if (v.empty()) {
        std::printf("%-48s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    std::printf("%-48s median %7.2f %s  best %7.2f  90%% %7.2f  worst %7.2f  (%zu)\n", what, v[v.size() / 2], unit, v.front(),
                v[v.size() * 9 / 10], v.back(), v.size());
}

void clickToPaint(int clicks)
{
    QTemporaryDir dir;
    Game g(writeGame(dir, 0));
    if (!g.ready) {
        std::printf("the game did not start\n");
        return;
    }
    std::vector<double> ms;
    const int n = int(g.window.img_Card.size());
    for (int round = 0; round < clicks; ++round) {
        // The first card of a turn, then one that does not pair with it, so the board stays full.
        const int a = round % n;
        int b = (a + 1) % n;
        while (g.holder(b) / 2 == g.holder(a) / 2)
            b = (b + 1) % n;
        if (!waitUntil([&] { return g.idle(); }, 10000))
            break;
        g.watch(a);
        const double t0 = now();
        click(g.window.img_Card[a]);
        if (!waitUntil([&] { return !g.probe.cardPaints.empty(); }, 2000))
            break;
        ms.push_back(g.probe.cardPaints.front() - t0);
        waitUntil([&] { return !g.window.state.memProcessing; }, 10000);
        click(g.window.img_Card[b]);
    }
    stats("click to the card's picture painted", ms);
}

void effect(const char* name, int dissapear, int pairs)
{
    QTemporaryDir dir;
    Game g(writeGame(dir, dissapear));
    if (!g.ready) {
        std::printf("the game did not start\n");
        return;
    }
    std::vector<double> frames, steps, flushed, intervals, durations;
    const int n = int(g.window.img_Card.size());
    for (int p = 0; p < pairs; ++p) {
        int a = -1, b = -1;
        for (int i = 0; i < n && b < 0; ++i)
            for (int j = i + 1; j < n && b < 0; ++j)
                if (!g.removed(i) && !g.removed(j) && g.holder(i) / 2 == g.holder(j) / 2)
                    a = i, b = j;
        if (b < 0 || !waitUntil([&] { return g.idle(); }, 10000))
            break;
        click(g.window.img_Card[a]);
        waitUntil([&] { return !g.window.state.memProcessing; }, 10000);
        g.watch(b);
        click(g.window.img_Card[b]);
        // The effect runs inside the sound's completion handler, so its span is read off the
        // card's own moves.
        if (!waitUntil([&] { return g.removed(b) && g.idle(); }, 20000) || g.probe.moves.size() < 2)
            break;
        const double start = g.probe.moves.front();
        const double end = g.probe.moves.back() + 1;
        durations.push_back(end - start);
        // Each card's move is flushed at once; flushes less than 5 ms apart make one frame.
        int shown = 0;
        double last = -1;
        for (double f : g.probe.flushes)
            if (f >= start && f <= end + 5 && (last < 0 || f - last > 5)) {
                ++shown;
                if (last >= 0)
                    intervals.push_back(f - last);
                last = f;
            }
        flushed.push_back(shown);
        steps.push_back(double(g.probe.moves.size()));
    }
    std::printf("%s\n", name);
    stats("  steps of the card", steps, "  ");
    stats("  frames shown", flushed, "  ");
    stats("  time between frames", intervals);
    stats("  whole effect", durations);
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    g_clock.start();
    QTemporaryDir windows;
    qputenv("WINDIR", windows.path().toUtf8());
    const int clicks = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    clickToPaint(clicks);
    effect("fly-off (dissapear=2), two cards a frame", 2, 4);
    effect("shrink (dissapear=3), two cards a frame", 3, 4);
    return 0;
}
