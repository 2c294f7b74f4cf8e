// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/classroom.h"

#include <QImage>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

// The records of one memory game: what the configuration files set and what a game moves.

// A font as the configuration gives it; size, bold and italic only count once a name was given.
struct MemFont {
    QString name = QStringLiteral("Arial");
    double size = 12;
    bool bold = false;
    bool italic = false;
    bool operator==(const MemFont&) const = default;
};

struct memCardHolder {
    QString First; // first field of the card line; play does not use it
    QString PictureFile;
    QImage Picture;
    QString Text;
    QString Sound;
};

struct memDisplayCard {
    int Reference = 0;
    bool Turned = false;
    bool Removed = false;
    bool operator==(const memDisplayCard&) const = default;
};

struct memPlayer {
    QString Name;
    double Time = 0;
    double Countdown = 0;
    double Score = 0;
    double TriesMade = 0;
    double TriesLeft = 0;
    bool Out = false;
};

// Counter records: 0 timer, 1 countdown, 2 cards made, 3 cards left, 4 tries made, 5 tries left,
// and a seventh no section reaches.
enum MemCounter { memTIMER = 0, memCOUNTDOWN, memCARDSMADE, memCARDSLEFT, memTRIESMADE, memTRIESLEFT, memCOUNTERSLOTS };

struct memControl {
    bool Active = false;
    int Order = 0;
    bool OrderSet = false; // the order key has chosen the label
    int Condition = 0;
    QString Picture;
    uint32_t ForeColor = 0;
    int PlaceX = 0;
    int PlaceY = 1;
    bool operator==(const memControl&) const = default;
};

struct memTextEntry {
    QString Text;
    QString Sound;
    bool operator==(const memTextEntry&) const = default;
};

struct memTextList {
    bool Active = false;
    bool PictureSlide = false;
    MemFont Font;
    uint32_t ForeColor = 0;
    uint32_t SelectColor = 0x0000FF;
    uint32_t DimColor = 0x808080;
    bool Destroy = false;
    QString Sound;
    int Top = 16;
    int Left = 0;
    int Width = 160;
    int Space = 4;
    QVector<memTextEntry> Texts;
    QVector<memDisplayCard> Display;
    bool operator==(const memTextList&) const = default;
};

struct memTextGame {
    bool CardChosen = false;
    bool TextChosen = false;
    int CardReference = 0;
    int TextReference = 0;
    int CardIndex = 0;
    int TextIndex = 0;
};

struct memResolution {
    int Index = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const memResolution&) const = default;
};

struct memSplashSettings {
    bool active = false;
};

// Everything the configuration files set, and what memFixVariabels derives from it.
struct memInterface {
    // memory.ini
    QString gfx, sfx, data, card;
    QString mainFile, globalFile, cardsFile, listFile, specialFile;

    // main file
    std::array<QString, 5> BkPictures;
    uint32_t BackColor = 0;
    QString QuitPicture;
    QString EndGoodPicture, EndBadPicture, EndGoodSound, EndBadSound;
    QString MatchSound, NoMatchSound;
    QString HelpPicture;
    bool HelpActive = false;
    bool LineActive = false;
    uint32_t LineColor = 0;
    int LineWidth = 1;
    int Players = 0;
    QString DefaultName;
    QString PlayerPicture;
    MemFont NameFont, ScoreFont;
    uint32_t NameForeColor = 0, ScoreForeColor = 0, DimColor = 0x808080;
    std::array<memControl, memCOUNTERSLOTS + 1> Controls;
    std::array<MemFont, 6> ControlFonts; // the fonts of the labels lbl_Control 0 to 5

    // global file
    int Dissapear = 2;
    QString TurnSound;
    MemFont CardFont;
    uint32_t CardForeColor = 0;
    bool WordWrap = false, AutoSize = false;
    double CardsX = 0, CardsY = 0;
    int CardWidth = 0, CardHeight = 0;
    bool Border = false;
    QString CardBackFile;
    QImage CardBack;
    bool SameNameSound = false;
    memTextList TextList;

    // derived by memFixVariabels
    memResolution Current;
    memResolution Layout;
    int OffsetX = 0, OffsetY = 0;
    int BoardLeft = 0, BoardTop = 0, BoardWidth = 0, BoardHeight = 0;
    int GapX = 0, GapY = 0;
    bool ResultSounds = false;
    bool operator==(const memInterface&) const = default;
};

// The resolution table: rows 0 to 4.
constexpr std::array<std::array<int, 2>, 5> memResolutions{{{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}}};

// The design places of the controls the board area is measured from (pixels, inside the layout).
namespace memDesign {
constexpr int ControlLeft = 12, ControlTop = 16, ControlWidth = 120, ControlHeight = 56, ControlStep = 62;
constexpr int PlayerWidth = 112, PlayerHeight = 56, PlayerStep = 120;
constexpr int QuitLeft = 12, QuitWidth = 120, QuitHeight = 48;
constexpr int MaxCards = 400;
}

// Uniform numbers in [0, 1); seeded from the clock at start-up, fixed by tests.
class MemRandom {
public:
    MemRandom();
    void randomize();
    void seed(uint64_t value);
    double next();
    // The whole part of n times the next number: 0 to n - 1.
    int below(int n);

private:
    uint64_t m_state;
};

// Sound kinds and results of a turn.
enum MemSoundKind { memNOSOUND = -1, memTURNSOUND = 0, memCARDSOUND, memTEXTSOUND, memTEXTCLICKSOUND, memENDSOUND,
                    memMATCHSOUND, memNOMATCHSOUND };
enum MemResult { memRESULTNONE = 0, memRESULTMATCH = 1, memRESULTNOMATCH = 2 };

// All values of one game window: the configuration and the state of play.
struct MemState {
    int intAppType = 0; // 0 memory, 1 match
    memInterface ui;
    QVector<memCardHolder> memCardHolders;
    QVector<memDisplayCard> memDisplayCards;
    QVector<memPlayer> memPlayers;
    int memCardCount = 0;
    // How many cards the grid lays out (cardsx x cardsy); a board made smaller leaves the rest empty.
    int memGridCount = 0;

    std::array<int, 3> memCardsTurned{{-1, -1, -1}};
    int memCardStatus = -1;
    int memLastResult = memRESULTNONE;
    bool memProcessing = false;
    bool memClickBusy = false;
    bool memGameReady = false;
    bool memGameOver = false;
    bool memWiping = false;
    bool memEndShown = false;
    int memCurrentPlayer = 0;
    int memCardsLeft = 0;
    int memCardsTaken = 0;
    memTextGame TextGame;

    int memSoundKind = memNOSOUND;
    int memOpenedSound = -1;
    bool memMCIUpdates = false;

    MemRandom random;
    ClassroomSettings classroom;

    bool textGame() const { return ui.TextList.Active; }
    int playerCount() const { return memPlayers.isEmpty() ? 1 : int(memPlayers.size()); }
};
