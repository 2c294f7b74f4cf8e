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
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bmp.mid(14);
}

void WmfWriter::stretchDib(const QImage& image, const QRect& dest)
{
    QByteArray params;
    put32(params, 0x00CC0020); // copy the source
    put16(params, 0);          // colours are RGB values
    for (int v : {image.height(), image.width(), 0, 0, dest.height(), dest.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0F43, params + dib(image));
}

void WmfWriter::dibStretchBlt(const QImage& image, const QRect& dest)
{
    QByteArray params;
    put32(params, 0x00CC0020);
    for (int v : {image.height(), image.width(), 0, 0, dest.height(), dest.width(), dest.y(), dest.x()})
        put16(params, quint16(qint16(v)));
    recordBytes(0x0B41, params + dib(image));
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
