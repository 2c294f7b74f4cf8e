#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QVector>

// Writes Windows metafiles record by record, for the tests and the sample theme generator.
// Objects take the lowest free slot, as a player hands them out.
class WmfWriter {
public:
    // A raw record: function and parameter words (or bytes, padded to a whole word).
    void record(quint16 function, const QVector<qint16>& words);
    void recordBytes(quint16 function, const QByteArray& params);
    // A raw record that creates an object; gives the object's slot.
    int recordObject(quint16 function, const QByteArray& params);

    void setWindowOrg(int x, int y);
    void setWindowExt(int x, int y);
    void setBkMode(int mode);
    void setPolyFillMode(int mode);
    int createPen(int style, int width, const QColor& color);
    int createBrush(int style, const QColor& color, int hatch = 0);
    int createPlaceholder(); // a font, the kind of object a player takes a slot for but does not draw
    void select(int object);
    void deleteObject(int object);
    void saveDC();
    void restoreDC(int n);
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void setPixel(int x, int y, const QColor& color);
    void rectangle(const QRect& r);
    void roundRect(const QRect& r, int cornerW, int cornerH);
    void ellipse(const QRect& r);
    void arc(const QRect& r, QPoint start, QPoint end);
    void pie(const QRect& r, QPoint start, QPoint end);
    void chord(const QRect& r, QPoint start, QPoint end);
    void polygon(const QVector<QPoint>& points);
    void polyline(const QVector<QPoint>& points);
    void polyPolygon(const QVector<QVector<QPoint>>& polygons);
    // The image as a device-independent bitmap, stretched into dest.
    void stretchDib(const QImage& image, const QRect& dest);
    void dibStretchBlt(const QImage& image, const QRect& dest);

    // The whole file: a placeable header for box (in units of inch per inch) when placeable,
    // the metafile header, the records and the closing record.
    QByteArray bytes(bool placeable, const QRect& box = {}, int inch = 1440) const;

    // A bitmap's bytes as they are embedded: the BMP file without its 14-byte file header.
    static QByteArray dib(const QImage& image);

private:
    int takeSlot();
    void arcRecord(quint16 function, const QRect& r, QPoint start, QPoint end);

    QByteArray m_records;
    quint32 m_largest = 3;
    QVector<bool> m_slots;
};
