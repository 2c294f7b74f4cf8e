// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "metafilecorpus.h"

#include "bitmapcorpus.h"
#include "bmpwriter.h"
#include "wmfwriter.h"

#include <functional>

namespace {

// 2000 x 1500 units at 960 to the inch: 200 x 150 pixels, ten units a pixel.
const QRect kPage(0, 0, 2000, 1500);
constexpr int kInch = 960;

using Drawing = std::function<void(WmfWriter&)>;

int pen(WmfWriter& w, int style, int width, const QColor& c)
{
    const int p = w.createPen(style, width, c);
    w.select(p);
    return p;
}

int brush(WmfWriter& w, int style, const QColor& c, int hatch = 0)
{
    const int b = w.createBrush(style, c, hatch);
    w.select(b);
    return b;
}

int font(WmfWriter& w, const QByteArray& face, int height, int weight = 400, int escapement = 0)
{
    WmfWriter::Font f;
    f.face = face;
    f.height = height;
    f.weight = weight;
    f.escapement = escapement;
    const int id = w.createFont(f);
    w.select(id);
    return id;
}

// Things to draw over, so that raster operations and clipping have something to work on.
void ground(WmfWriter& w)
{
    pen(w, 5, 0, Qt::black);
    brush(w, 0, QColor(255, 200, 0));
    w.rectangle(QRect(0, 0, 1000, 1500));
    brush(w, 0, QColor(0, 90, 200));
    w.rectangle(QRect(1000, 0, 1000, 1500));
    brush(w, 0, QColor(40, 160, 40));
    w.ellipse(QRect(500, 400, 1000, 700));
}

void cross(WmfWriter& w, int x, int y)
{
    w.moveTo(x - 60, y);
    w.lineTo(x + 60, y);
    w.moveTo(x, y - 60);
    w.lineTo(x, y + 60);
}

QImage checker(int side, QRgb a, QRgb b)
{
    QImage img(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            img.setPixel(x, y, ((x / 2 + y / 2) % 2) ? a : b);
    return img;
}

QImage picture()
{
    QImage img(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            img.setPixel(x, y, qRgb(x * 10, y * 15, 255 - x * 10));
    return img;
}

QImage smiley()
{
    // Black on white: what a two-colour bitmap of Windows 3 holds.
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = x - 8, dy = y - 8;
            const bool ring = dx * dx + dy * dy <= 56 && dx * dx + dy * dy >= 30;
            const bool eyes = (y == 6 && (x == 6 || x == 10));
            const bool mouth = y == 10 && x >= 6 && x <= 10;
            if (ring || eyes || mouth)
                img.setPixel(x, y, 0xFF000000);
        }
    return img;
}

} // namespace

QList<MetafileSample> metafileSamples()
{
    QList<MetafileSample> out;
    auto add = [&out](const char* name, const char* what, const Drawing& draw, bool placeable = true) {
        WmfWriter w;
        if (!placeable) {
            w.setWindowOrg(0, 0);
            w.setWindowExt(kPage.width() / 10, kPage.height() / 10);
        } else {
            w.setMapMode(8);
            w.setWindowOrg(0, 0);
            w.setWindowExt(kPage.width(), kPage.height());
        }
        draw(w);
        out.push_back({QString::fromLatin1(name) + QStringLiteral(".wmf"), QString::fromLatin1(what),
                       placeable ? w.bytes(true, kPage, kInch) : w.bytes(false)});
    };

    add("lines", "MOVETO, LINETO, POLYLINE with every pen style and three widths", [](WmfWriter& w) {
        for (int style = 0; style <= 5; ++style) {
            pen(w, style, 0, Qt::black);
            w.moveTo(100, 100 + style * 100);
            w.lineTo(900, 100 + style * 100);
        }
        for (int i = 0; i < 3; ++i) {
            pen(w, 0, 20 + i * 40, QColor(200, 0, 0));
            w.polyline({QPoint(1100, 150 + i * 400), QPoint(1400, 400 + i * 400), QPoint(1800, 150 + i * 400)});
        }
        pen(w, 0x2200, 60, QColor(0, 0, 200)); // flat ends, mitred joins
        w.polyline({QPoint(200, 800), QPoint(500, 1300), QPoint(800, 800)});
    });
    add("shapes", "RECTANGLE, ROUNDRECT, ELLIPSE, POLYGON, ARC, PIE, CHORD", [](WmfWriter& w) {
        pen(w, 0, 20, Qt::black);
        brush(w, 0, QColor(255, 0, 0));
        w.rectangle(QRect(100, 100, 500, 400));
        brush(w, 0, QColor(0, 160, 0));
        w.roundRect(QRect(700, 100, 500, 400), 200, 150);
        brush(w, 0, QColor(0, 0, 255));
        w.ellipse(QRect(1300, 100, 600, 400));
        brush(w, 0, QColor(255, 255, 0));
        w.polygon({QPoint(100, 1400), QPoint(350, 700), QPoint(600, 1400)});
        w.arc(QRect(700, 700, 500, 500), QPoint(1200, 950), QPoint(950, 700));
        brush(w, 0, QColor(255, 0, 255));
        w.pie(QRect(1100, 800, 500, 500), QPoint(1350, 800), QPoint(1600, 1050));
        brush(w, 0, QColor(0, 255, 255));
        w.chord(QRect(1500, 800, 450, 600), QPoint(1500, 1100), QPoint(1950, 1100));
    });
    add("polypolygon", "POLYPOLYGON in the alternate and winding fill modes", [](WmfWriter& w) {
        pen(w, 0, 10, Qt::black);
        brush(w, 0, QColor(200, 80, 0));
        const QVector<QVector<QPoint>> rings{{QPoint(100, 100), QPoint(900, 100), QPoint(900, 1300), QPoint(100, 1300)},
                                             {QPoint(300, 300), QPoint(700, 300), QPoint(700, 1100), QPoint(300, 1100)}};
        w.polyPolygon(rings);
        w.setPolyFillMode(2);
        QVector<QVector<QPoint>> moved = rings;
        for (auto& ring : moved)
            for (QPoint& p : ring)
                p += QPoint(1000, 0);
        w.polyPolygon(moved);
    });
    add("hatches", "hatched brushes on opaque and transparent backgrounds", [](WmfWriter& w) {
        pen(w, 0, 0, Qt::black);
        w.setBkColor(QColor(255, 255, 180));
        for (int h = 0; h < 6; ++h) {
            brush(w, 2, QColor(0, 0, 160), h);
            w.setBkMode(2);
            w.rectangle(QRect(100 + h * 310, 100, 280, 550));
            w.setBkMode(1);
            w.rectangle(QRect(100 + h * 310, 800, 280, 550));
        }
    });
    add("rop2", "SETROP2: each of the sixteen mixes over four colours", [](WmfWriter& w) {
        ground(w);
        for (int mode = 1; mode <= 16; ++mode) {
            w.setRop2(mode);
            pen(w, 5, 0, Qt::black);
            brush(w, 0, QColor(255, 0, 128));
            w.rectangle(QRect(50 + (mode - 1) % 8 * 240, 100 + (mode - 1) / 8 * 700, 200, 600));
        }
    });
    add("viewport", "SETVIEWPORTORG, SETVIEWPORTEXT, OFFSETVIEWPORTORG, SCALEVIEWPORTEXT, OFFSETWINDOWORG, SCALEWINDOWEXT", [](WmfWriter& w) {
        pen(w, 0, 10, Qt::black);
        brush(w, 0, QColor(255, 0, 0));
        w.rectangle(QRect(100, 100, 400, 400));
        w.setViewportOrg(1000, 0); // the same shape moved right
        brush(w, 0, QColor(0, 200, 0));
        w.rectangle(QRect(100, 100, 400, 400));
        w.setViewportExt(1000, 750); // and at half size
        brush(w, 0, QColor(0, 0, 255));
        w.rectangle(QRect(1000, 1000, 400, 400));
        w.offsetViewportOrg(-1000, 0);
        w.scaleViewportExt(3, 2, 3, 2);
        brush(w, 0, QColor(255, 200, 0));
        w.ellipse(QRect(100, 800, 400, 400));
        w.offsetWindowOrg(-300, 0);
        w.scaleWindowExt(2, 1, 2, 1);
        brush(w, 0, QColor(200, 0, 200));
        w.ellipse(QRect(100, 100, 300, 300));
    });
    add("isotropic", "SETMAPMODE isotropic: equal scales whatever the extents", [](WmfWriter& w) {
        w.setMapMode(7);
        w.setWindowExt(1000, 1000);
        w.setViewportExt(2000, 1500);
        pen(w, 0, 10, Qt::black);
        brush(w, 0, QColor(0, 128, 255));
        w.ellipse(QRect(0, 0, 1000, 1000));
    });
    add("clip-rect", "INTERSECTCLIPRECT and EXCLUDECLIPRECT, kept through a window change", [](WmfWriter& w) {
        w.intersectClipRect(QRect(200, 200, 1600, 1100));
        w.excludeClipRect(QRect(800, 500, 400, 400));
        w.setWindowOrg(100, 0); // clipping stays where it was set
        ground(w);
        pen(w, 0, 40, Qt::black);
        w.moveTo(0, 0);
        w.lineTo(2000, 1500);
    });
    add("clip-region", "CREATEREGION, SELECTCLIPREGION, OFFSETCLIPRGN, SAVEDC and RESTOREDC of the clip", [](WmfWriter& w) {
        const int region = w.createRegion({QRect(100, 100, 300, 300), QRect(600, 100, 300, 300), QRect(100, 400, 800, 300)});
        w.saveDC();
        w.selectClipRegion(region);
        ground(w);
        w.offsetClipRgn(1000, 700);
        brush(w, 0, QColor(120, 0, 120));
        w.rectangle(QRect(0, 0, 2000, 1500));
        w.restoreDC(-1);
        pen(w, 0, 30, Qt::red);
        w.moveTo(0, 1400);
        w.lineTo(2000, 1400);
    });
    add("regions", "FILLREGION, PAINTREGION, FRAMEREGION, INVERTREGION", [](WmfWriter& w) {
        ground(w);
        const int a = w.createRegion({QRect(100, 100, 700, 300), QRect(100, 400, 300, 300)});
        const int b = w.createRegion({QRect(1100, 100, 700, 500)});
        const int c = w.createRegion({QRect(300, 900, 600, 400)});
        const int d = w.createRegion({QRect(1200, 900, 600, 400), QRect(1400, 1300, 200, 100)});
        const int red = w.createBrush(0, Qt::red);
        w.fillRegion(a, red);
        brush(w, 2, QColor(0, 0, 0), 4);
        w.paintRegion(b);
        w.frameRegion(c, red, 60, 40);
        w.invertRegion(d);
    });
    add("patblt", "PATBLT with the pattern copy, pattern invert, destination invert, black and white", [](WmfWriter& w) {
        ground(w);
        brush(w, 0, QColor(255, 0, 0));
        w.patBlt(QRect(100, 100, 300, 1300), 0x00F00021);
        w.patBlt(QRect(450, 100, 300, 1300), 0x005A0049);
        w.patBlt(QRect(800, 100, 300, 1300), 0x00550009);
        w.patBlt(QRect(1150, 100, 300, 1300), 0x00000042);
        brush(w, 2, QColor(0, 0, 0), 5);
        w.patBlt(QRect(1500, 100, 300, 1300), 0x00F00021);
    });
    add("blt-fills", "DIBBITBLT, DIBSTRETCHBLT, BITBLT and STRETCHBLT without a bitmap: table rules and header bars", [](WmfWriter& w) {
        brush(w, 0, QColor(0, 0, 120));
        w.shortBlt(0x0940, QRect(100, 100, 1800, 200), 0x00F00021); // the header bar
        brush(w, 0, QColor(0, 0, 0));
        for (int row = 0; row < 5; ++row)
            w.shortBlt(0x0B41, QRect(100, 400 + row * 220, 1800, 20), 0x00F00021); // rules
        for (int col = 0; col < 4; ++col)
            w.shortBlt(0x0922, QRect(100 + col * 590, 400, 20, 900), 0x00F00021);
        brush(w, 0, QColor(255, 230, 0));
        w.shortBlt(0x0B23, QRect(710, 630, 570, 180), 0x00F00021);
    });
    add("bitmaps", "STRETCHDIB, DIBSTRETCHBLT, DIBBITBLT of a colour bitmap, stretched and mirrored", [](WmfWriter& w) {
        w.stretchDib(picture(), QRect(100, 100, 800, 600));
        w.dibStretchBlt(picture(), QRect(1000, 100, 900, 500));
        w.dibBitBlt(picture(), QPoint(100, 900));
        w.stretchDib(picture(), QRect(1900, 1400, -800, -600)); // mirrored both ways
    });
    add("bitmap-rops", "bitmaps with the AND, OR, XOR and inverted copy operations", [](WmfWriter& w) {
        ground(w);
        const QImage img = checker(16, qRgb(255, 255, 255), qRgb(0, 0, 0));
        w.stretchDib(img, QRect(100, 100, 400, 600), 0x008800C6);
        w.stretchDib(img, QRect(550, 100, 400, 600), 0x00EE0086);
        w.stretchDib(img, QRect(1000, 100, 400, 600), 0x00660046);
        w.stretchDib(img, QRect(1450, 100, 400, 600), 0x00330008);
        brush(w, 0, QColor(255, 0, 0));
        w.stretchDib(img, QRect(100, 800, 800, 600), 0x00C000CA); // the brush AND the source
    });
    add("bitmap16", "BITBLT and STRETCHBLT of a two-colour Windows 3 bitmap in the text and background colours", [](WmfWriter& w) {
        w.bitBlt(smiley(), QPoint(100, 100));
        w.setTextColor(QColor(200, 0, 0));
        w.setBkColor(QColor(255, 255, 160));
        w.stretchBlt(smiley(), QRect(400, 100, 1400, 1300));
    });
    add("bitmap-rle", "an embedded RLE8 bitmap whose codes skip pixels", [](WmfWriter& w) {
        BmpKind rle;
        rle.bits = 8;
        rle.compression = 1;
        rle.skipIndex = 7;
        const QByteArray file = bmpWrite(palettePicture(256, 7), rle);
        QByteArray params(22, '\0');
        const quint32 rop = 0x00CC0020;
        for (int i = 0; i < 4; ++i)
            params[i] = char((rop >> (8 * i)) & 0xFF);
        const int values[] = {23, 37, 0, 0, 230, 370, 100, 100}; // a pixel for a pixel
        for (int i = 0; i < 8; ++i) {
            params[6 + 2 * i] = char(values[i] & 0xFF);
            params[7 + 2 * i] = char((values[i] >> 8) & 0xFF);
        }
        w.recordBytes(0x0F43, params + file.mid(14));
    });
    add("patterns", "DIBCREATEPATTERNBRUSH and CREATEPATTERNBRUSH (two colours in the text and background colours)", [](WmfWriter& w) {
        pen(w, 0, 10, Qt::black);
        w.select(w.dibPatternBrush(checker(8, qRgb(255, 0, 0), qRgb(255, 255, 255))));
        w.rectangle(QRect(100, 100, 800, 1300));
        w.setTextColor(QColor(0, 0, 200));
        w.setBkColor(QColor(200, 255, 200));
        w.select(w.createPatternBrush(checker(8, qRgb(255, 255, 255), qRgb(0, 0, 0))));
        w.ellipse(QRect(1000, 100, 900, 1300));
    });
    add("palette", "CREATEPALETTE, SELECTPALETTE, colours given as palette entries", [](WmfWriter& w) {
        w.selectPalette(w.createPalette({QColor(255, 0, 0), QColor(0, 160, 0), QColor(0, 0, 255)}));
        for (int i = 0; i < 3; ++i) {
            w.select(w.createPen(5, 0, Qt::black));
            // A solid brush whose colour is palette entry i.
            w.select(w.recordObject(0x02FC, QByteArray("\0\0", 2) + char(i) + QByteArray("\0\0\x01\0\0", 5)));
            w.rectangle(QRect(100 + i * 620, 100, 560, 1300));
        }
    });
    add("floodfill", "FLOODFILL to a border and EXTFLOODFILL of a surface", [](WmfWriter& w) {
        pen(w, 0, 30, Qt::black);
        brush(w, 1, Qt::white);
        w.ellipse(QRect(100, 100, 800, 1300));
        w.rectangle(QRect(1100, 100, 800, 1300));
        brush(w, 0, QColor(255, 128, 0));
        w.floodFill(500, 750, Qt::black);
        brush(w, 2, QColor(0, 0, 255), 3);
        w.extFloodFill(1500, 750, Qt::white, 1);
    });
    add("setpixel", "SETPIXEL", [](WmfWriter& w) {
        for (int i = 0; i < 150; ++i)
            w.setPixel(100 + i * 12, 100 + (i * 37) % 1300, QColor((i * 40) % 256, 0, 255 - (i * 40) % 256));
    });
    add("savedc", "SAVEDC and RESTOREDC of pens, brushes, fonts, colours, window and clip", [](WmfWriter& w) {
        pen(w, 0, 20, Qt::black);
        brush(w, 0, QColor(255, 0, 0));
        font(w, "Arial", -200);
        w.setTextColor(QColor(0, 0, 200));
        w.saveDC();
        brush(w, 0, QColor(0, 200, 0));
        font(w, "Courier New", -120);
        w.setTextColor(QColor(200, 0, 0));
        w.setWindowExt(4000, 3000);
        w.intersectClipRect(QRect(0, 0, 1000, 700));
        w.rectangle(QRect(0, 0, 4000, 3000));
        w.textOut(100, 100, "inner");
        w.restoreDC(-1);
        w.rectangle(QRect(1000, 800, 900, 600));
        w.textOut(1050, 850, "outer");
    });
    add("text-fonts", "TEXTOUT in Arial, Times New Roman and Courier New: sizes, weights, italic, underline, strike-out", [](WmfWriter& w) {
        w.setBkMode(1);
        int y = 50;
        const QByteArray faces[] = {"Arial", "Times New Roman", "Courier New"};
        for (const QByteArray& face : faces) {
            WmfWriter::Font f;
            f.face = face;
            f.height = -180;
            w.select(w.createFont(f));
            w.textOut(50, y, face + " Ag");
            f.weight = 700;
            f.italic = true;
            f.height = -140;
            w.select(w.createFont(f));
            w.textOut(1150, y + 20, "Bold");
            y += 250;
        }
        WmfWriter::Font f;
        f.height = -160;
        f.underline = true;
        w.select(w.createFont(f));
        w.textOut(50, y, "Under");
        f.underline = false;
        f.strikeOut = true;
        w.select(w.createFont(f));
        w.textOut(700, y, "Struck");
        f.strikeOut = false;
        f.width = 150; // wide letters
        w.select(w.createFont(f));
        w.textOut(50, y + 250, "Wide");
        f.width = 40;
        w.select(w.createFont(f));
        w.textOut(1200, y + 250, "Narrow");
    });
    add("text-height", "font height: negative is the character height, positive the cell height", [](WmfWriter& w) {
        w.setBkMode(1);
        pen(w, 0, 0, QColor(200, 0, 0));
        w.moveTo(0, 200);
        w.lineTo(2000, 200);
        w.moveTo(0, 700);
        w.lineTo(2000, 700);
        font(w, "Arial", -500);
        w.textOut(100, 200, "Hx");
        font(w, "Arial", 500);
        w.textOut(1000, 200, "Hx");
        font(w, "Times New Roman", 0); // the usual size
        w.textOut(100, 1000, "default size");
    });
    add("text-align", "SETTEXTALIGN: left, centre, right against top, baseline, bottom", [](WmfWriter& w) {
        w.setBkMode(1);
        pen(w, 0, 0, QColor(255, 0, 0));
        font(w, "Arial", -150);
        const int horizontal[] = {0, 6, 2}, vertical[] = {0, 24, 8};
        for (int v = 0; v < 3; ++v)
            for (int h = 0; h < 3; ++h) {
                const int x = 350 + h * 650, y = 250 + v * 500;
                cross(w, x, y);
                w.setTextAlign(horizontal[h] | vertical[v]);
                w.textOut(x, y, "Tag");
            }
    });
    add("text-rotated", "font escapement: text at 0, 45, 90, 180 and 270 degrees", [](WmfWriter& w) {
        w.setBkMode(1);
        w.setTextAlign(24);
        const int angles[] = {0, 450, 900, 1800, 2700};
        for (int a : angles) {
            font(w, "Arial", -280, 400, a);
            w.textOut(1000, 750, "Turn");
        }
    });
    add("text-exttextout", "EXTTEXTOUT: opaque box, clipping box and character spacing", [](WmfWriter& w) {
        font(w, "Arial", -200);
        w.setBkColor(QColor(255, 255, 0));
        w.setBkMode(1);
        w.extTextOut(100, 100, 2, QRect(50, 50, 900, 350), "Opaque");
        w.extTextOut(1100, 100, 4, QRect(1050, 120, 400, 120), "Clipped");
        w.extTextOut(100, 600, 0, QRect(), "Spaced", {300, 300, 300, 300, 300, 300});
        w.extTextOut(100, 1000, 6, QRect(80, 1000, 1800, 250), "Both", {150, 200, 250, 300});
        w.extTextOut(1400, 700, 2, QRect(1400, 700, 400, 200), ""); // only the box
    });
    add("text-spacing", "SETTEXTCHAREXTRA and SETTEXTJUSTIFICATION", [](WmfWriter& w) {
        w.setBkMode(1);
        font(w, "Times New Roman", -180);
        w.textOut(100, 100, "Plain text line");
        w.setTextCharExtra(40);
        w.textOut(100, 450, "Plain text line");
        w.setTextCharExtra(0);
        w.setTextJustification(600, 2);
        w.textOut(100, 800, "Plain text line");
        w.setTextJustification(0, 0);
        w.textOut(100, 1150, "Plain text line");
    });
    add("text-updatecp", "TA_UPDATECP: each text starts where the last one ended", [](WmfWriter& w) {
        w.setBkMode(1);
        font(w, "Arial", -200);
        w.setTextAlign(1);
        w.moveTo(100, 200);
        const QColor colours[] = {Qt::red, QColor(0, 150, 0), Qt::blue};
        for (int i = 0; i < 3; ++i) {
            w.setTextColor(colours[i]);
            w.textOut(0, 0, "Run ");
        }
        w.setTextAlign(1 | 2); // right aligned: moving back
        w.moveTo(1900, 900);
        for (int i = 0; i < 3; ++i) {
            w.setTextColor(colours[i]);
            w.textOut(0, 0, "Back ");
        }
    });
    add("text-background", "SETBKMODE and SETBKCOLOR behind text, SETTEXTCOLOR", [](WmfWriter& w) {
        ground(w);
        font(w, "Arial", -200, 700);
        w.setTextColor(Qt::white);
        w.setBkColor(QColor(128, 0, 0));
        w.setBkMode(2);
        w.textOut(100, 200, "Opaque");
        w.setBkMode(1);
        w.textOut(100, 800, "Transparent");
    });
    add("text-symbols", "Symbol and Wingdings: Greek, mathematical signs, check marks and arrows", [](WmfWriter& w) {
        w.setBkMode(1);
        WmfWriter::Font f;
        f.face = "Symbol";
        f.charset = 2;
        f.height = -220;
        w.select(w.createFont(f));
        w.textOut(100, 100, "abgdpWS");
        w.textOut(100, 450, QByteArray("\xA5\xB1\xB9\xA3\xD6\xE5\xF2", 7));
        f.face = "Wingdings";
        w.select(w.createFont(f));
        w.textOut(100, 900, QByteArray("\xFC\xFB\xFE\xE0\xE8\x6C\x6E\x4A", 8));
    });
    add("text-charsets", "fonts of the Greek, Cyrillic and Central European character sets", [](WmfWriter& w) {
        w.setBkMode(1);
        WmfWriter::Font f;
        f.face = "Times New Roman";
        f.height = -200;
        f.charset = 161;
        w.select(w.createFont(f));
        w.textOut(100, 100, QByteArray("\xE1\xE2\xE3 \xD3\xF9", 6));
        f.charset = 204;
        w.select(w.createFont(f));
        w.textOut(100, 550, QByteArray("\xCC\xE8\xF0 \xC4\xEE\xEC", 7));
        f.charset = 238;
        w.select(w.createFont(f));
        w.textOut(100, 1000, QByteArray("\x8A\x9E\xE8\xF8\xEC", 5));
    });
    add("plain", "a metafile without a placeable header, sized by its window", [](WmfWriter& w) {
        pen(w, 0, 2, Qt::black);
        brush(w, 0, QColor(0, 150, 255));
        w.ellipse(QRect(10, 10, 180, 130));
        font(w, "Arial", -20);
        w.setBkMode(1);
        w.textOut(60, 65, "plain");
    }, false);
    return out;
}
