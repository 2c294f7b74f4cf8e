// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/themecheck.h"

#include "common/fileio.h"
#include "common/wavinfo.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

namespace {
QString folderKey(const QString& folder)
{
    QString f = toPlatformSeparators(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f.toLower();
}
}

void ThemeReport::watchMissingFolder(const QString& folder)
{
    if (!m_hidden.contains(folderKey(folder)))
        m_hidden.insert(folderKey(folder), 0);
}

bool ThemeReport::hides(const QString& path)
{
    const QString p = toPlatformSeparators(path).toLower();
    for (auto it = m_hidden.begin(); it != m_hidden.end(); ++it)
        if (p.startsWith(it.key())) {
            ++*it;
            return true;
        }
    return false;
}

void ThemeReport::folderProblem(const QString& file, int line, const QString& folder, const QString& text)
{
    watchMissingFolder(folder);
    problem(file, line, text);
    m_problems.last().folder = folderKey(folder);
}

void ThemeReport::problem(const QString& file, int line, const QString& text)
{
    int index = int(m_files.indexOf(file));
    if (index < 0) {
        index = int(m_files.size());
        m_files << file;
    }
    m_problems.push_back({index, line > 0 ? line : 0, line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(text)
                                                                : QStringLiteral("%1: %2").arg(file, text)});
}

QStringList ThemeReport::lines() const
{
    QVector<Problem> sorted = m_problems;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    QStringList out;
    for (const Problem& p : sorted) {
        const int hidden = p.folder.isEmpty() ? 0 : m_hidden.value(p.folder);
        out << (hidden == 0 ? p.text
                            : p.text + (hidden == 1 ? QStringLiteral("; 1 file the theme names lies in it")
                                                    : QStringLiteral("; %1 files the theme names lie in it").arg(hidden)));
    }
    return out;
}

QString startupFinding(const QString& what, const QString& message, bool fatal, int number, const QString& note,
                       const QString& howOften)
{
    QString words = message;
    words.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
    return (what.isEmpty() ? QString() : what + QStringLiteral(": ")) + words
           + (note.isEmpty() ? QString() : QStringLiteral(" [") + note + QLatin1Char(']'))
           + QStringLiteral(" (%1 %2%3)")
                 .arg(fatal ? QStringLiteral("error") : QStringLiteral("warning"))
                 .arg(number)
                 .arg(howOften.isEmpty() ? QString() : QStringLiteral(", ") + howOften);
}

QString programFolderWarning(const QString& configFile, const QString& what, const QString& value)
{
    if (fioGetPathMacro(toPlatformSeparators(value)).compare(QLatin1String("%apppath%"), Qt::CaseInsensitive) != 0)
        return {};
    const QString program = fioWithBackslash(QFileInfo(fioGetAppPath()).canonicalFilePath());
    const QString here = fioWithBackslash(QFileInfo(QFileInfo(configFile).absolutePath()).canonicalFilePath());
    if (program.size() <= 1 || here.startsWith(program))
        return {};
    return QStringLiteral("%1: '%2' is in the program's folder (%3), but this file lies in %4: the theme takes the program's "
                          "own files there; write out the theme's own folder instead")
        .arg(what, value, program, here);
}

QString fileProblem(const QString& path)
{
    const QString why = regularFileProblem(resolvePath(toPlatformSeparators(path)));
    return why.isEmpty() ? QStringLiteral("is missing") : why;
}

bool ThemeReport::checkPicture(const QString& file, int line, const QString& path, const QString& what)
{
    if (!fioFileExists(path)) {
        if (hides(path))
            return false;
        // The real cause: missing, or a FIFO, a device, a folder that the program takes for missing.
        problem(file, line, QStringLiteral("%1: picture '%2' %3").arg(what, toPlatformSeparators(path), fileProblem(path)));
        return false;
    }
    QString why;
    if (loadPicture(path, &why).isNull()) {
        problem(file, line, QStringLiteral("%1: %2 Its place stays empty.").arg(what, why));
        return false;
    }
    return true;
}

bool ThemeReport::checkSound(const QString& file, int line, const QString& path, const QString& what)
{
    if (!fioFileExists(path)) {
        if (hides(path))
            return false;
        problem(file, line, QStringLiteral("%1: sound '%2' %3").arg(what, toPlatformSeparators(path), fileProblem(path)));
        return false;
    }
    if (const QString why = soundProblem(path); !why.isEmpty()) {
        problem(file, line, QStringLiteral("%1: %2").arg(what, why));
        return false;
    }
    return true;
}

QString soundProblem(const QString& path)
{
    const WavInfo info = readWavInfo(resolvePath(toPlatformSeparators(path)));
    return info.playable ? QString() : info.error + QStringLiteral(" It is skipped: nothing is heard in its place.");
}

bool ThemeReport::checkFolder(const QString& file, int line, const QString& path, const QString& what)
{
    if (fioDirExists(path))
        return true;
    folderProblem(file, line, path, QStringLiteral("%1: folder '%2' does not exist").arg(what, toPlatformSeparators(path)));
    return false;
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
