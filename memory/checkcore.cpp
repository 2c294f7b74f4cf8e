// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checkcore.h"
#include "memory/memerrors.h"

#include "common/math32.h"
#include "common/wavinfo.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <algorithm>

namespace memcheck {

bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

QString shown(const QString& path) { return toPlatformSeparators(path); }

bool readFile(const QString& path, QVector<Item>& items, int limit, QString* why)
{
    IniReader reader;
    if (!reader.open(path)) {
        if (why)
            *why = QStringLiteral("the file ") + reader.error();
        return false;
    }
    int lastLine = 0;
    bool lastComment = false;
    while (items.size() < limit && !reader.atEnd()) {
        Item it;
        it.raw = reader.readItem();
        it.line = reader.itemLine();
        if (it.raw.trimmed().isEmpty())
            continue;
        it.sameLine = it.line == lastLine;
        it.afterComment = it.sameLine && lastComment;
        lastComment = it.afterComment || it.raw.startsWith(QLatin1Char(';'));
        lastLine = it.line;
        items << it;
    }
    reader.close();
    return true;
}

void CheckCore::startup(const At& at, const QString& what, int number, const QString& info, const QString& info2,
                        const QString& howOften)
{
    const MemErrorText e = memErrorText(number, info, info2);
    // Start-up takes a FIFO or a device for a missing file; the checker says what it is.
    QString note;
    if (const QString cause = info.isEmpty() ? QString() : fileProblem(info);
        cause == QLatin1String("is a FIFO") || cause == QLatin1String("is a device") || cause == QLatin1String("is a socket"))
        note = QStringLiteral("the file ") + cause;
    problem(at, startupFinding(what, e.message, e.kind == MemErrorKind::Fatal, number, note, howOften));
}

void CheckCore::flush()
{
    std::stable_sort(m_found.begin(), m_found.end(), [](const Found& a, const Found& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    for (const Found& f : m_found)
        if (f.folder.isEmpty())
            m_report.problem(m_files[f.file], f.line, f.text);
        else
            m_report.folderProblem(m_files[f.file], f.line, f.folder, f.text);
}

QString CheckCore::pictureError(const QString& path)
{
    const QString real = resolvePath(path);
    auto it = m_pictureErrors.constFind(real);
    if (it != m_pictureErrors.constEnd())
        return *it;
    QString why;
    if (loadPicture(real, &why).isNull() && why.isEmpty())
        why = QStringLiteral("picture '%1' cannot be read").arg(shown(path));
    m_pictureErrors.insert(real, why);
    return why;
}

void CheckCore::picture(const At& at, const QString& what, const QString& folder, const QString& name, int missing,
                        const QString& howOftenMissing)
{
    const QString path = folder + name;
    if (!fioFileExists(path)) {
        if (m_report.hides(path))
            return;
        if (missing)
            startup(at, what, missing, path, QString(), howOftenMissing);
        else
            problem(at, QStringLiteral("%1: picture '%2' is missing").arg(what, shown(path)));
        return;
    }
    const QString why = pictureError(path);
    if (why.isEmpty())
        return;
    if (missing)
        startup(at, what, 110, path, why);
    else
        problem(at, QStringLiteral("%1: %2").arg(what, why));
}

void CheckCore::sound(const At& at, const QString& what, const QString& path, int missing, const QString& info2)
{
    if (!fioFileExists(path)) {
        if (m_report.hides(path))
            return;
        if (missing)
            startup(at, what, missing, path, info2);
        else
            problem(at, QStringLiteral("%1: sound '%2' is missing").arg(what, shown(path)));
        return;
    }
    if (const QString why = soundProblem(path); !why.isEmpty())
        problem(at, QStringLiteral("%1: %2").arg(what, why));
}

void CheckCore::checkNumber(const At& at, const KeyRule& rule, const QString& what, const QString& value)
{
    if (rule.kind != Kind::Flag && rule.kind != Kind::Number && rule.kind != Kind::Colour)
        return;
    if (!looksNumeric(value)) {
        problem(at, QStringLiteral("%1: '%2' is not a number (it reads as 0)").arg(what, value));
        return;
    }
    const double n = mathLeadingNumber(value);
    if (rule.kind == Kind::Colour && !value.trimmed().isEmpty() && (n > 0xFFFFFF || n < 0))
        problem(at, QStringLiteral("%1: %2 is no colour between 0 and &HFFFFFF").arg(what, value));
    else if (rule.kind == Kind::Number && (n > INT_MAX || n < INT_MIN))
        problem(at, QStringLiteral("%1: %2 is far too large").arg(what, value));
}

} // namespace memcheck
