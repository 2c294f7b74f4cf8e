// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "wmfwriter.h"

#include <QBuffer>

namespace {
void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}

QVector<qint16> colorWords(const QColor& c)
{
    return {qint16(c.red() | (c.green() << 8)), qint16(c.blue())};
}

QVector<qint16> rectWords(const QRect& r)
{
    // Bottom, right, top, left: the order the records store them in.
    return {qint16(r.bottom() + 1), qint16(r.right() + 1), qint16(r.top()), qint16(r.left())};
}

QVector<qint16> pointWords(const QVector<QPoint>& points)
{
    QVector<qint16> w;
    for (const QPoint& p : points)
        w << qint16(p.x()) << qint16(p.y());
    return w;
}
}

void WmfWriter::record(quint16 function, const QVector<qint16>& words)
{
    QByteArray params;
    for (qint16 w : words)
        put16(params, quint16(w));
    recordBytes(function, params);
}

void WmfWriter::recordBytes(quint16 function, const QByteArray& raw)
{
    QByteArray params = raw;
    if (params.size() % 2)
        params.append('\0');
    const quint32 words = quint32(3 + params.size() / 2);
    put32(m_records, words);
    put16(m_records, function);
    m_records.append(params);
    m_largest = std::max(m_largest, words);
}

int WmfWriter::recordObject(quint16 function, const QByteArray& params)
{
    recordBytes(function, params);
    return takeSlot();
}

void WmfWriter::setWindowOrg(int x, int y) { record(0x020B, {qint16(y), qint16(x)}); }
void WmfWriter::setWindowExt(int x, int y) { record(0x020C, {qint16(y), qint16(x)}); }
void WmfWriter::setBkMode(int mode) { record(0x0102, {qint16(mode)}); }
void WmfWriter::setPolyFillMode(int mode) { record(0x0106, {qint16(mode)}); }

int WmfWriter::takeSlot()
{
    const int free = int(m_slots.indexOf(false));
    if (free >= 0) {
        m_slots[free] = true;
        return free;
    }
    m_slots.push_back(true);
    return int(m_slots.size() - 1);
}

int WmfWriter::createPen(int style, int width, const QColor& color)
{
    record(0x02FA, QVector<qint16>{qint16(style), qint16(width), 0} + colorWords(color));
    return takeSlot();
}

int WmfWriter::createBrush(int style, const QColor& color, int hatch)
{
    record(0x02FC, QVector<qint16>{qint16(style)} + colorWords(color) + QVector<qint16>{qint16(hatch)});
    return takeSlot();
}

int WmfWriter::createPlaceholder()
{
    // A font record: height, width, escapement, orientation, weight, flags, face name.
    QByteArray font(18, '\0');
    font.append("Arial");
    font.append(QByteArray(32 - 5, '\0'));
    recordBytes(0x02FB, font);
    return takeSlot();
}

void WmfWriter::select(int object) { record(0x012D, {qint16(object)}); }

void WmfWriter::deleteObject(int object)
{
    record(0x01F0, {qint16(object)});
    if (object >= 0 && object < m_slots.size())
        m_slots[object] = false;
}

void WmfWriter::saveDC() { record(0x001E, {}); }
void WmfWriter::restoreDC(int n) { record(0x0127, {qint16(n)}); }
void WmfWriter::moveTo(int x, int y) { record(0x0214, {qint16(y), qint16(x)}); }
void WmfWriter::lineTo(int x, int y) { record(0x0213, {qint16(y), qint16(x)}); }
void WmfWriter::setPixel(int x, int y, const QColor& color) { record(0x041F, colorWords(color) + QVector<qint16>{qint16(y), qint16(x)}); }
void WmfWriter::rectangle(const QRect& r) { record(0x041B, rectWords(r)); }
void WmfWriter::roundRect(const QRect& r, int cornerW, int cornerH)
{
    record(0x061C, QVector<qint16>{qint16(cornerH), qint16(cornerW)} + rectWords(r));
}
void WmfWriter::ellipse(const QRect& r) { record(0x0418, rectWords(r)); }

void WmfWriter::arcRecord(quint16 function, const QRect& r, QPoint start, QPoint end)
{
    record(function, QVector<qint16>{qint16(end.y()), qint16(end.x()), qint16(start.y()), qint16(start.x())} + rectWords(r));
}

void WmfWriter::arc(const QRect& r, QPoint start, QPoint end) { arcRecord(0x0817, r, start, end); }
void WmfWriter::pie(const QRect& r, QPoint start, QPoint end) { arcRecord(0x081A, r, start, end); }
void WmfWriter::chord(const QRect& r, QPoint start, QPoint end) { arcRecord(0x0830, r, start, end); }

void WmfWriter::polygon(const QVector<QPoint>& points) { record(0x0324, QVector<qint16>{qint16(points.size())} + pointWords(points)); }
void WmfWriter::polyline(const QVector<QPoint>& points) { record(0x0325, QVector<qint16>{qint16(points.size())} + pointWords(points)); }

void WmfWriter::polyPolygon(const QVector<QVector<QPoint>>& polygons)
{
    QVector<qint16> w{qint16(polygons.size())};
    for (const auto& poly : polygons)
        w << qint16(poly.size());
    for (const auto& poly : polygons)
        w += pointWords(poly);
    record(0x0538, w);
}

QByteArray WmfWriter::dib(const QImage& image)
{
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    // A picture of 256 colours keeps them in a table, as office suites write masks.
    (image.format() == QImage::Format_Indexed8 ? image : image.convertToFormat(QImage::Format_RGB32)).save(&buffer, "BMP");
    return bmp.mid(14);
}

void WmfWriter::stretchDib(const QImage& image, const QRect& dest, quint32 rop)
{
    QByteArray params;
    put32(params, rop);
    put16(params, 0); // colours are RGB values
    for (int v : {image.height(), image.width(), 0, 0, dest.height(), dest.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0F43, params + dib(image));
}

void WmfWriter::dibStretchBlt(const QImage& image, const QRect& dest, quint32 rop)
{
    QByteArray params;
    put32(params, rop);
    for (int v : {image.height(), image.width(), 0, 0, dest.height(), dest.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0B41, params + dib(image));
}

void WmfWriter::dibBitBlt(const QImage& image, QPoint dest, quint32 rop)
{
    QByteArray params;
    put32(params, rop);
    for (int v : {0, 0, image.height(), image.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0940, params + dib(image));
}

namespace {
// A Windows 3 bitmap of one bit a pixel, rows top down and word aligned.
QByteArray bitmap16(const QImage& image, bool withPointer)
{
    const int stride = (image.width() + 15) / 16 * 2;
    QByteArray b;
    put16(b, 0);
    put16(b, quint16(image.width()));
    put16(b, quint16(image.height()));
    put16(b, quint16(stride));
    b.append(char(1));
    b.append(char(1));
    if (withPointer)
        b.append(QByteArray(4 + 18, '\0')); // the pointer to the bits and the reserved bytes
    for (int y = 0; y < image.height(); ++y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}
}

void WmfWriter::bitBlt(const QImage& image, QPoint dest, quint32 rop)
{
    QByteArray params;
    put32(params, rop);
    for (int v : {0, 0, image.height(), image.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0922, params + bitmap16(image, false));
}

void WmfWriter::stretchBlt(const QImage& image, const QRect& dest, quint32 rop)
{
    QByteArray params;
    put32(params, rop);
    for (int v : {image.height(), image.width(), 0, 0, dest.height(), dest.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0B23, params + bitmap16(image, false));
}

void WmfWriter::patBlt(const QRect& r, quint32 rop)
{
    record(0x061D, {qint16(rop & 0xFFFF), qint16(rop >> 16), qint16(r.height()), qint16(r.width()), qint16(r.y()), qint16(r.x())});
}

void WmfWriter::shortBlt(quint16 function, const QRect& r, quint32 rop, const QRect& source)
{
    QVector<qint16> w{qint16(rop & 0xFFFF), qint16(rop >> 16)};
    if (function == 0x0B41 || function == 0x0B23)
        w << qint16(source.height()) << qint16(source.width());
    w << qint16(source.y()) << qint16(source.x()) << 0 << qint16(r.height()) << qint16(r.width()) << qint16(r.y()) << qint16(r.x());
    record(function, w);
}

void WmfWriter::setMapMode(int mode) { record(0x0103, {qint16(mode)}); }
void WmfWriter::offsetWindowOrg(int dx, int dy) { record(0x020F, {qint16(dy), qint16(dx)}); }
void WmfWriter::scaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    record(0x0410, {qint16(yDenom), qint16(yNum), qint16(xDenom), qint16(xNum)});
}
void WmfWriter::setViewportOrg(int x, int y) { record(0x020D, {qint16(y), qint16(x)}); }
void WmfWriter::setViewportExt(int x, int y) { record(0x020E, {qint16(y), qint16(x)}); }
void WmfWriter::offsetViewportOrg(int dx, int dy) { record(0x0211, {qint16(dy), qint16(dx)}); }
void WmfWriter::scaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    record(0x0412, {qint16(yDenom), qint16(yNum), qint16(xDenom), qint16(xNum)});
}
void WmfWriter::setRop2(int mode) { record(0x0104, {qint16(mode)}); }
void WmfWriter::setBkColor(const QColor& color) { record(0x0201, colorWords(color)); }
void WmfWriter::setTextColor(const QColor& color) { record(0x0209, colorWords(color)); }
void WmfWriter::setTextAlign(int align) { record(0x012E, {qint16(align)}); }
void WmfWriter::setTextCharExtra(int extra) { record(0x0108, {qint16(extra)}); }
void WmfWriter::setTextJustification(int extra, int count) { record(0x020A, {qint16(count), qint16(extra)}); }

int WmfWriter::createFont(const Font& f)
{
    QByteArray b;
    for (int v : {f.height, f.width, f.escapement, f.escapement, f.weight})
        put16(b, quint16(qint16(v)));
    for (int v : {int(f.italic), int(f.underline), int(f.strikeOut), f.charset, 0, 0, 0, f.pitchAndFamily})
        b.append(char(v));
    b.append(f.face.left(31));
    b.append(QByteArray(32 - std::min<qsizetype>(31, f.face.size()), '\0'));
    return recordObject(0x02FB, b);
}

void WmfWriter::textOut(int x, int y, const QByteArray& text)
{
    QByteArray b;
    put16(b, quint16(text.size()));
    b.append(text);
    if (text.size() % 2)
        b.append('\0');
    put16(b, quint16(qint16(y)));
    put16(b, quint16(qint16(x)));
    recordBytes(0x0521, b);
}

void WmfWriter::extTextOut(int x, int y, int options, const QRect& box, const QByteArray& text, const QVector<int>& dx)
{
    QByteArray b;
    for (int v : {y, x, int(text.size()), options})
        put16(b, quint16(qint16(v)));
    if (options & 6)
        for (int v : {box.left(), box.top(), box.right() + 1, box.bottom() + 1})
            put16(b, quint16(qint16(v)));
    b.append(text);
    if (text.size() % 2)
        b.append('\0');
    for (int d : dx)
        put16(b, quint16(qint16(d)));
    recordBytes(0x0A32, b);
}

void WmfWriter::intersectClipRect(const QRect& r) { record(0x0416, rectWords(r)); }
void WmfWriter::excludeClipRect(const QRect& r) { record(0x0415, rectWords(r)); }

int WmfWriter::createRegion(const QVector<QRect>& rects)
{
    QByteArray scans;
    int count = 0, largest = 0;
    QRect bounds;
    for (int i = 0; i < rects.size();) {
        // One scan for the rectangles that share a top and bottom.
        int j = i;
        QByteArray edges;
        while (j < rects.size() && rects[j].top() == rects[i].top() && rects[j].bottom() == rects[i].bottom()) {
            put16(edges, quint16(qint16(rects[j].left())));
            put16(edges, quint16(qint16(rects[j].right() + 1)));
            bounds = bounds.united(rects[j]);
            ++j;
        }
        const int n = int(edges.size() / 2);
        put16(scans, quint16(n));
        put16(scans, quint16(qint16(rects[i].top())));
        put16(scans, quint16(qint16(rects[i].bottom() + 1)));
        scans.append(edges);
        put16(scans, quint16(n));
        largest = std::max(largest, n);
        ++count;
        i = j;
    }
    QByteArray b;
    put16(b, 0);
    put16(b, 6);
    put32(b, 0);
    put16(b, quint16(22 + scans.size()));
    put16(b, quint16(count));
    put16(b, quint16(largest));
    for (int v : {bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1})
        put16(b, quint16(qint16(v)));
    return recordObject(0x06FF, b + scans);
}

void WmfWriter::selectClipRegion(int region) { record(0x012C, {qint16(region)}); }
void WmfWriter::offsetClipRgn(int dx, int dy) { record(0x0220, {qint16(dy), qint16(dx)}); }
void WmfWriter::fillRegion(int region, int brush) { record(0x0228, {qint16(region), qint16(brush)}); }
void WmfWriter::paintRegion(int region) { record(0x012B, {qint16(region)}); }
void WmfWriter::frameRegion(int region, int brush, int width, int height)
{
    record(0x0429, {qint16(region), qint16(brush), qint16(height), qint16(width)});
}
void WmfWriter::invertRegion(int region) { record(0x012A, {qint16(region)}); }

int WmfWriter::createPatternBrush(const QImage& image) { return recordObject(0x01F9, bitmap16(image, true)); }

int WmfWriter::dibPatternBrush(const QImage& image)
{
    QByteArray b;
    put16(b, 5); // a pattern from a device-independent bitmap
    put16(b, 0); // whose colours are RGB values
    return recordObject(0x0142, b + dib(image));
}

int WmfWriter::createPalette(const QVector<QColor>& colors)
{
    QByteArray b;
    put16(b, 0x0300);
    put16(b, quint16(colors.size()));
    for (const QColor& c : colors) {
        b.append(char(c.red())), b.append(char(c.green())), b.append(char(c.blue())), b.append('\0');
    }
    return recordObject(0x00F7, b);
}

void WmfWriter::selectPalette(int palette) { record(0x0234, {qint16(palette)}); }
void WmfWriter::floodFill(int x, int y, const QColor& border) { record(0x0419, colorWords(border) + QVector<qint16>{qint16(y), qint16(x)}); }
void WmfWriter::extFloodFill(int x, int y, const QColor& color, int mode)
{
    record(0x0548, QVector<qint16>{qint16(mode)} + colorWords(color) + QVector<qint16>{qint16(y), qint16(x)});
}

QByteArray WmfWriter::bytes(bool placeable, const QRect& box, int inch) const
{
    QByteArray out;
    if (placeable) {
        QByteArray head;
        put32(head, 0x9AC6CDD7u);
        put16(head, 0);
        for (int v : {box.left(), box.top(), box.right() + 1, box.bottom() + 1})
            put16(head, quint16(qint16(v)));
        put16(head, quint16(inch));
        put32(head, 0);
        quint16 sum = 0;
        for (int i = 0; i < 20; i += 2)
            sum ^= quint16(uchar(head[i]) | (uchar(head[i + 1]) << 8));
        put16(head, sum);
        out += head;
    }
    QByteArray records = m_records;
    put32(records, 3);
    put16(records, 0x0000);
    put16(out, 1);    // in memory
    put16(out, 9);    // header words
    put16(out, 0x0300);
    put32(out, quint32(9 + records.size() / 2));
    put16(out, quint16(std::max<qsizetype>(m_slots.size(), 0)));
    put32(out, m_largest);
    put16(out, 0);
    return out + records;
}
