// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class IniReader;

// A configuration file is read by its table: for each section and key, the kind of value it takes,
// the field it fills and what is wrong with a value. One walk of the file gives the settings and
// the findings; start-up shows the numbered findings as its boxes, --check lists every one.

enum class KeyKind { Text, Flag, Short, Number, Colour, Folder, File, Picture, Sound, Pictures, Ignored };

struct Finding {
    QString file = {};
    int line = 0;     // 0: the file as a whole
    QString words = {};    // a message in the words start-up shows it, or the checker's own
    int number = 0;   // the message's number; 0 for what only --check tells
    bool fatal = false;
    QString what = {};     // the key a message is about ("gfx in [path]")
    QString note = {};     // what --check adds to a message ("the file is a FIFO")
    QString howOften = {}; // how often start-up shows it, when more than once
    QString folder = {};   // a missing folder: --check counts the files the theme names in it
    QString missing = {};  // a missing file, told only by its folder when that is missing too
    // As --check prints it after "file:line: ".
    QString text() const;
};

// Where the findings of a reader go: false once reading must stop (start-up, at a fatal message).
using FindingSink = std::function<bool(const Finding&)>;

// What one reader finds in one file. checking: --check, which looks at more than start-up needs
// and never stops.
class Findings {
public:
    Findings(const QString& file, FindingSink sink, bool checking) : m_file(file), m_sink(std::move(sink)), m_checking(checking) {}
    const QString& file() const { return m_file; }
    bool checking() const { return m_checking; }
    bool going() const { return m_going; }
    // The checker's own words about a line.
    void say(int line, const QString& words);
    // A message start-up shows; false when the program stops at it.
    bool tell(Finding finding);
    // Reading ends here (the child ended the program at the splash screen).
    void stop() { m_going = false; }

private:
    QString m_file;
    FindingSink m_sink;
    bool m_checking;
    bool m_going = true;
};

// One key line as the walk hands it to its row.
struct KeyLine {
    int line = 0;
    QString section; // as written
    int index = 0;   // which of its table's sections: the button, the counter
    QString key, value, item;
    QString what;    // "key in [section]"
};

struct KeyRow {
    const char* key;
    KeyKind kind;
    std::function<void(const KeyLine&)> fill = {};    // the field it fills
    std::function<QString(const KeyLine&)> wrong = {}; // what is wrong with a value beyond its kind
    bool repeats = false;                                // a key whose every occurrence counts
};

struct KeySection {
    QStringList names = {}; // lower case: "" before the first section line, "*" any section not named
    QVector<KeyRow> rows = {};
    QString where = {};  // how findings name the section; "[name]" when empty
    // An unknown key: %1 the key, %2 the section's name, %3 a suggestion; empty says nothing.
    QString unknownKey = QStringLiteral("unknown key '%1' in %2%3");
    // A list: takes every item of the section instead of its keys.
    std::function<void(const QString& item, int line)> items = {};
};

struct KeyTable {
    QVector<KeySection> sections = {};
    QVector<KeyRow> anywhere = {};                               // keys of every section
    std::function<QString(const QString& name)> unknownSection = {}; // words for a section no row names
    std::function<bool(const QString& item, int line)> eachItem = {}; // sees each item first; true: taken
    std::function<void(const QString& name, int line)> onSection = {}; // each section line, and "" at the end
    std::shared_ptr<const void> owner = {}; // what the rows fill, for a table handed out on its own

    // The rows of a section and which of its section's names it is; -1 for one no name
    // matches, whose rows are the "*" section's, if any.
    const KeySection* find(const QString& section, int* index) const;
    QStringList sectionNames() const;
};

// The one walk of a configuration file by its table.
void walkKeys(IniReader& file, const KeyTable& table, Findings& found);

// Whether a value starts with a number by the leading-number rule (an empty value reads as 0
// and counts as one).
bool looksNumeric(const QString& value);

// The known word closest to word (by edit distance, without regard to case), when it is close
// enough to be a likely typo; empty otherwise. suggestion gives " (did you mean 'x'?)" or nothing.
QString nearestWord(const QString& word, const QStringList& known);
QString suggestion(const QString& word, const QStringList& known);
