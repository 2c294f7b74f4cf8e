#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// What a theme checker has found: one problem per line, "file:line: text", in file order.
class ThemeReport {
public:
    void problem(const QString& file, int line, const QString& text);
    bool clean() const { return m_problems.isEmpty(); }
    // Files in the order they were first reported, each file's problems by line (a problem of
    // the whole file first); checks made later, such as of the files a key names, fall in place.
    QStringList lines() const;

    // Checks that path names a readable picture / a playable WAV file; reports it otherwise.
    // what says which key named it ("picnormal in [draw button]").
    bool checkPicture(const QString& file, int line, const QString& path, const QString& what);
    bool checkSound(const QString& file, int line, const QString& path, const QString& what);
    bool checkFolder(const QString& file, int line, const QString& path, const QString& what);

private:
    struct Problem {
        int file;
        int line;
        QString text;
    };
    QStringList m_files;
    QVector<Problem> m_problems;
};

// The known word closest to word (by edit distance, without regard to case), when it is close
// enough to be a likely typo; empty otherwise.
QString nearestWord(const QString& word, const QStringList& known);

// " (did you mean 'x'?)" for an unknown word, or nothing.
QString suggestion(const QString& word, const QStringList& known);

// Whether a value starts with a number by the leading-number rule (an empty value reads as 0
// and counts as one).
bool looksNumeric(const QString& value);

// What keeps a file from being read, as a checker says it: "is missing", "is a FIFO", "is a
// device", "is a folder"...
QString fileProblem(const QString& path);
