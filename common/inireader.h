// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// Walks a configuration file item by item: blanks and line ends before an item are skipped; a
// quoted item runs to the next quote and the rest of its line up to a comma is dropped; any other
// item runs to the next comma or line end. Files of any size are read in pieces.
class IniReader {
public:
    // Only a regular file within the size bound of text files opens; error() then says why not.
    bool open(const QString& path);
    QString error() const { return m_error; }
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
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_utf8 = false;
    int m_line = 1;
    int m_itemLine = 0;
    int m_lastLineEnd = 0;
};

// Line functions on one item.
bool fioIsSection(const QString& item);
QString fioGetSection(const QString& item);
QString fioGetKey(const QString& item);
QString fioGetValue(const QString& item);
