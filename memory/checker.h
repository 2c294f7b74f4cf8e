// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/checkcore.h"
#include "memory/memstate.h"

#include <QStringList>
#include <array>

// twinturn --check for one memory game; the checks of each of its files are in a check*.cpp of
// their own, so that each can be read apart.
namespace memcheck {

// A counter of the main file ([timer] ... [tries left]) as its keys set it.
struct Counter {
    bool active = false;
    At activeAt;
    bool orderSet = false;
    int order = 0;
    Ref picture;
};

class MemoryChecker : public CheckCore {
public:
    MemoryChecker(const QString& path, ThemeReport& report) : CheckCore(report) { m_ini = fileIndex(path); }

    void run();

private:
    // memory.ini
    bool readIni();
    void readDeclaration(const QVector<Item>& items);
    void checkFolder(const Ref& folder, const char* key, const char* holds);
    bool openData(const Ref& file, const char* key, int missingNumber, int& index, QVector<Item>& items);

    // The main file
    void readMain();
    void mainKey(const At& at, const QString& section, const QString& key, const QString& value, const QString& what);
    void playersKey(const At& at, const QString& key, const QString& value, const QString& what);
    void counterKey(int c, const At& at, const QString& key, const QString& value, const QString& what);
    void finishMain();

    // The global file
    void readGlobal();
    void cardKey(const At& at, const QString& key, const QString& value, const QString& what);
    void textListKey(const At& at, const QString& key, const QString& value, const QString& what);
    void finishGlobal();

    // The special file
    void readSpecial();

    // The card and list files
    void itemChecks(const At& at, const Item& it, const QString& what);
    bool readBoardItems(const QString& path, int count, int& file, QVector<Item>& items);
    void notRead(int file, const QVector<Item>& items, int read, int count);
    int readCards(int count);
    void readList(int count);

    // The backgrounds, the board and its layout
    void checkBackgrounds();
    int smallestLayoutRow() const;
    void checkBoard();
    void checkLayout(int across, int down, int count);

    int m_ini = 0, m_mainFile = -1, m_globalFile = -1;

    // memory.ini
    int m_appType = 0;
    Ref m_debug, m_gfx, m_sfx, m_data, m_card;
    Ref m_main, m_global, m_cards, m_list, m_special;

    // main file
    At m_splashAt;
    QStringList m_afterSplash;
    Ref m_pictures;
    QHash<QString, Ref> m_interface;
    Ref m_helpPicture, m_helpActive;
    Ref m_players, m_playerPicture;
    bool m_nameFontNamed = false, m_scoreFontNamed = false;
    std::array<Counter, 6> m_counters;

    // global file
    bool m_globalRead = false;
    Ref m_turnSound, m_cardsX, m_cardsY, m_cardWidth, m_cardHeight, m_cardBack;
    bool m_cardFontNamed = false, m_sameNameSound = false, m_border = false;
    bool m_textActive = false, m_textFontNamed = false;
    At m_textActiveAt;
    MemFont m_textFont;
    Ref m_textSound, m_textTop;
    int m_textLeft = 0, m_textWidth = 160, m_textSpace = 4;
};

} // namespace memcheck
