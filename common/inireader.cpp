// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/inireader.h"

#include "platform/files.h"
#include "platform/textcodec.h"


namespace {
constexpr qsizetype kChunk = 64 * 1024;
// Far above any theme's file; a larger one is streamed.
constexpr qint64 kHeldBytes = 4 * 1024 * 1024;

bool isBlank(int c) { return c == ' ' || c == '\t'; }
bool isLineEnd(int c) { return c == '\r' || c == '\n'; }
}

bool IniReader::open(const QString& path)
{
    close();
    m_error.clear();
    if (!openRegularFile(m_file, resolvePath(path), FileKind::Text, &m_error, &m_regular))
        return false;
    if (m_file.size() <= kHeldBytes) {
        openBytes(m_file.readAll());
        m_file.close();
        return true;
    }
    if (const auto utf16 = utf16Encoding(m_file.peek(2))) {
        m_utf16.emplace(*utf16);
        m_utf8 = true;
        return true;
    }
    // One pass to learn the encoding, so a long file is never held whole.
    Utf8Detector detector;
    QByteArray chunk;
    while (!(chunk = m_file.read(kChunk)).isEmpty())
        detector.feed(chunk.constData(), chunk.size());
    m_utf8 = detector.isUtf8();
    m_file.seek(0);
    return true;
}

void IniReader::openBytes(const QByteArray& raw)
{
    close();
    const auto utf16 = utf16Encoding(raw);
    const QByteArray bytes = utf16 ? QString(QStringDecoder(*utf16).decode(raw)).toUtf8() : raw;
    Utf8Detector detector;
    detector.feed(bytes.constData(), bytes.size());
    m_utf8 = detector.isUtf8();
    m_buffer = bytes;
    m_held = true;
}

void IniReader::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_held = false;
    m_utf16.reset();
    m_buffer.clear();
    m_pos = 0;
    m_line = 1;
    m_itemLine = 0;
    m_lastLineEnd = 0;
}

bool IniReader::fill()
{
    if (m_pos < m_buffer.size())
        return true;
    if (!m_file.isOpen())
        return false;
    m_buffer = m_file.read(kChunk);
    if (m_utf16)
        m_buffer = QString(m_utf16->decode(m_buffer)).toUtf8();
    m_pos = 0;
    return !m_buffer.isEmpty();
}

int IniReader::peekByte()
{
    if (!fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int IniReader::takeByte()
{
    const int c = peekByte();
    if (c < 0)
        return c;
    ++m_pos;
    // CR LF, a lone CR and a lone LF each end one line.
    if (c == '\n') {
        if (m_lastLineEnd != '\r')
            ++m_line;
    } else if (c == '\r') {
        ++m_line;
    }
    m_lastLineEnd = isLineEnd(c) ? c : 0;
    return c;
}

bool IniReader::atEnd()
{
    for (;;) {
        const int c = peekByte();
        if (c < 0)
            return true;
        if (!isBlank(c) && !isLineEnd(c))
            return false;
        takeByte();
    }
}

QString IniReader::readItem()
{
    if (atEnd())
        return {};
    m_itemLine = m_line;
    QByteArray item;
    if (peekByte() == '"') {
        takeByte();
        for (int c = takeByte(); c >= 0 && c != '"'; c = takeByte())
            item.append(char(c));
        for (int c = peekByte(); c >= 0 && !isLineEnd(c); c = peekByte()) {
            takeByte();
            if (c == ',')
                break;
        }
    } else {
        for (int c = peekByte(); c >= 0 && !isLineEnd(c); c = peekByte()) {
            takeByte();
            if (c == ',')
                break;
            item.append(char(c));
        }
    }
    return m_utf8 ? QString::fromUtf8(item) : decodeCp1252(item);
}

QStringList IniReader::itemsOf(const QByteArray& bytes)
{
    IniReader reader;
    reader.openBytes(bytes);
    QStringList items;
    while (!reader.atEnd())
        items << reader.readItem();
    return items;
}

bool IniFiles::open(IniReader& reader, const QString& path)
{
    if (const auto it = m_held.constFind(path); it != m_held.constEnd()) {
        reader.openBytes(*it);
        return true;
    }
    if (!reader.open(path))
        return false;
    if (reader.held())
        m_held.insert(path, reader.bytes());
    return true;
}

bool fioIsSection(const QString& item)
{
    const QString t = item.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')) && t.size() >= 2;
}

QString fioGetSection(const QString& item)
{
    const QString t = item.trimmed();
    if (t.size() < 3)
        return {};
    return t.mid(1, t.size() - 2);
}

QString fioGetKey(const QString& item)
{
    if (item.startsWith(QLatin1Char(';')))
        return {};
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    QString key = eq < 0 ? item : item.left(eq);
    key.remove(QLatin1Char(' '));
    return key;
}

QString fioGetValue(const QString& item)
{
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : item.mid(eq + 1);
}
