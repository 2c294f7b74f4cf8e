// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <optional>

// Configuration and data files are Windows-1252 bytes; a file that is valid UTF-8 and holds
// non-ASCII bytes was written by a modern editor and is read as UTF-8.
QString decodeCp1252(const QByteArray& bytes);

// Streams through a file's bytes in pieces and tells whether they are valid UTF-8 with at least
// one non-ASCII character.
class Utf8Detector {
public:
    void feed(const char* data, qsizetype size);
    bool isUtf8() const { return m_valid && m_sawNonAscii && m_pending == 0; }

private:
    bool m_valid = true;
    bool m_sawNonAscii = false;
    int m_pending = 0;      // continuation bytes still expected
    unsigned m_lowest = 0;  // smallest allowed value of the next continuation byte (overlongs, surrogates)
    unsigned m_highest = 0xBF;
};

QString decodeConfigBytes(const QByteArray& bytes);

// Notepad's "Unicode" and a spreadsheet's "Unicode text" are UTF-16 with a byte order mark,
// which no Windows-1252 or UTF-8 theme file begins with: the encoding of bytes that begin with
// one, or none.
std::optional<QStringConverter::Encoding> utf16Encoding(const QByteArray& start);

// The text with every control character but the tab written as \xHH: what a file holds must not
// move a terminal's cursor, retitle its window or cut a line short at a NUL.
QString withVisibleControls(const QString& text);
