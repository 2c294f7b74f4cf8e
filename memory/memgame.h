// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memstate.h"

#include <QImage>
#include <QLine>
#include <QRect>

// What the rules ask of the game window. The window maps each call onto its controls; tests
// give a recording board.
class MemView {
public:
    virtual ~MemView() = default;
    virtual void showCardPicture(int index, const QImage& picture) = 0; // img_Card(index)
    virtual void setCardLabelVisible(int index, bool visible) = 0;      // lbl_Card(index)
    virtual void setCardEnabled(int index, bool enabled) = 0;           // img_Card and lbl_Card
    virtual void setCardVisible(int index, bool visible) = 0;
    virtual QRect cardGeometry(int index) const = 0;
    virtual void setCardGeometry(int index, const QRect& rect) = 0;
    virtual QRect cardLabelGeometry(int index) const = 0;
    virtual void setCardLabelGeometry(int index, const QRect& rect) = 0;
    virtual void drawLine(const QLine& line, uint32_t color, int width) = 0; // on pic_Background
    virtual void setPlayerColors(int player, uint32_t name, uint32_t score) = 0;
    virtual void setPlayerScore(int player, const QString& caption) = 0;
    virtual void strikePlayer(int player) = 0;
    virtual void setControlCaption(int label, const QString& caption) = 0; // padded by the window
    virtual void setTextColor(int index, uint32_t color) = 0;              // lbl_Text(index)
    virtual void setTextVisible(int index, bool visible) = 0;
    virtual void setTextEnabled(int index, bool enabled) = 0;
    virtual void setClockEnabled(bool enabled) = 0; // tim_Timer
    virtual void showEnd(const QImage& picture) = 0;  // pic_End, centred
    virtual QSize boardSize() const = 0;              // inner size of pic_Background
    virtual void doEvents() = 0;
    virtual void pause(int ms) = 0; // windows paint, no clicks are taken
};

// The sound device as the game drives it.
class MemSoundPort {
public:
    virtual ~MemSoundPort() = default;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(const QString& command) = 0;
    // Non-zero once the sound last started has ended or could not be played.
    virtual int completionStatus() const = 0;
};

// Where a turn stands. Each sounding phase waits for the end of its one sound; the end moves
// the turn on to the next phase, and a report that finds no sound awaited moves nothing.
enum class TurnPhase {
    Idle,           // no sound awaited, clicks are taken (a card or a text may be chosen)
    TurnSound,      // a turned card's turn sound
    CardSound,      // the card's own sound
    TextClickSound, // text game: a chosen text's click sound
    TextSound,      // text game: the text's own sound
    ResultSound,    // the match or no-match sound
    Settling,       // the pair or card-text test, with its pauses and wipe-out
    SettlingWithResultSound, // text game: the test runs while the result sound still plays
    EndSound,       // the game is over and its end sound plays
    Over,
};

// How the end of a sound came to be known.
enum class SoundEnd {
    Reported,    // the device's completion event
    NoUpdates,   // the device gives no status updates, so the game goes on while it plays
    EndedAtOnce, // the device's status said it was over as soon as it started
};

// The rules of one game of Twinturn over its state: turns, pairs, counters, players, the sound
// chain, the wipe-out and the end. Entry points keep the names the window's events call.
class MemoryGame {
public:
    MemoryGame(MemState& state, MemView& view, MemSoundPort& sound);

    MemState& s;

    void memInitValues();
    void memCardClick(int index);
    void img_Card_Click(int index);
    void memTurnCard(int index);
    void memCheckCardStatus();
    void memChangePlayer();
    bool memCheckPlayerStatus(int memChkPlayer);
    void tim_Timer_Timer();
    void memShowControls();
    void memDrawLine();
    void memWipeOutCards();
    void memRestoreCards();
    void memMakeEnd();

    // Sounds.
    void memOpenTurnSound();
    void memOpenTextClickSound();
    void memPlayCardSound();
    void memPlayResultSound();
    void memPlayTextSound();
    void mmc_Sound_Done(int notifyCode = 0);
    void mmc_Sound_StatusUpdate();

    // Text cards.
    void memTextClick(int index);
    void memCheckTextStatus();
    void memCheckCardTextStatus();
    void memRemoveTextObject();
    void memRestoreText();

    // The number with a blank for its sign and one after it (" 4 "), as score labels show it.
    static QString scoreCaption(double score);
    // The number with a blank for its sign (" 4", "-1").
    static QString signedText(double value);

    TurnPhase phase() const { return m_phase; }
    // A turn is being settled; nothing may start another meanwhile.
    bool settling() const { return m_phase == TurnPhase::Settling || m_phase == TurnPhase::SettlingWithResultSound; }
    // Settled turns so far (tests count them).
    int settledTurns() const { return m_settledTurns; }
    bool endWasGood() const { return m_endGood; }

private:
    // The one way the phase changes; the fields that show it follow.
    void enter(TurnPhase phase, int soundKind = memNOSOUND);
    // Starts the sound in the device's open file and waits for its end.
    void play(int kind);
    // The sound awaited has ended: the turn moves on from its phase.
    void soundDone(SoundEnd how);
    // Without status updates the game does not wait for the sound it has just started.
    void goOnAtOnce(TurnPhase waiting);
    void leaveSettling();
    void reopenBaseSound();
    void afterCardSound();
    void afterTextSound();
    void showCardsTurnedBack(int index);
    bool pairs(int a, int b) const;
    void countTry(int player);
    void passTurnFromOutPlayer();
    // Cards of a turn are open or the turn is being settled.
    bool turnOpen() const;
    void wipeFly(const QVector<int>& cards);
    void wipeShrink(const QVector<int>& cards);
    QString sfx(const QString& name) const { return s.ui.sfx + name; }

    MemView& m_view;
    MemSoundPort& m_sound;
    TurnPhase m_phase = TurnPhase::Idle;
    int m_settledTurns = 0;
    bool m_endGood = false;
};
