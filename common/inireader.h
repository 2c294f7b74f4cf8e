// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <QStringDecoder>
#include <optional>

// Walks a configuration file item by item: blanks and line ends before an item are skipped; a
// quoted item runs to the next quote and the rest of its line up to a comma is dropped; any other
// item runs to the next comma or line end. A file of a theme's size is read into memory with one
// read and its encoding found there; a larger one is read in pieces, twice (once for the
// encoding), so a hostile file is never held whole. A file in UTF-16 with a byte order mark is
// read as its text in UTF-8.
class IniReader {
public:
    // Only a regular file within the size bound of text files opens; error() then says why not.
    bool open(const QString& path);
    // The bytes of a file read before (held()), walked again without opening it.
    void openBytes(const QByteArray& bytes);
    QString error() const { return m_error; }
    // Whether the file that did not open is a regular file (too large, say): anything else is
    // what the programs call a missing file.
    bool regular() const { return m_regular; }
    // The whole file, when it was small enough to be read into memory.
    bool held() const { return m_held; }
    const QByteArray& bytes() const { return m_buffer; }
    void close();
    bool atEnd();
    // The next item; empty at the end of the file.
    QString readItem();
    // The number of the line the last item began on, from 1.
    int itemLine() const { return m_itemLine; }

    // Every item of a text, for tests and in-memory data.
    static QStringList itemsOf(const QByteArray& bytes);

private:
    int peekByte();
    int takeByte();
    bool fill();

    QFile m_file;
    QString m_error;
    bool m_regular = false;
    bool m_held = false;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_utf8 = false;
    std::optional<QStringDecoder> m_utf16; // a large UTF-16 file, decoded piece by piece
    int m_line = 1;
    int m_itemLine = 0;
    int m_lastLineEnd = 0;
};

// The configuration files of one run, each opened once: a file walked again (the one-copy lock,
// full screen and start-up all read the configuration) is read from memory.
class IniFiles {
public:
    bool open(IniReader& reader, const QString& path);

private:
    QHash<QString, QByteArray> m_held;
};

// Line functions on one item.
bool fioIsSection(const QString& item);
QString fioGetSection(const QString& item);
QString fioGetKey(const QString& item);
QString fioGetValue(const QString& item);
