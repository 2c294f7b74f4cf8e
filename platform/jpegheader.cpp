// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/jpegheader.h"

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace {
// The device's bytes in large reads, so the scans' data is passed over at memchr's speed.
class ByteStream {
public:
    explicit ByteStream(QIODevice& device) : m_device(device) {}

    int next()
    {
        if (m_at == m_buffer.size() && !fill())
            return -1;
        return quint8(m_buffer[m_at++]);
    }

    QByteArray read(int n)
    {
        QByteArray out;
        while (out.size() < n && (m_at < m_buffer.size() || fill())) {
            const qsizetype take = std::min<qsizetype>(n - out.size(), m_buffer.size() - m_at);
            out.append(m_buffer.constData() + m_at, take);
            m_at += take;
        }
        return out;
    }

    // Passes over every byte before the next 0xFF; false when the data ends first.
    bool toMarker()
    {
        for (;;) {
            const void* ff = std::memchr(m_buffer.constData() + m_at, 0xFF, size_t(m_buffer.size() - m_at));
            if (ff) {
                m_at = static_cast<const char*>(ff) - m_buffer.constData();
                return true;
            }
            if (!fill())
                return false;
        }
    }

private:
    bool fill()
    {
        m_buffer = m_device.read(1 << 20);
        m_at = 0;
        return !m_buffer.isEmpty();
    }

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
};

bool isFrameHeader(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}
} // namespace

JpegHeader readJpegHeader(QIODevice& device)
{
    JpegHeader h;
    // Its stream reads ahead a megabyte: not for the first bytes of every other picture.
    if (!device.seek(0) || !device.peek(2).startsWith("\xff\xd8"))
        return h;
    ByteStream in(device);
    if (in.next() == 0xFF && in.next() == 0xD8) {
        h.isJpeg = true;
        // Segments carry their length; the data of a scan does not, and ends at the first 0xFF
        // that is neither a stuffed zero nor a restart marker.
        while (in.toMarker()) {
            in.next();
            int marker = in.next();
            while (marker == 0xFF)
                marker = in.next();
            if (marker < 0 || marker == 0xD9)
                break;
            if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7))
                continue;
            const int hi = in.next(), lo = in.next();
            const int length = hi << 8 | lo;
            if (lo < 0 || length < 2)
                break;
            const QByteArray segment = in.read(length - 2);
            if (isFrameHeader(marker) && !h.size.isValid() && segment.size() >= 5) {
                h.size = QSize(quint8(segment[3]) << 8 | quint8(segment[4]), quint8(segment[1]) << 8 | quint8(segment[2]));
                h.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            }
            if (marker == 0xDA && ++h.scans > kMaxJpegScans)
                break;
        }
    }
    device.seek(0);
    return h;
}
