#pragma once
// The metafile player, shared by its files:
//   wmf.cpp         the file header, the record walk and the picture's size
//   wmfrecords.cpp  the record table: which record is played by what, and its shortest length
//   wmfstate.cpp    the device context: objects, saved states, window and viewport
//   wmfdraw.cpp     lines, shapes and fills
//   wmfbitmap.cpp   embedded bitmaps and pattern brushes
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <set>
#include <vector>

namespace wmf {

enum Function : quint16 {
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
    // Parameter words of a record.
    qsizetype words() const { return size / 2; }
    qint16 w(int i) const { return s16(qsizetype(i) * 2); }
};

QColor colorRef(const Bytes& b, qsizetype o);

// A device-independent bitmap as it is embedded in a record; null when it cannot be read.
QImage decodeDib(const Bytes& dib);

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
    Player(QImage& image, QPointF org, QPointF ext, int objects);

    void play(quint16 function, const Bytes& p);
    // Whether the file asked for more painting than any real picture needs.
    bool exhausted() const { return m_budget < 0; }

private:
    using Handler = void (Player::*)(const Bytes& p);
    struct Record {
        quint16 function;
        int words; // fewer parameter words and the record is skipped
        Handler handler;
    };
    static const Record* find(quint16 function);

    // wmfstate.cpp
    void saveDC(const Bytes& p);
    void restoreDC(const Bytes& p);
    void setWindowOrg(const Bytes& p);
    void offsetWindowOrg(const Bytes& p);
    void setWindowExt(const Bytes& p);
    void scaleWindowExt(const Bytes& p);
    void setBkColor(const Bytes& p);
    void setBkMode(const Bytes& p);
    void setPolyFillMode(const Bytes& p);
    void createPen(const Bytes& p);
    void createBrush(const Bytes& p);
    void createPlaceholder(const Bytes& p);
    void selectObject(const Bytes& p);
    void deleteObject(const Bytes& p);
    void moveTo(const Bytes& p);
    void create(const Object& object);
    void select(int index);
    void restore(int n);

    // wmfdraw.cpp
    void lineTo(const Bytes& p);
    void setPixel(const Bytes& p);
    void rectangle(const Bytes& p);
    void roundRect(const Bytes& p);
    void ellipse(const Bytes& p);
    void arc(const Bytes& p);
    void pie(const Bytes& p);
    void chord(const Bytes& p);
    void polygon(const Bytes& p);
    void polyline(const Bytes& p);
    void polyPolygon(const Bytes& p);
    void patBlt(const Bytes& p);
    QPen pen() const;
    QBrush brush() const;
    void fillAndStroke(const QPainterPath& path);
    void stroke(const QPainterPath& path);
    QPainterPath arcPath(const Bytes& p, int kind) const;
    QPolygonF points(const Bytes& p, int at, int count) const;

    // wmfbitmap.cpp
    void dibBitBlt(const Bytes& p);
    void dibStretchBlt(const Bytes& p);
    void stretchDib(const Bytes& p);
    void dibCreatePatternBrush(const Bytes& p);
    void drawDib(const Bytes& dib, int xSrc, int ySrc, int srcW, int srcH, int xDst, int yDst, int dstW, int dstH);

    bool spend(qint64 cost)
    {
        m_budget -= cost;
        return m_budget >= 0;
    }
    bool spendOn(const QRectF& bounds, qint64 elements, double penWidth);
    double sx() const { return m_image.width() / m_dc.windowExt.x(); }
    double sy() const { return m_image.height() / m_dc.windowExt.y(); }
    QPointF map(double x, double y) const { return {(x - m_dc.windowOrg.x()) * sx(), (y - m_dc.windowOrg.y()) * sy()}; }
    QRectF mapRect(double left, double top, double right, double bottom) const
    {
        return QRectF(map(left, top), map(right, bottom)).normalized();
    }

    QImage& m_image;
    QPainter m_painter;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<Object> m_objects;
    std::set<int> m_free;
    // Pixels the records may paint in all: a hostile file of many huge shapes must not hang.
    qint64 m_budget;
};

} // namespace wmf
