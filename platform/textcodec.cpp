// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/textcodec.h"

#include <algorithm>

namespace {
// The 32 characters 0x80-0x9F of Windows-1252; the unassigned five map to themselves, as Windows does.
const char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}

QString decodeCp1252(const QByteArray& bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

void Utf8Detector::feed(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size && m_valid; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (m_pending > 0) {
            if (b < m_lowest || b > m_highest) {
                m_valid = false;
                break;
            }
            m_lowest = 0x80;
            m_highest = 0xBF;
            --m_pending;
            continue;
        }
        if (b < 0x80)
            continue;
        m_sawNonAscii = true;
        m_lowest = 0x80;
        m_highest = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            m_pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_pending = 2;
            if (b == 0xE0) m_lowest = 0xA0;
            if (b == 0xED) m_highest = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_pending = 3;
            if (b == 0xF0) m_lowest = 0x90;
            if (b == 0xF4) m_highest = 0x8F;
        } else {
            m_valid = false;
        }
    }
}

QString decodeConfigBytes(const QByteArray& bytes)
{
    Utf8Detector detector;
    detector.feed(bytes.constData(), bytes.size());
    return detector.isUtf8() ? QString::fromUtf8(bytes) : decodeCp1252(bytes);
}

std::optional<QStringConverter::Encoding> utf16Encoding(const QByteArray& start)
{
    if (start.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (start.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

QString withVisibleControls(const QString& text)
{
    const auto control = [](QChar c) { return (c < u' ' && c != u'\t') || (c >= u'\x7F' && c < u'\xA0'); };
    if (std::none_of(text.begin(), text.end(), control))
        return text;
    QString out;
    for (const QChar c : text)
        out += control(c) ? QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0') : QString(c);
    return out;
}
