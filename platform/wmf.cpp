#include "platform/wmf.h"

#include "platform/bmpreader.h"
#include "platform/picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>
#include <set>
#include <vector>

// Not libwmf: that is old C with a history of security fixes, and a child's colouring pictures
// need only the drawing records below.

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;

enum : quint16 {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102,
    META_SETPOLYFILLMODE = 0x0106,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_OFFSETWINDOWORG = 0x020F,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_SCALEWINDOWEXT = 0x0410,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_POLYPOLYGON = 0x0538,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
};

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Little-endian reads that never pass the end: out of range reads give 0, and callers check
// lengths first.
struct Bytes {
    const uchar* data = nullptr;
    qsizetype size = 0;

    bool has(qsizetype offset, qsizetype length) const { return offset >= 0 && length >= 0 && offset <= size - length; }
    quint16 u16(qsizetype o) const { return has(o, 2) ? quint16(data[o] | (data[o + 1] << 8)) : 0; }
    qint16 s16(qsizetype o) const { return qint16(u16(o)); }
    quint32 u32(qsizetype o) const { return has(o, 4) ? quint32(u16(o)) | (quint32(u16(o + 2)) << 16) : 0; }
    qint32 s32(qsizetype o) const { return qint32(u32(o)); }
    Bytes from(qsizetype o) const { return has(o, 0) ? Bytes{data + o, size - o} : Bytes{}; }
};

QColor colorRef(const Bytes& b, qsizetype o)
{
    return b.has(o, 3) ? QColor(b.data[o], b.data[o + 1], b.data[o + 2]) : QColor(Qt::black);
}

// A device-independent bitmap (header, colour table, pixels) as it is embedded in a record, read
// by the same reader as bitmap files.
QImage decodeDib(const Bytes& dib)
{
    const QByteArray file = bmpFileFromDib(QByteArray::fromRawData(reinterpret_cast<const char*>(dib.data), dib.size));
    if (file.isEmpty())
        return {};
    return bmpFromBytes(file).convertToFormat(QImage::Format_RGB32);
}

struct Pen {
    bool none = false;
    int style = 0;
    double width = 0; // logical units; 0 is one pixel
    QColor color = Qt::black;
};

struct Brush {
    int style = 0; // 0 solid, 1 none, 2 hatched, 5 picture
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

struct Object {
    enum Kind { Free, PenObject, BrushObject, Other } kind = Free;
    Pen pen;
    Brush brush;
};

struct DcState {
    Pen pen;
    Brush brush;
    QPointF windowOrg;
    QPointF windowExt;
    QColor bkColor = Qt::white;
    bool bkOpaque = true;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF position;
};

// Plays the records of one metafile onto an image whose whole area is the window.
class Player {
public:
    Player(QImage& image, QPointF org, QPointF ext, int objects) : m_image(image), m_painter(&image)
    {
        m_dc.windowOrg = org;
        m_dc.windowExt = ext;
        m_objects.resize(std::max(objects, 16));
        for (int i = 0; i < int(m_objects.size()); ++i)
            m_free.insert(i);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }

    void play(quint16 function, const Bytes& p);
    // Whether the file asked for more painting than any real picture needs.
    bool exhausted() const { return m_budget < 0; }

private:
    bool spend(qint64 cost)
    {
        m_budget -= cost;
        return m_budget >= 0;
    }
    bool spendOn(const QRectF& bounds, qint64 elements, double penWidth);
    qint16 w(const Bytes& p, int i) const { return p.s16(qsizetype(i) * 2); }
    double sx() const { return m_image.width() / m_dc.windowExt.x(); }
    double sy() const { return m_image.height() / m_dc.windowExt.y(); }
    QPointF map(double x, double y) const { return {(x - m_dc.windowOrg.x()) * sx(), (y - m_dc.windowOrg.y()) * sy()}; }
    QRectF mapRect(double left, double top, double right, double bottom) const
    {
        return QRectF(map(left, top), map(right, bottom)).normalized();
    }
    QPen pen() const;
    QBrush brush() const;
    void fillAndStroke(const QPainterPath& path);
    void stroke(const QPainterPath& path);
    QPainterPath arcPath(const Bytes& p, int kind) const;
    QPolygonF points(const Bytes& p, int at, int count) const;
    void create(const Object& object);
    void select(int index);
    void restore(int n);
    void drawDib(const Bytes& dib, int xSrc, int ySrc, int srcW, int srcH, int xDst, int yDst, int dstW, int dstH);

    QImage& m_image;
    QPainter m_painter;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<Object> m_objects;
    std::set<int> m_free;
    // Pixels the records may paint in all: a hostile file of many huge shapes must not hang.
    qint64 m_budget = std::max<qint64>(64LL * m_image.width() * m_image.height(), 64LL << 20);
};

QPen Player::pen() const
{
    if (m_dc.pen.none || (m_dc.pen.style & 0x0F) == 5)
        return Qt::NoPen;
    const double width = std::min(m_dc.pen.width * std::abs(sx()), 2.0 * kWmfMaxSide);
    QPen qp(m_dc.pen.color, width < 1 ? 1 : width);
    switch (m_dc.pen.style & 0x0F) {
    case 1: qp.setStyle(Qt::DashLine); break;
    case 2: qp.setStyle(Qt::DotLine); break;
    case 3: qp.setStyle(Qt::DashDotLine); break;
    case 4: qp.setStyle(Qt::DashDotDotLine); break;
    default: qp.setStyle(Qt::SolidLine); break;
    }
    switch (m_dc.pen.style & 0x0F00) {
    case 0x0100: qp.setCapStyle(Qt::SquareCap); break;
    case 0x0200: qp.setCapStyle(Qt::FlatCap); break;
    default: qp.setCapStyle(Qt::RoundCap); break;
    }
    switch (m_dc.pen.style & 0xF000) {
    case 0x1000: qp.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: qp.setJoinStyle(Qt::MiterJoin); break;
    default: qp.setJoinStyle(Qt::RoundJoin); break;
    }
    return qp;
}

QBrush Player::brush() const
{
    const Brush& b = m_dc.brush;
    switch (b.style) {
    case 0: return QBrush(b.color);
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.color, b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case 5: return b.pattern.isNull() ? QBrush(Qt::NoBrush) : QBrush(b.pattern);
    default: return Qt::NoBrush;
    }
}

bool Player::spendOn(const QRectF& bounds, qint64 elements, double penWidth)
{
    const QRectF area = bounds.adjusted(-penWidth, -penWidth, penWidth, penWidth).intersected(QRectF(m_image.rect()));
    return spend(qint64(area.width() * area.height()) + elements * qint64(penWidth + 2) + 16);
}

void Player::fillAndStroke(const QPainterPath& path)
{
    if (!spendOn(path.controlPointRect(), path.elementCount(), pen().widthF()))
        return;
    if (m_dc.brush.style == 2 && m_dc.bkOpaque)
        m_painter.fillPath(path, m_dc.bkColor);
    m_painter.setPen(pen());
    m_painter.setBrush(brush());
    m_painter.drawPath(path);
}

void Player::stroke(const QPainterPath& path)
{
    if (!spendOn(path.controlPointRect(), path.elementCount(), pen().widthF()))
        return;
    m_painter.setPen(pen());
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
}

// Arcs run counter-clockwise from the start radial to the end radial, as seen in logical
// space; a window that mirrors one axis mirrors the direction on the image.
QPainterPath Player::arcPath(const Bytes& p, int kind) const
{
    const QRectF r = mapRect(w(p, 7), w(p, 6), w(p, 5), w(p, 4));
    const QPointF start = map(w(p, 3), w(p, 2));
    const QPointF end = map(w(p, 1), w(p, 0));
    const QPointF c = r.center();
    const double a = std::max(r.width() / 2, 1e-9), b = std::max(r.height() / 2, 1e-9);
    // Angles on the ellipse where the rays through the radial points cross it.
    auto angle = [&](QPointF q) { return qRadiansToDegrees(std::atan2(-(q.y() - c.y()) / b, (q.x() - c.x()) / a)); };
    const double from = angle(start);
    double sweep = angle(end) - from;
    const bool mirrored = (sx() < 0) != (sy() < 0);
    if (mirrored)
        sweep = -sweep;
    while (sweep <= 0)
        sweep += 360;
    while (sweep > 360)
        sweep -= 360;
    if (mirrored)
        sweep = -sweep;
    QPainterPath path;
    if (kind == META_PIE)
        path.moveTo(c);
    else
        path.arcMoveTo(r, from);
    path.arcTo(r, from, sweep);
    if (kind != META_ARC)
        path.closeSubpath();
    return path;
}

QPolygonF Player::points(const Bytes& p, int at, int count) const
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly << map(w(p, at + 2 * i), w(p, at + 2 * i + 1));
    return poly;
}

void Player::create(const Object& object)
{
    // Each new object takes the lowest free slot, as the files expect; with none free it is lost.
    if (m_free.empty())
        return;
    const int slot = *m_free.begin();
    m_free.erase(m_free.begin());
    m_objects[slot] = object;
}

void Player::select(int index)
{
    if (index < 0 || index >= int(m_objects.size()))
        return;
    const Object& o = m_objects[index];
    if (o.kind == Object::PenObject)
        m_dc.pen = o.pen;
    else if (o.kind == Object::BrushObject)
        m_dc.brush = o.brush;
}

void Player::restore(int n)
{
    const int depth = int(m_saved.size());
    const int keep = n < 0 ? depth + n : n - 1; // relative to the top, or a level counted from 1
    if (n == 0 || keep < 0 || keep >= depth)
        return;
    m_dc = m_saved[keep];
    m_saved.resize(keep);
}

void Player::drawDib(const Bytes& dib, int xSrc, int ySrc, int srcW, int srcH, int xDst, int yDst, int dstW, int dstH)
{
    if (srcW == 0 || srcH == 0 || !spend(qint64(dib.size)))
        return;
    const QImage picture = decodeDib(dib);
    if (picture.isNull() || !spend(qint64(picture.width()) * picture.height()))
        return;
    // A bottom-up bitmap counts its source rows from the bottom.
    const bool bottomUp = dib.u32(0) == 12 || dib.s32(8) > 0;
    QRectF source(xSrc, bottomUp ? picture.height() - ySrc - srcH : ySrc, srcW, srcH);
    QImage part = picture.copy(source.normalized().toRect().intersected(picture.rect()));
    if (part.isNull())
        return;
    const bool flipX = (srcW < 0) != ((dstW * sx()) < 0);
    const bool flipY = (srcH < 0) != ((dstH * sy()) < 0);
    if (flipX || flipY)
        part = part.mirrored(flipX, flipY);
    const QRectF target = QRectF(map(xDst, yDst), map(double(xDst) + dstW, double(yDst) + dstH)).normalized();
    if (spendOn(target, 1, 0))
        m_painter.drawImage(target, part);
}

void Player::play(quint16 function, const Bytes& p)
{
    const qsizetype words = p.size / 2;
    switch (function) {
    case META_SAVEDC:
        if (m_saved.size() < 4096)
            m_saved.push_back(m_dc);
        break;
    case META_RESTOREDC:
        if (words >= 1)
            restore(w(p, 0));
        break;
    case META_SETWINDOWORG:
        if (words >= 2)
            m_dc.windowOrg = QPointF(w(p, 1), w(p, 0));
        break;
    case META_OFFSETWINDOWORG:
        if (words >= 2)
            m_dc.windowOrg += QPointF(w(p, 1), w(p, 0));
        break;
    case META_SETWINDOWEXT:
        if (words >= 2 && w(p, 0) != 0 && w(p, 1) != 0)
            m_dc.windowExt = QPointF(w(p, 1), w(p, 0));
        break;
    case META_SCALEWINDOWEXT:
        if (words >= 4 && w(p, 0) != 0 && w(p, 2) != 0 && w(p, 1) != 0 && w(p, 3) != 0)
            m_dc.windowExt = QPointF(m_dc.windowExt.x() * w(p, 3) / w(p, 2), m_dc.windowExt.y() * w(p, 1) / w(p, 0));
        break;
    case META_SETBKCOLOR:
        if (words >= 2)
            m_dc.bkColor = colorRef(p, 0);
        break;
    case META_SETBKMODE:
        if (words >= 1)
            m_dc.bkOpaque = w(p, 0) == 2;
        break;
    case META_SETPOLYFILLMODE:
        if (words >= 1)
            m_dc.fillRule = w(p, 0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case META_CREATEPENINDIRECT:
        if (words >= 5) {
            Object o;
            o.kind = Object::PenObject;
            o.pen.style = p.u16(0);
            o.pen.width = std::abs(w(p, 1));
            o.pen.color = colorRef(p, 6);
            create(o);
        } else {
            create(Object{Object::Other, {}, {}});
        }
        break;
    case META_CREATEBRUSHINDIRECT:
        if (words >= 4) {
            Object o;
            o.kind = Object::BrushObject;
            const int style = p.u16(0);
            o.brush.style = style == 0 || style == 2 ? style : 1;
            o.brush.color = colorRef(p, 2);
            o.brush.hatch = p.u16(6);
            create(o);
        } else {
            create(Object{Object::Other, {}, {}});
        }
        break;
    case META_DIBCREATEPATTERNBRUSH: {
        Object o;
        o.kind = Object::BrushObject;
        o.brush.style = 5;
        if (words >= 2 && p.u16(2) == 0 && spend(p.size))
            o.brush.pattern = decodeDib(p.from(4));
        if (o.brush.pattern.isNull())
            o.brush = Brush{}; // a pattern that cannot be read paints white, like an empty pattern
        create(o);
        break;
    }
    case META_CREATEPALETTE:
    case META_CREATEPATTERNBRUSH:
    case META_CREATEFONTINDIRECT:
    case META_CREATEREGION:
        // Not drawn here, but each still takes its slot so later indexes stay right.
        create(Object{Object::Other, {}, {}});
        break;
    case META_SELECTOBJECT:
        if (words >= 1)
            select(p.u16(0));
        break;
    case META_DELETEOBJECT:
        if (words >= 1 && p.u16(0) < int(m_objects.size()) && m_objects[p.u16(0)].kind != Object::Free) {
            m_objects[p.u16(0)] = Object{};
            m_free.insert(p.u16(0));
        }
        break;
    case META_MOVETO:
        if (words >= 2)
            m_dc.position = QPointF(w(p, 1), w(p, 0));
        break;
    case META_LINETO:
        if (words >= 2) {
            const QPointF to(w(p, 1), w(p, 0));
            QPainterPath path(map(m_dc.position.x(), m_dc.position.y()));
            path.lineTo(map(to.x(), to.y()));
            stroke(path);
            m_dc.position = to;
        }
        break;
    case META_SETPIXEL:
        if (words >= 4) {
            const QPoint at = map(w(p, 3), w(p, 2)).toPoint();
            if (m_image.rect().contains(at))
                m_image.setPixelColor(at, colorRef(p, 0));
        }
        break;
    case META_RECTANGLE:
        if (words >= 4) {
            QPainterPath path;
            path.addRect(mapRect(w(p, 3), w(p, 2), w(p, 1), w(p, 0)));
            fillAndStroke(path);
        }
        break;
    case META_ROUNDRECT:
        if (words >= 6) {
            QPainterPath path;
            path.addRoundedRect(mapRect(w(p, 5), w(p, 4), w(p, 3), w(p, 2)), std::abs(w(p, 1) * sx()) / 2,
                                std::abs(w(p, 0) * sy()) / 2);
            fillAndStroke(path);
        }
        break;
    case META_ELLIPSE:
        if (words >= 4) {
            QPainterPath path;
            path.addEllipse(mapRect(w(p, 3), w(p, 2), w(p, 1), w(p, 0)));
            fillAndStroke(path);
        }
        break;
    case META_ARC:
        if (words >= 8)
            stroke(arcPath(p, META_ARC));
        break;
    case META_PIE:
    case META_CHORD:
        if (words >= 8)
            fillAndStroke(arcPath(p, function));
        break;
    case META_POLYGON:
    case META_POLYLINE:
        if (words >= 1) {
            const int count = w(p, 0);
            if (count <= 0 || 1 + 2 * qint64(count) > words)
                break;
            QPainterPath path;
            path.setFillRule(m_dc.fillRule);
            if (function == META_POLYGON) {
                path.addPolygon(points(p, 1, count));
                path.closeSubpath();
                fillAndStroke(path);
            } else {
                path.addPolygon(points(p, 1, count));
                stroke(path);
            }
        }
        break;
    case META_POLYPOLYGON:
        if (words >= 1) {
            const int polygons = p.u16(0);
            if (1 + qint64(polygons) > words)
                break;
            qint64 total = 0;
            for (int i = 0; i < polygons; ++i)
                total += p.u16(qsizetype(1 + i) * 2);
            if (1 + polygons + 2 * total > words)
                break;
            QPainterPath path;
            path.setFillRule(m_dc.fillRule);
            int at = 1 + polygons;
            for (int i = 0; i < polygons; ++i) {
                const int count = p.u16(qsizetype(1 + i) * 2);
                if (count > 0) {
                    path.addPolygon(points(p, at, count));
                    path.closeSubpath();
                }
                at += 2 * count;
            }
            fillAndStroke(path);
        }
        break;
    case META_PATBLT:
        if (words >= 6) {
            const quint32 rop = p.u32(0);
            const QRectF r = mapRect(w(p, 5), w(p, 4), double(w(p, 5)) + w(p, 3), double(w(p, 4)) + w(p, 2));
            if (!spendOn(r, 1, 0))
                break;
            if (rop == 0x00F00021u)
                m_painter.fillRect(r, brush());
            else if (rop == 0x00000042u)
                m_painter.fillRect(r, Qt::black);
            else if (rop == 0x00FF0062u)
                m_painter.fillRect(r, Qt::white);
        }
        break;
    case META_DIBBITBLT:
        // The short forms have no bitmap and only fill; they are not drawn.
        if (words > 9)
            drawDib(p.from(16), w(p, 3), w(p, 2), w(p, 5), w(p, 4), w(p, 7), w(p, 6), w(p, 5), w(p, 4));
        break;
    case META_DIBSTRETCHBLT:
        if (words > 11)
            drawDib(p.from(20), w(p, 5), w(p, 4), w(p, 3), w(p, 2), w(p, 9), w(p, 8), w(p, 7), w(p, 6));
        break;
    case META_STRETCHDIB:
        // Colour tables of palette indexes need the file's palette, which is not kept.
        if (words >= 11 && p.u16(4) == 0)
            drawDib(p.from(22), w(p, 6), w(p, 5), w(p, 4), w(p, 3), w(p, 10), w(p, 9), w(p, 8), w(p, 7));
        break;
    default:
        break;
    }
}

} // namespace

QImage wmfRead(const QByteArray& raw, QString* error)
{
    Bytes bytes{reinterpret_cast<const uchar*>(raw.constData()), raw.size()};
    qsizetype at = 0;
    bool placeable = false;
    QRect box;
    int inch = 1440;
    if (bytes.u32(0) == kPlaceableKey) {
        if (!bytes.has(0, kPlaceableSize)) {
            setError(error, QStringLiteral("the metafile header is cut short"));
            return {};
        }
        placeable = true;
        box = QRect(QPoint(bytes.s16(6), bytes.s16(8)), QPoint(bytes.s16(10), bytes.s16(12)));
        if (bytes.u16(14) != 0)
            inch = bytes.u16(14);
        at = kPlaceableSize;
    }
    const quint16 type = bytes.u16(at), headerWords = bytes.u16(at + 2);
    if (!bytes.has(at, kHeaderSize) || (type != 1 && type != 2) || headerWords != 9) {
        setError(error, QStringLiteral("it is not a Windows metafile"));
        return {};
    }
    const int objects = bytes.u16(at + 10);
    const qsizetype firstRecord = at + kHeaderSize;

    // Walks the records once to check their sizes and to find the size of a plain metafile.
    QPointF org, ext;
    bool haveExt = false;
    qsizetype end = firstRecord;
    for (qsizetype pos = firstRecord; pos < bytes.size;) {
        if (!bytes.has(pos, 6)) {
            setError(error, QStringLiteral("the metafile is cut short at byte %1").arg(pos));
            return {};
        }
        const qint64 recordBytes = qint64(bytes.u32(pos)) * 2;
        const quint16 function = bytes.u16(pos + 4);
        if (recordBytes < 6) {
            setError(error, QStringLiteral("the metafile has a broken record at byte %1").arg(pos));
            return {};
        }
        if (!bytes.has(pos, recordBytes)) {
            setError(error, QStringLiteral("the metafile is cut short at byte %1").arg(pos));
            return {};
        }
        if (function == META_EOF) {
            end = pos;
            break;
        }
        if (!haveExt && function == META_SETWINDOWEXT && recordBytes >= 10 && bytes.s16(pos + 6) != 0 &&
            bytes.s16(pos + 8) != 0) {
            ext = QPointF(bytes.s16(pos + 8), bytes.s16(pos + 6));
            haveExt = true;
        }
        if (!haveExt && function == META_SETWINDOWORG && recordBytes >= 10)
            org = QPointF(bytes.s16(pos + 8), bytes.s16(pos + 6));
        pos += recordBytes;
        end = pos;
    }

    qint64 width = 0, height = 0;
    if (placeable) {
        width = qRound64(std::abs(double(box.right()) - box.left()) * kWmfPixelsPerInch / inch);
        height = qRound64(std::abs(double(box.bottom()) - box.top()) * kWmfPixelsPerInch / inch);
        org = QPointF(box.left(), box.top());
        ext = QPointF(double(box.right()) - box.left(), double(box.bottom()) - box.top());
        if (ext.x() == 0 || ext.y() == 0)
            width = height = 0;
    } else {
        if (!haveExt) {
            setError(error, QStringLiteral("the metafile gives no size (it has no placeable header and no window extent)"));
            return {};
        }
        width = qRound64(std::abs(ext.x()));
        height = qRound64(std::abs(ext.y()));
    }
    if (width < 1 || height < 1) {
        setError(error, QStringLiteral("the metafile has an empty size"));
        return {};
    }
    if (width > kWmfMaxSide || height > kWmfMaxSide) {
        setError(error, QStringLiteral("the metafile is %1 x %2 pixels, larger than the %3 x %3 allowed")
                            .arg(width).arg(height).arg(kWmfMaxSide));
        return {};
    }

    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        setError(error, QStringLiteral("there is not enough memory for a %1 x %2 picture").arg(width).arg(height));
        return {};
    }
    image.fill(Qt::white);
    {
        Player player(image, org, ext, objects);
        for (qsizetype pos = firstRecord; pos < end && !player.exhausted();) {
            const qsizetype recordBytes = qsizetype(bytes.u32(pos)) * 2;
            player.play(bytes.u16(pos + 4), Bytes{bytes.data + pos + 6, recordBytes - 6});
            pos += recordBytes;
        }
        if (player.exhausted()) {
            setError(error, QStringLiteral("the metafile draws far more than its picture needs"));
            return {};
        }
    }
    return image;
}
