// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
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
    void stretchDib(const QImage& image, const QRect& dest, quint32 rop = 0x00CC0020);
    void dibStretchBlt(const QImage& image, const QRect& dest, quint32 rop = 0x00CC0020);
    void dibBitBlt(const QImage& image, QPoint dest, quint32 rop = 0x00CC0020);
    // A Windows 3 bitmap (one bit a pixel: set pixels are the ones that are not black).
    void bitBlt(const QImage& image, QPoint dest, quint32 rop = 0x00CC0020);
    void stretchBlt(const QImage& image, const QRect& dest, quint32 rop = 0x00CC0020);
    // The bit-block records without a bitmap: rect filled with the brush by rop, with the
    // picture's own source rectangle for the operations that take one.
    void patBlt(const QRect& r, quint32 rop);
    void shortBlt(quint16 function, const QRect& r, quint32 rop, const QRect& source = {});

    void setMapMode(int mode);
    void offsetWindowOrg(int dx, int dy);
    void scaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    void setViewportOrg(int x, int y);
    void setViewportExt(int x, int y);
    void offsetViewportOrg(int dx, int dy);
    void scaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    void setRop2(int mode);
    void setBkColor(const QColor& color);
    void setTextColor(const QColor& color);
    void setTextAlign(int align);
    void setTextCharExtra(int extra);
    void setTextJustification(int extra, int count);

    struct Font {
        QByteArray face = "Arial";
        int height = -20; // below 0 the character height, above 0 the cell height
        int width = 0;
        int escapement = 0;
        int weight = 400;
        bool italic = false, underline = false, strikeOut = false;
        int charset = 0;
        int pitchAndFamily = 0;
    };
    int createFont(const Font& font);
    void textOut(int x, int y, const QByteArray& text);
    void extTextOut(int x, int y, int options, const QRect& box, const QByteArray& text, const QVector<int>& dx = {});

    void intersectClipRect(const QRect& r);
    void excludeClipRect(const QRect& r);
    // A region of rectangles, each band of one height given together (top to bottom).
    int createRegion(const QVector<QRect>& rects);
    void selectClipRegion(int region);
    void offsetClipRgn(int dx, int dy);
    void fillRegion(int region, int brush);
    void paintRegion(int region);
    void frameRegion(int region, int brush, int width, int height);
    void invertRegion(int region);

    int createPatternBrush(const QImage& image); // a Windows 3 bitmap of one bit a pixel
    int dibPatternBrush(const QImage& image);
    int createPalette(const QVector<QColor>& colors);
    void selectPalette(int palette);
    void floodFill(int x, int y, const QColor& border);
    void extFloodFill(int x, int y, const QColor& color, int mode);

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
