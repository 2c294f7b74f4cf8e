// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memerrors.h"
#include "memory/memgame.h"
#include "platform/events.h"

#include <QMap>
#include <QStringList>
#include <functional>

// A board that remembers what the rules showed on it.
class FakeView : public MemView {
public:
    explicit FakeView(int cards = 0) { resize(cards); }
    void resize(int cards)
    {
        pictures = QVector<QImage>(cards);
        labelVisible = QVector<bool>(cards, false);
        enabled = QVector<bool>(cards, true);
        visible = QVector<bool>(cards, true);
        rects = QVector<QRect>(cards);
        labelRects = QVector<QRect>(cards);
        for (int i = 0; i < cards; ++i) {
            rects[i] = QRect(200 + (i % 4) * 100, 50 + (i / 4) * 100, 80, 80);
            labelRects[i] = QRect(rects[i].left(), rects[i].top() + 30, 80, 20);
        }
    }
    void showCardPicture(int i, const QImage& p) override { pictures[i] = p; }
    void setCardLabelVisible(int i, bool v) override { labelVisible[i] = v; }
    void setCardEnabled(int i, bool e) override { enabled[i] = e; }
    void setCardVisible(int i, bool v) override { visible[i] = v; }
    QRect cardGeometry(int i) const override { return rects[i]; }
    void setCardGeometry(int i, const QRect& r) override
    {
        rects[i] = r;
        moves[i] << r;
    }
    QRect cardLabelGeometry(int i) const override { return labelRects[i]; }
    void setCardLabelGeometry(int i, const QRect& r) override { labelRects[i] = r; }
    void drawLine(const QLine& l, uint32_t, int) override { lines << l; }
    void setPlayerColors(int p, uint32_t n, uint32_t s) override { playerColors[p] = {n, s}; }
    void setPlayerScore(int p, const QString& c) override { scores[p] = c; }
    void strikePlayer(int p) override { struck << p; }
    void setControlCaption(int l, const QString& c) override { captions[l] = c; }
    void setTextColor(int i, uint32_t c) override { textColors[i] = c; }
    void setTextVisible(int i, bool v) override { textVisible[i] = v; }
    void setTextEnabled(int i, bool e) override { textEnabled[i] = e; }
    void setClockEnabled(bool e) override
    {
        clock = e;
        clockStarts += e ? 1 : 0;
    }
    void showEnd(const QImage&) override { ++endShown; }
    QSize boardSize() const override { return {640, 480}; }
    void doEvents() override
    {
        if (onEvents)
            onEvents();
    }
    void pause(int ms) override
    {
        pauses << ms;
        if (onEvents)
            onEvents();
    }

    QVector<QImage> pictures;
    QVector<bool> labelVisible, enabled, visible;
    QVector<QRect> rects, labelRects;
    QMap<int, QVector<QRect>> moves;
    QVector<QLine> lines;
    QMap<int, QPair<uint32_t, uint32_t>> playerColors;
    QMap<int, QString> scores;
    QVector<int> struck;
    QMap<int, QString> captions;
    QMap<int, uint32_t> textColors;
    QMap<int, bool> textVisible, textEnabled;
    bool clock = false;
    int clockStarts = 0; // each start puts the next tick a whole second off
    int endShown = 0;
    QVector<int> pauses;
    // Runs whenever the rules let events run: tests deliver sound events from here.
    std::function<void()> onEvents;
};

// A sound device under the test's control: it records the commands and reports what it is told.
class FakeSound : public MemSoundPort {
public:
    void setFileName(const QString& p) override { file = p; }
    void command(const QString& c) override
    {
        if (c == QLatin1String("play")) {
            played << file;
            status = 0;
            if (onPlay)
                onPlay();
        }
    }
    int completionStatus() const override { return status; }
    QString file;
    QStringList played;
    int status = 1;
    std::function<void()> onPlay;
};

// Tests see a fatal error or a Cancel as a thrown MemProgramEnd.
struct ThrowingEnder {
    ThrowingEnder() { setMemEnder(memThrowingEnder); }
    ~ThrowingEnder() { setMemEnder(nullptr); }
};
