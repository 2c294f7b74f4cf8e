// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// The keys of each file of a memory game, by file and section, as the checker knows them: what
// kind of value each takes.
namespace memkeys {

enum class Kind { Text, Flag, Number, Colour, Picture, Sound, Pictures, Folder, File, Ignored };

struct KeyRule {
    const char* key;
    Kind kind;
};

// memory.ini: before any section, in [paths], in [gamefiles], in [classroom].
extern const QVector<KeyRule> kIniAnywhere, kIniPaths, kIniFiles, kIniClassroom;
// The main file's sections.
extern const QVector<KeyRule> kSplashKeys, kInterfaceKeys, kHelpKeys, kLineKeys, kPlayersKeys, kCounterKeys;
extern const char* const kCounterSections[6];
// The global file, its [text list], the special file, and a section without keys.
extern const QVector<KeyRule> kCardKeys, kTextListKeys, kSpecialKeys, kNoKeys;

QStringList keysOf(const QVector<KeyRule>& rules);
const KeyRule* findKey(const QVector<KeyRule>& rules, const QString& key);
QStringList mainSections();
// Which counter a section is (0 timer ... 5 tries left), or -1.
int counterOf(const QString& section);
// Whole cards across or down, as start-up rounds them.
int gridSide(double value);

} // namespace memkeys
