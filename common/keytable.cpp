// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/keytable.h"

#include "common/inireader.h"
#include "common/math32.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

QString Finding::text() const
{
    if (!number)
        return words;
    QString message = words;
    message.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
    return (what.isEmpty() ? QString() : what + QStringLiteral(": ")) + message
           + (note.isEmpty() ? QString() : QStringLiteral(" [") + note + QLatin1Char(']'))
           + QStringLiteral(" (%1 %2%3)")
                 .arg(fatal ? QStringLiteral("error") : QStringLiteral("warning"))
                 .arg(number)
                 .arg(howOften.isEmpty() ? QString() : QStringLiteral(", ") + howOften);
}

void Findings::say(int line, const QString& words)
{
    if (m_checking)
        m_sink(Finding{m_file, line, words});
}

bool Findings::tell(Finding finding)
{
    if (finding.file.isEmpty())
        finding.file = m_file;
    if (!m_sink(finding))
        m_going = false;
    return m_going;
}

const KeySection* KeyTable::find(const QString& section, int* index) const
{
    const QString name = section.toLower();
    const KeySection* any = nullptr;
    for (const KeySection& s : sections) {
        if (const qsizetype i = s.names.indexOf(name); i >= 0) {
            *index = int(i);
            return &s;
        }
        if (s.names.contains(QStringLiteral("*")))
            any = &s;
    }
    *index = -1;
    return any;
}

QStringList KeyTable::sectionNames() const
{
    QStringList names;
    for (const KeySection& s : sections)
        for (const QString& n : s.names)
            if (!n.isEmpty() && n != QLatin1String("*"))
                names << n;
    return names;
}

namespace {
const KeyRow* rowOf(const QVector<KeyRow>& rows, const QString& key)
{
    for (const KeyRow& r : rows)
        if (key.compare(QLatin1String(r.key), Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

QString kindProblem(KeyKind kind, const QString& what, const QString& value)
{
    if (kind != KeyKind::Flag && kind != KeyKind::Short && kind != KeyKind::Number && kind != KeyKind::Colour)
        return {};
    if (!looksNumeric(value))
        return QStringLiteral("%1: '%2' is not a number (it reads as 0)").arg(what, value);
    const double n = mathLeadingNumber(value);
    if (kind == KeyKind::Short && (n > 32767 || n < -32768))
        return QStringLiteral("%1: %2 does not fit (it is held at %3)").arg(what, value).arg(mathToInt16(value));
    if (kind == KeyKind::Number && (n > INT_MAX || n < INT_MIN))
        return QStringLiteral("%1: %2 is far too large").arg(what, value);
    if (kind == KeyKind::Colour && !value.trimmed().isEmpty() && (n > 0xFFFFFF || n < 0))
        return QStringLiteral("%1: %2 is no colour between 0 and &HFFFFFF").arg(what, value);
    return {};
}
}

void walkKeys(IniReader& file, const KeyTable& table, Findings& found)
{
    const bool checking = found.checking();
    QString section;
    int index = 0;
    const KeySection* group = table.find(section, &index);
    QHash<QString, int> seen;
    int lastLine = 0;
    bool lastComment = false;
    QString lastKey; // the key of the item before, when it began this line
    while (found.going() && !file.atEnd()) {
        const QString item = file.readItem();
        const int line = file.itemLine();
        const QString t = item.trimmed();
        if (t.isEmpty())
            continue;
        const bool sameLine = line == lastLine;
        const bool afterComment = sameLine && lastComment;
        lastComment = afterComment || t.startsWith(QLatin1Char(';'));
        lastLine = line;
        const QString keyBefore = sameLine ? lastKey : QString();
        lastKey.clear();
        if (afterComment) {
            found.say(line, QStringLiteral("a comma in the comment on this line starts a new item: '%1' is read as a setting").arg(t));
            if (!item.contains(QLatin1Char('=')))
                continue;
        }
        if (table.eachItem && table.eachItem(item, line))
            continue;
        if (fioIsSection(item)) {
            section = fioGetSection(item);
            group = table.find(section, &index);
            if (table.onSection)
                table.onSection(section, line);
            if (index < 0 && table.unknownSection)
                if (const QString words = table.unknownSection(section); !words.isEmpty())
                    found.say(line, words);
            continue;
        }
        if (group && group->items) {
            group->items(item, line);
            continue;
        }
        if (lastComment && !afterComment)
            continue;
        if (!keyBefore.isEmpty() && !item.contains(QLatin1Char('='))) {
            found.say(line, QStringLiteral("a comma in the value of %1 cuts it there: '%2' is read as an item of its own and has no effect")
                                .arg(keyBefore, t));
            continue;
        }
        const QString key = fioGetKey(item);
        if (key.isEmpty()) {
            found.say(line, QStringLiteral("'%1' has no key before its '='").arg(t));
            continue;
        }
        const KeyRow* row = rowOf(table.anywhere, key);
        if (!row && group)
            row = rowOf(group->rows, key);
        const QString where = group && !group->where.isEmpty() ? group->where : QStringLiteral("[%1]").arg(section);
        if (!row) {
            if (checking && group && !group->unknownKey.isEmpty()) {
                QStringList known;
                for (const QVector<KeyRow>* rows : {&group->rows, &table.anywhere})
                    for (const KeyRow& r : *rows)
                        known << QString::fromLatin1(r.key);
                QString words = group->unknownKey;
                found.say(line, words.replace(QLatin1String("%1"), key).replace(QLatin1String("%2"), where)
                                    .replace(QLatin1String("%3"), suggestion(key, known)));
            }
            continue;
        }
        KeyLine k{line, section, std::max(index, 0), key, fioGetValue(item), item, QStringLiteral("%1 in %2").arg(key, where)};
        lastKey = k.what;
        if (checking) {
            if (!item.contains(QLatin1Char('=')))
                found.say(line, QStringLiteral("'%1' has no '=' and so no value").arg(key));
            const QString id = where.toLower() + QLatin1Char('\n') + key.toLower();
            if (!row->repeats && seen.contains(id))
                found.say(line, QStringLiteral("%1 is set again: the value on line %2 has no effect").arg(k.what).arg(seen[id]));
            seen[id] = line;
            if (const QString words = kindProblem(row->kind, k.what, k.value); !words.isEmpty())
                found.say(line, words);
            if (row->wrong)
                if (const QString words = row->wrong(k); !words.isEmpty())
                    found.say(line, words);
        }
        if (row->fill)
            row->fill(k);
    }
    if (table.onSection)
        table.onSection(QString(), 0);
}

bool looksNumeric(const QString& value)
{
    QString v = value;
    v.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    if (v.isEmpty())
        return true;
    if (v.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) || v.startsWith(QLatin1String("&O"), Qt::CaseInsensitive))
        return v.size() > 2;
    int i = 0;
    if (v[0] == QLatin1Char('+') || v[0] == QLatin1Char('-'))
        ++i;
    if (i < v.size() && v[i] == QLatin1Char('.'))
        ++i;
    return i < v.size() && v[i].isDigit();
}

namespace {
int editDistance(const QString& a, const QString& b)
{
    QVector<int> prev(b.size() + 1), cur(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        prev[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        cur[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1;
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost});
        }
        std::swap(prev, cur);
    }
    return prev[b.size()];
}
}

QString nearestWord(const QString& word, const QStringList& known)
{
    QString best;
    int bestDistance = INT_MAX;
    for (const QString& k : known) {
        const int d = editDistance(word, k);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    // A third of the word may be wrong, at least one letter.
    return bestDistance <= std::max(1, int(word.size()) / 3) ? best : QString();
}

QString suggestion(const QString& word, const QStringList& known)
{
    const QString n = nearestWord(word, known);
    return n.isEmpty() ? QString() : QStringLiteral(" (did you mean '%1'?)").arg(n);
}
