// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/themecheck.h"

#include "common/fileio.h"
#include "common/wavinfo.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/textcodec.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>

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
        out << withVisibleControls(hidden == 0 ? p.text
                                               : p.text + (hidden == 1 ? QStringLiteral("; 1 file the theme names lies in it")
                                                                       : QStringLiteral("; %1 files the theme names lie in it").arg(hidden)));
    }
    return out;
}

int printThemeReport(const QString& path, const QString& reason, const ThemeReport& report)
{
    // A folder's name may hold control characters as well as a key may.
    const QString shown = withVisibleControls(path);
    if (!path.isEmpty())
        std::printf("Checking %s (%s)\n", qUtf8Printable(shown), qUtf8Printable(reason));
    for (const QString& line : report.lines())
        std::printf("%s\n", qUtf8Printable(line));
    if (report.clean())
        std::printf("%s: no problems found\n", qUtf8Printable(shown));
    return report.clean() ? 0 : 1;
}

QString startupFinding(const QString& what, const QString& message, bool fatal, int number, const QString& note,
                       const QString& howOften)
{
    return Finding{QString(), 0, message, number, fatal, what, note, howOften}.text();
}

bool ThemeReport::add(const Finding& f)
{
    if (f.words.isEmpty()) {
        name(f.file);
        return true;
    }
    if (!f.missing.isEmpty() && hides(f.missing))
        return true;
    if (f.folder.isEmpty())
        problem(f.file, f.line, f.text());
    else
        folderProblem(f.file, f.line, f.folder, f.text());
    return true;
}

void ThemeReport::name(const QString& file)
{
    if (!m_files.contains(file))
        m_files << file;
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

QString soundProblem(const QString& path)
{
    const WavInfo info = readWavInfo(resolvePath(toPlatformSeparators(path)));
    return info.playable ? QString() : info.error + QStringLiteral(" It is skipped: nothing is heard in its place.");
}

Finding fileFinding(const QString& file, int line, const QString& what, const QString& path, bool picture)
{
    Finding f{file, line};
    if (!fioFileExists(path)) {
        // The real cause: missing, or a FIFO, a device, a folder that the program takes for missing.
        f.words = QStringLiteral("%1: %2 '%3' %4")
                      .arg(what, picture ? QStringLiteral("picture") : QStringLiteral("sound"), toPlatformSeparators(path), fileProblem(path));
        f.missing = path;
    } else if (QString why; picture && loadPicture(path, &why).isNull()) {
        f.words = QStringLiteral("%1: %2 Its place stays empty.").arg(what, why);
    } else if (!picture) {
        if (const QString problem = soundProblem(path); !problem.isEmpty())
            f.words = QStringLiteral("%1: %2").arg(what, problem);
    }
    return f;
}
