// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "common/keytable.h"

#include <QString>
#include <QHash>
#include <QStringList>
#include <QVector>

// What a theme checker has found: one problem per line, "file:line: text", in file order.
class ThemeReport {
public:
    void problem(const QString& file, int line, const QString& text);
    // A reader's finding; as a sink, it never stops the reading. One without words only names
    // its file, in the order the reader opened it.
    bool add(const Finding& finding);
    // Places a file in the report's order before anything is found in it.
    void name(const QString& file);
    bool clean() const { return m_problems.isEmpty(); }
    // Files in the order they were first reported, each file's problems by line (a problem of
    // the whole file first); checks made later, such as of the files a key names, fall in place.
    QStringList lines() const;

    // A missing folder is told once: the files looked for in it are counted, not listed one by
    // one. watchMissingFolder makes hides() count for it; folderProblem is the problem that
    // names it and gets the count.
    void watchMissingFolder(const QString& folder);
    bool hides(const QString& path);
    void folderProblem(const QString& file, int line, const QString& folder, const QString& text);

private:
    struct Problem {
        int file;
        int line;
        QString text;
        QString folder = {}; // a missing folder whose hidden files are counted on this line
    };
    QStringList m_files;
    QVector<Problem> m_problems;
    QHash<QString, int> m_hidden; // missing folder -> files looked for in it
};

// Prints what --check found in the configuration at path (empty when none was found): the file
// checked and why it was the one, each problem, or that there were none. Returns the exit
// status: 0 when the report is clean.
int printThemeReport(const QString& path, const QString& reason, const ThemeReport& report);

// A message start-up shows in a box, as the checker reports it: "what: the message's words
// [note] (error 12)", line breaks as blanks; "warning" for a message after which start-up goes
// on. howOften says how often start-up shows it, when more than once.
QString startupFinding(const QString& what, const QString& message, bool fatal, int number, const QString& note = QString(),
                       const QString& howOften = QString());

// A folder value that names the program's folder (%apppath%) from a configuration file kept
// elsewhere: such a theme silently takes the program's own sample files. The warning for what
// ("gfx in [path]"), or nothing.
QString programFolderWarning(const QString& configFile, const QString& what, const QString& value);

// Why the sound device plays nothing for the WAV file at path, as a checker says it: the
// reader's reason and what the program does; empty when the sound plays.
QString soundProblem(const QString& path);

// What keeps a file from being read, as a checker says it: "is missing", "is a FIFO", "is a
// device", "is a folder"...
QString fileProblem(const QString& path);

// What is wrong with the picture or sound file at path that what ("picnormal in [draw button]")
// names: missing, not a picture the program reads, not a WAV file it can play. A finding
// without words when nothing is.
Finding fileFinding(const QString& file, int line, const QString& what, const QString& path, bool picture);
