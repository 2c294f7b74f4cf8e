// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/keytable.h"
#include "memory/memstate.h"

#include <QHash>

class IniFiles;
class MemSplashHost;

// The one reader of a memory game's files: memory.ini, the main, global and special files by
// their tables, the card and list files item by item. Start-up, --check and the full-screen
// probe all read through it. Live (start-up) it shows the splash screen as it reads; checking
// (--check) it tells sink everything it sees, and never stops.
class MemReader {
public:
    MemReader(MemState& s, IniFiles& files, FindingSink sink, bool checking, MemSplashHost* splash = nullptr);

    // memory.ini; declaration: also its application type (errors 3, 4, and 1 when it is missing).
    bool readIni(const QString& path, bool declaration);
    // The main, global and special files, each as memory.ini names it (errors 5, 6, 10).
    bool readMain();
    bool readGlobal();
    bool readSpecial();
    // The board from cardsx and cardsy (errors 11, 13, 16), then the card file (7, 203, 14, 17).
    bool readCards();
    // The list file of a text-list game (8, 9).
    bool readList();

    // Where each key was last set: file and line, by what findings call it ("cardsx in the card
    // settings"); the file alone for a key not set.
    struct Where {
        QString file;
        int line = 0;
    };
    Where at(const QString& what, const QString& file = QString()) const;
    QString iniFile, mainFile, globalFile;
    bool iniDebug = false;

    // A message start-up shows through memHandleError, as a finding.
    bool tell(const Where& at, const QString& what, int number, const QString& info = QString(),
              const QString& info2 = QString(), const QString& info3 = QString(), const QString& howOften = QString());
    void say(const Where& at, const QString& words);
    Finding message(const Where& at, const QString& what, int number, const QString& info = QString(),
                    const QString& info2 = QString(), const QString& info3 = QString(), const QString& howOften = QString()) const;
    bool send(const Finding& finding);
    // Why the picture at path cannot be shown (found: it is there at all), read once for each file.
    QString pictureProblem(const QString& path, bool& found);
    bool checking() const { return m_checking; }

    // The tables of memory.ini and of the main, global and special files, filling this reader's state.
    KeyTable iniTable(bool declaration);
    KeyTable mainTable();
    KeyTable globalTable();
    KeyTable specialTable();

private:
    MemState& s;
    IniFiles& m_files;
    FindingSink m_sink;
    bool m_checking;
    MemSplashHost* m_splash;
    bool m_going = true;
    QHash<QString, Where> m_at;
    QHash<QString, QPair<bool, QString>> m_pictures;
    QString m_walking; // the file being read
    int m_appLine = 0, m_debugLine = 0;
    int m_splashLine = 0;
    QStringList m_afterSplash;
    bool m_nameNamed = false, m_scoreNamed = false, m_cardNamed = false, m_textNamed = false;

    bool walk(const QString& path, const KeyTable& table);
    bool openData(const QString& name, const char* key, int missing, QString& path);
    bool readItems(const QString& path, int count, const std::function<void(int i, const QString& item, int line, bool sameLine)>& take,
                   int& read);
    std::function<void(const KeyLine&)> mark(std::function<void(const KeyLine&)> fill);
    QVector<KeyRow> fontRows(const char* prefix, MemFont& font, bool& named, const std::function<QString()>& notYet);
};

// Whole cards across or down, as start-up rounds them.
int memGridSide(double value);
