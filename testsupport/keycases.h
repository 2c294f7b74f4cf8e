// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/keytable.h"

#include <QHash>
#include <algorithm>
#include <gtest/gtest.h>

// A row of a reader's table as a test case: a new row is tested without a new test.
struct KeyCase {
    QString section; // as a file writes it; empty before any section, or for any section
    QString key;
    QString a, b;    // two values that read differently
    QString wrong;   // a value its kind refuses; empty when none is wrong by its kind alone

    // The section line, what the key needs before it, and the key line.
    QByteArray lines(const QString& value, const QByteArray& prelude = {}) const
    {
        return (section.isEmpty() ? QByteArray() : "[" + section.toUtf8() + "]\n") + prelude + key.toUtf8() + '=' + value.toUtf8() + '\n';
    }
};

// Each row of each section name of table but those that take no value; words: the two values of
// a text key that reads only words; folders: two folders that exist.
inline QVector<KeyCase> keyCases(const KeyTable& table, const QStringList& folders = {}, const QHash<QString, QStringList>& words = {})
{
    QVector<KeyCase> cases;
    const auto add = [&](const QString& section, const QVector<KeyRow>& rows) {
        for (const KeyRow& row : rows) {
            const QString key = QString::fromLatin1(row.key);
            const KeyKind k = row.kind;
            const QStringList v = words.contains(key) ? words[key]
                                  : k == KeyKind::Folder ? folders
                                  : k == KeyKind::Sound ? QStringList{"a.wav", "b.wav"}
                                  : k == KeyKind::Flag || k == KeyKind::Short || k == KeyKind::Number || k == KeyKind::Colour
                                      ? QStringList{"3", k == KeyKind::Flag ? "0" : "4", "three"}
                                      : QStringList{"a.bmp", "b.bmp"};
            if (k != KeyKind::Ignored)
                cases.append({section, key, v.value(0), v.value(1), v.value(2)});
        }
    };
    add(QString(), table.anywhere);
    for (const KeySection& s : table.sections)
        for (const QString& name : s.names)
            add(name == QLatin1String("*") ? QString() : name, s.rows);
    return cases;
}

// read(c, value, found, line) writes c with value into file, reads it and gives what it filled, and
// the line the key stands on. Each case must fill something, and its wrong value be found there
// (but where file is empty: a reader that tells nothing).
template <typename Read>
void expectEveryRowReads(const QVector<KeyCase>& cases, const QString& file, Read read)
{
    for (const KeyCase& c : cases) {
        QVector<Finding> found;
        int line = 0;
        EXPECT_FALSE(read(c, c.a, found, line) == read(c, c.b, found, line)) << qPrintable(file + ": [" + c.section + "] " + c.key);
        found.clear();
        if (c.wrong.isEmpty() || file.isEmpty())
            continue;
        read(c, c.wrong, found, line);
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const Finding& f) {
            return f.file == file && f.line == line && f.text().contains(c.key);
        })) << qPrintable(file + ": [" + c.section + "] " + c.key + " = " + c.wrong);
    }
}
