// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "memory/memkeys.h"

#include "common/fileio.h"
#include "common/inireader.h"
#include "common/themecheck.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <climits>

// What all of twinturn --check shares: the items of a file with their lines, where a
// finding stands, and the report in file order.
namespace memcheck {

using namespace memkeys;

bool is(const QString& a, const char* b);
QString shown(const QString& path);

// One item of a file and the line it began on.
struct Item {
    int line = 0;
    QString raw;
    bool sameLine = false;     // began on the line of the item before it (after a comma)
    bool afterComment = false; // the rest of a comment line that a comma cut off
};

// At most limit items: a card or list file is read no further than the board needs.
bool readFile(const QString& path, QVector<Item>& items, int limit = INT_MAX, QString* why = nullptr);

// Where something stands: a file of the game (by its index) and a line (0: the file as a whole).
struct At {
    int file = -1;
    int line = 0;
};

// A value a key gave, and where.
struct Ref {
    QString value;
    At at;
    bool set = false;
};

// How the keys after a section line are read.
struct Scope {
    enum Unknown { Report, Silent, BeforeSection, NoEffect };
    const QVector<KeyRule>* keys = &kNoKeys;
    QString where; // "[players]", "the card settings"
    Unknown unknown = Report;
};

// Findings gathered from every file of a game, told in file order at the end.
class CheckCore {
public:
    explicit CheckCore(ThemeReport& report) : m_report(report) {}

protected:
    struct Found {
        int file;
        int line;
        int seq;
        QString text;
        QString folder = {}; // a missing folder, whose hidden files the report counts
    };

    int fileIndex(const QString& path)
    {
        const QString p = shown(path);
        int i = int(m_files.indexOf(p));
        if (i < 0) {
            m_files << p;
            i = int(m_files.size()) - 1;
        }
        return i;
    }

    void problem(const At& at, const QString& text) { m_found.push_back({at.file, at.line, int(m_found.size()), text}); }

    // What start-up would say through memHandleError, in the same words.
    // howOften says how often start-up shows the message when that is more than once.
    void startup(const At& at, const QString& what, int number, const QString& info = QString(), const QString& info2 = QString(),
                 const QString& howOften = QString());

    // The problems in file order: each file's lines in line order, the files as first named.
    void flush();

    QString pictureError(const QString& path);

    // folder + name as start-up loads it: missing gives the start-up warning number missing (0
    // when start-up loads it without a word), unreadable gives warning 110.
    void picture(const At& at, const QString& what, const QString& folder, const QString& name, int missing,
                 const QString& howOftenMissing = QString());

    void sound(const At& at, const QString& what, const QString& path, int missing, const QString& info2 = QString());

    void checkNumber(const At& at, const KeyRule& rule, const QString& what, const QString& value);

    // Walks the items of a key file: section lines go to onSection, keys to onKey with their
    // section in lower case, after the checks every key file shares.
    template <typename OnSection, typename ScopeFor, typename OnKey>
    void walk(int file, const QVector<Item>& items, OnSection onSection, ScopeFor scopeFor, OnKey onKey)
    {
        QString section;
        QHash<QString, int> seen;
        for (const Item& it : items) {
            const At at{file, it.line};
            const QString t = it.raw.trimmed();
            if (it.afterComment) {
                problem(at, QStringLiteral("a comma in the comment on this line starts a new item: '%1' is read as a setting").arg(t));
                if (!it.raw.contains(QLatin1Char('=')))
                    continue;
            } else if (t.startsWith(QLatin1Char(';'))) {
                continue;
            }
            if (fioIsSection(it.raw)) {
                section = fioGetSection(it.raw);
                onSection(at, section);
                continue;
            }
            const QString key = fioGetKey(it.raw);
            if (key.isEmpty()) {
                problem(at, QStringLiteral("'%1' has no key before its '='").arg(t));
                continue;
            }
            const Scope scope = scopeFor(section);
            const KeyRule* rule = findKey(*scope.keys, key);
            if (!rule) {
                if (scope.unknown == Scope::Report)
                    problem(at, QStringLiteral("unknown key '%1' in %2%3").arg(key, scope.where, suggestion(key, keysOf(*scope.keys))));
                else if (scope.unknown == Scope::BeforeSection)
                    problem(at, QStringLiteral("'%1' stands before any section and is ignored").arg(key));
                else if (scope.unknown == Scope::NoEffect)
                    problem(at, QStringLiteral("'%1' has no effect in the special file: only pictures in [interface] is read").arg(key));
                continue;
            }
            const QString what = QStringLiteral("%1 in %2").arg(key, scope.where);
            if (!it.raw.contains(QLatin1Char('=')))
                problem(at, QStringLiteral("'%1' has no '=' and so no value").arg(key));
            const QString id = scope.where + QLatin1Char('\n') + key.toLower();
            if (!is(key, "app")) {
                if (seen.contains(id))
                    problem(at, QStringLiteral("%1 is set again: the value on line %2 has no effect").arg(what).arg(seen[id]));
                seen[id] = it.line;
            }
            const QString value = fioGetValue(it.raw);
            checkNumber(at, *rule, what, value);
            onKey(at, section.toLower(), key.toLower(), value, what);
        }
    }

    ThemeReport& m_report;
    QStringList m_files;
    QVector<Found> m_found;
    QHash<QString, QString> m_pictureErrors;
};

} // namespace memcheck
