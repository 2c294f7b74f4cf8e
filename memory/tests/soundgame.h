// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "gamefiles.h"
#include "gamefixture.h"

#include <QFileInfo>
#include <deque>
#include <functional>
#include <random>

// A game whose cards all have sounds, with turn, result and text-click sounds on disk.
struct SoundGame : GameFixture {
    TestFolders folders;
    explicit SoundGame(int cards = 4, int players = 1, QVector<int> deal = {}) : GameFixture(cards, players, deal)
    {
        s.ui.sfx = folders.path(QStringLiteral("sfx/"));
        s.ui.card = folders.path(QStringLiteral("card/"));
        for (const char* name : {"sfx/turn.wav", "sfx/match.wav", "sfx/nomatch.wav", "sfx/click.wav", "sfx/end.wav"})
            folders.write(QString::fromLatin1(name), GameFiles::wavBytes());
        for (int i = 0; i < cards; ++i) {
            folders.write(QStringLiteral("card/c%1.wav").arg(i), GameFiles::wavBytes());
            s.memCardHolders[i].Sound = QStringLiteral("c%1.wav").arg(i);
        }
        s.ui.TurnSound = QStringLiteral("turn.wav");
        s.ui.MatchSound = QStringLiteral("match.wav");
        s.ui.NoMatchSound = QStringLiteral("nomatch.wav");
        s.ui.ResultSounds = true;
        s.ui.EndGoodSound = QStringLiteral("end.wav");
    }
    QStringList playedNames() const
    {
        QStringList names;
        for (const QString& p : sound.played)
            names << QFileInfo(p).fileName();
        return names;
    }
    // The device tells of its first status update, from then on the game waits for sounds.
    void statusUpdates()
    {
        sound.status = 1;
        game->mmc_Sound_StatusUpdate();
    }
    void done(int reports = 1)
    {
        for (int i = 0; i < reports; ++i) {
            sound.status = 1;
            game->mmc_Sound_Done(1);
        }
    }
    // A card turned, and the ends of its first sounds reported.
    void play(int card, int reports)
    {
        game->img_Card_Click(card);
        done(reports);
    }
};

// Whole games against a device that reports the end of its sounds early (inside "play"), late,
// twice, through status updates, and in the middle of the settling's pauses.
class ChaosDevice {
public:
    ChaosDevice(SoundGame& g, unsigned seed) : m_g(g), m_rng(seed)
    {
        g.sound.onPlay = [this] { onPlay(); };
        g.view.onEvents = [this] {
            if (!m_queue.empty() && pick(3) == 0)
                deliverOne();
        };
    }
    bool idle() const { return m_queue.empty(); }
    void deliverOne()
    {
        if (m_queue.empty())
            return;
        auto event = m_queue.front();
        m_queue.pop_front();
        event();
    }
    unsigned pick(unsigned n) { return m_rng() % n; }

private:
    void onPlay()
    {
        auto done = [this] {
            m_g.sound.status = 1;
            m_g.game->mmc_Sound_Done(1);
        };
        auto status = [this] { m_g.game->mmc_Sound_StatusUpdate(); };
        auto ended = [this] { m_g.sound.status = 1; };
        switch (pick(6)) {
        case 0: done(); break;                                            // early: before "play" returns
        case 1: m_queue.push_back(done); break;                           // late
        case 2: m_queue.push_back(done); m_queue.push_back(done); break;  // twice
        case 3: m_queue.push_back(ended); m_queue.push_back(status); break; // seen by a status update
        case 4: m_queue.push_back(status); m_queue.push_back(done); m_queue.push_back(status); break;
        default: m_queue.push_front(done); break;                         // overtakes older reports
        }
    }

    SoundGame& m_g;
    std::mt19937 m_rng;
    std::deque<std::function<void()>> m_queue;
};
