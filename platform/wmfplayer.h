// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
// The metafile player, shared by its files:
//   wmf.cpp         the file header, the record walk and the picture's size
//   wmfrecords.cpp  the record table: which record is played by what, and its shortest length
//   wmfstate.cpp    the device context: objects, saved states, window and viewport, clipping
//   wmfdraw.cpp     lines, shapes, regions, fills and raster operations
//   wmftext.cpp     fonts and text
//   wmfbitmap.cpp   embedded bitmaps and pattern brushes
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRegion>
#include <optional>
#include <set>
#include <vector>

namespace wmf {

enum Function : quint16 {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_REALIZEPALETTE = 0x0035,
    META_SETPALENTRIES = 0x0037,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETRELABS = 0x0105,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_RESTOREDC = 0x0127,
    META_INVERTREGION = 0x012A,
    META_PAINTREGION = 0x012B,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_RESIZEPALETTE = 0x0139,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_SETLAYOUT = 0x0149,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETTEXTJUSTIFICATION = 0x020A,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_OFFSETCLIPRGN = 0x0220,
    META_FILLREGION = 0x0228,
    META_SETMAPPERFLAGS = 0x0231,
    META_SELECTPALETTE = 0x0234,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_FLOODFILL = 0x0419,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_FRAMEREGION = 0x0429,
    META_ANIMATEPALETTE = 0x0436,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_EXTFLOODFILL = 0x0548,
    META_ROUNDRECT = 0x061C,
    META_PATBLT = 0x061D,
    META_ESCAPE = 0x0626,
    META_CREATEREGION = 0x06FF,
    META_ARC = 0x0817,
    META_PIE = 0x081A,
    META_CHORD = 0x0830,
    META_BITBLT = 0x0922,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHBLT = 0x0B23,
    META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33,
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
    QByteArray bytes(qsizetype o, qsizetype n) const
    {
        return has(o, n) ? QByteArray(reinterpret_cast<const char*>(data + o), n) : QByteArray();
    }
    // Parameter words of a record.
    qsizetype words() const { return size / 2; }
    qint16 w(int i) const { return s16(qsizetype(i) * 2); }
};

// A device-independent bitmap as it is embedded in a record; null when it cannot be read.
// palette gives the colours of a table of palette indexes (colour use 1).
QImage decodeDib(const Bytes& dib, int colorUse = 0, const std::vector<QColor>* palette = nullptr);

struct Pen {
    int style = 0; // the low four bits: 0 solid ... 4 dash-dot-dot, 5 none, 6 inside the frame
    double width = 0; // logical units; 0 is one pixel
    QColor color = Qt::black;
};

struct Brush {
    int style = 0; // 0 solid, 1 none, 2 hatched, 3 and 5 picture
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
    bool mono = false; // a two-colour pattern shown in the text and background colours
};

struct Font {
    QByteArray face;
    int height = 0; // logical units: below 0 the character height, above 0 the cell height
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    int pitchAndFamily = 0;
};

// A region as the file gives it: rectangles in logical units.
struct Region {
    std::vector<QRect> rects;
};

struct Object {
    enum Kind { Free, PenObject, BrushObject, FontObject, RegionObject, PaletteObject, Other } kind = Free;
    Pen pen;
    Brush brush;
    Font font;
    Region region;
    std::vector<QColor> palette;
};

struct DcState {
    Pen pen;
    Brush brush;
    Font font;
    QPointF windowOrg;
    QPointF windowExt;
    QPointF viewportOrg;
    QPointF viewportExt;
    bool isotropic = false;
    QColor bkColor = Qt::white;
    bool bkOpaque = true;
    QColor textColor = Qt::black;
    int rop2 = 13; // copy the pen
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int stretchMode = 1;
    int textAlign = 0;
    int charExtra = 0;
    int breakExtra = 0;
    int breakCount = 0;
    QPointF position;
    bool clipped = false;
    QRegion clip; // picture pixels
    int palette = -1; // the selected palette's object
};

// A font record's text as characters, each with the number of bytes it came from (for the
// spacing array): Symbol and Wingdings to the Unicode signs they show, other fonts by the code
// page of their character set. And the installed family that stands in for a Windows face.
struct TextUnit {
    QString text;
    int bytes = 1;
};
std::vector<TextUnit> decodeText(const QByteArray& bytes, const Font& font);
QString familyFor(const Font& font);

// Where the picture lies in the file's logical space, and how large it is painted.
struct Frame {
    QPointF org;
    QPointF ext;
    double pixelScale = 1; // painted pixels to the pixels of the picture at its own size
};

// Plays the records of one metafile onto an image whose whole area is the frame.
class Player {
public:
    Player(QImage& image, const Frame& frame, int objects);

    void play(quint16 function, const Bytes& p);
    // After the last record: a transparency mask still waiting for its colours is drawn as it is.
    void finish();
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
    void setMapMode(const Bytes& p);
    void setWindowOrg(const Bytes& p);
    void offsetWindowOrg(const Bytes& p);
    void setWindowExt(const Bytes& p);
    void scaleWindowExt(const Bytes& p);
    void setViewportOrg(const Bytes& p);
    void offsetViewportOrg(const Bytes& p);
    void setViewportExt(const Bytes& p);
    void scaleViewportExt(const Bytes& p);
    void setBkColor(const Bytes& p);
    void setBkMode(const Bytes& p);
    void setTextColor(const Bytes& p);
    void setRop2(const Bytes& p);
    void setPolyFillMode(const Bytes& p);
    void setStretchBltMode(const Bytes& p);
    void setTextAlign(const Bytes& p);
    void setTextCharExtra(const Bytes& p);
    void setTextJustification(const Bytes& p);
    void createPen(const Bytes& p);
    void createBrush(const Bytes& p);
    void createFont(const Bytes& p);
    void createRegion(const Bytes& p);
    void createPalette(const Bytes& p);
    void createPlaceholder(const Bytes& p);
    void selectObject(const Bytes& p);
    void selectPalette(const Bytes& p);
    void setPalEntries(const Bytes& p);
    void resizePalette(const Bytes& p);
    void deleteObject(const Bytes& p);
    void moveTo(const Bytes& p);
    void intersectClipRect(const Bytes& p);
    void excludeClipRect(const Bytes& p);
    void selectClipRegion(const Bytes& p);
    void offsetClipRgn(const Bytes& p);
    void ignore(const Bytes&) {}
    void create(const Object& object);
    void restore(int n);
    void setClip(const QRegion& clip);
    const Object* object(int index, Object::Kind kind) const;
    QColor color(const Bytes& b, qsizetype o) const;

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
    void fillRegion(const Bytes& p);
    void paintRegion(const Bytes& p);
    void frameRegion(const Bytes& p);
    void invertRegion(const Bytes& p);
    void floodFill(const Bytes& p);
    void extFloodFill(const Bytes& p);
    QPen pen() const;
    QBrush brush(const Brush& b) const;
    QBrush brush() const { return brush(m_dc.brush); }
    bool usePenMix(QPen& pen, QBrush& brush);
    void fillAndStroke(const QPainterPath& path);
    void stroke(const QPainterPath& path);
    QRectF frameRect(double left, double top, double right, double bottom) const;
    QPainterPath arcPath(const Bytes& p, int kind) const;
    QPolygonF points(const Bytes& p, int at, int count) const;
    QRegion deviceRegion(const Region& region) const;
    void fillDeviceRegion(const QRegion& region, const Brush& brush);
    void flood(QPoint at, QRgb color, bool surface);

    // Raster operations on a block of picture pixels (wmfdraw.cpp): the brush, an optional
    // source already scaled to the block, and what is there.
    void blit(const QRect& target, const QImage* source, quint32 rop);
    void shortBlt(const Bytes& p, int heightAt, quint32 rop);

    // wmftext.cpp
    void textOut(const Bytes& p);
    void extTextOut(const Bytes& p);
    void drawText(QPointF at, const QByteArray& text, const std::vector<int>& dx, int options, const QRectF& box);

    // wmfbitmap.cpp
    void dibBitBlt(const Bytes& p);
    void dibStretchBlt(const Bytes& p);
    void stretchDib(const Bytes& p);
    void bitBlt(const Bytes& p);
    void stretchBlt(const Bytes& p);
    void dibCreatePatternBrush(const Bytes& p);
    void createPatternBrush(const Bytes& p);
    QImage bitmap16(const Bytes& b, bool forBrush) const;
    void drawBitmap(const QImage& picture, bool bottomUp, quint32 rop, int xSrc, int ySrc, int srcW, int srcH, int xDst,
                    int yDst, int dstW, int dstH);
    // An office suite writes a picture with partial transparency (shadows, glows, shading) as two
    // bitmaps on one place: its opacity as a grey mask ORed in (SRCPAINT), then its colours,
    // white where it is clear, ANDed in (SRCAND). By the letter a black shadow paints black
    // wherever the mask is not quite clear, so the mask waits for its colours and the pair is
    // drawn as the transparency it stands for; a mask followed by anything else is drawn as it is.
    struct Mask {
        QRect target;  // picture pixels, uncut
        QRect visible; // the part inside the picture
        QImage grey;   // scaled to visible
    };
    void drawWaitingMask();
    void drawTransparent(const QRect& visible, const QImage& colours, const QImage& grey);

    bool spend(qint64 cost)
    {
        m_budget -= cost;
        return m_budget >= 0;
    }
    bool spendOn(const QRectF& bounds, qint64 elements, double penWidth);
    // Logical units to picture pixels: through the window and viewport onto the frame.
    double sx() const;
    double sy() const;
    QPointF map(double x, double y) const;
    QRectF mapRect(double left, double top, double right, double bottom) const
    {
        return QRectF(map(left, top), map(right, bottom)).normalized();
    }
    // A rectangle of logical units as the whole pixels it covers.
    QRect pixelRect(double left, double top, double right, double bottom) const;
    void applyClip();

    QImage& m_image;
    QPainter m_painter;
    Frame m_frame;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<Object> m_objects;
    std::set<int> m_free; // slots freed by deletion; new objects take the lowest
    int m_slots;          // how many slots the file's header asks for
    bool m_clipApplied = false;
    std::optional<Mask> m_mask;
    // Pixels the records may paint in all: a hostile file of many huge shapes must not hang.
    qint64 m_budget;
};

} // namespace wmf
