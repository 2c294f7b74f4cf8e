// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "gifwriter.h"
#include "platform/wmf.h"
#include "themes.h"
#include "wmfwriter.h"

#include <QBuffer>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtMath>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The colouring pictures of the sample theme's two supplied catalogs. Every picture is black line
// art on white with no smoothing, so a flood fill meets exact colours; each names points inside
// its areas, and the generator fills them to colour the thumbnail and to prove that no area
// leaks out to the edge of the page.

namespace {

// The canvas's own size: a smaller picture leaves a white strip along the canvas's edge through
// which a fill runs from the ground into the sky.
constexpr int kSide = 401;
constexpr int kThumb = 65;     // the large dialogs' thumbnail cells; the small ones shrink it
const QRgb kInk = 0xFF000000, kPaper = 0xFFFFFFFF;

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "themegen: %s\n", qPrintable(what));
    std::exit(1);
}

struct Seed {
    QPoint at;
    QColor color;
};

struct Picture {
    QString catalog, base, format; // format: bmp, gif, jpg or wmf
    QString name;                  // the first line of the name file
    std::function<void(QPainter&)> draw;
    std::function<void(WmfWriter&)> wmf;
    std::function<QImage()> grid; // a picture made pixel by pixel
    std::vector<Seed> seeds;
    QVector<QPoint> dots;        // the dot-to-dot figure, in order
    std::vector<Note> tune;
    QString thumbFormat = QStringLiteral("bmp");
};

Picture picture(const char* catalog, const char* base, const char* format, const char* name)
{
    Picture pic;
    pic.catalog = QLatin1String(catalog);
    pic.base = QLatin1String(base);
    pic.format = QLatin1String(format);
    pic.name = QLatin1String(name);
    return pic;
}

// Line art: a thick black pen, white inside, no smoothing.
void ink(QPainter& p, int width = 4)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
}

void ellipse(QPainter& p, double cx, double cy, double rx, double ry) { p.drawEllipse(QPointF(cx, cy), rx, ry); }
void circle(QPainter& p, double cx, double cy, double r) { ellipse(p, cx, cy, r, r); }
void polygon(QPainter& p, std::initializer_list<QPointF> points) { p.drawPolygon(QPolygonF(QVector<QPointF>(points))); }

void blackDot(QPainter& p, double cx, double cy, double r)
{
    p.save();
    p.setBrush(Qt::black);
    circle(p, cx, cy, r);
    p.restore();
}

// A thick curved band with a closed outline, for tails and stems.
void band(QPainter& p, const QPainterPath& centre, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    p.drawPath(stroker.createStroke(centre).simplified());
}

QImage render(const Picture& pic)
{
    if (pic.wmf) {
        WmfWriter w;
        pic.wmf(w);
        QString error;
        QImage img = wmfRead(w.bytes(true, QRect(0, 0, kSide, kSide), kWmfPixelsPerInch), &error);
        if (img.isNull())
            fail(QStringLiteral("metafile %1 does not play: %2").arg(pic.base, error));
        return img;
    }
    if (pic.grid)
        return pic.grid();
    QImage img(kSide, kSide, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    ink(p);
    pic.draw(p);
    return img;
}

// Fills the area of one colour around seed, four ways connected, as the paint window's fill does;
// tells whether it reached the edge of the page.
bool fill(QImage& img, QPoint seed, QRgb color)
{
    const QRgb old = img.pixel(seed);
    if (old == color)
        return false;
    bool edge = false;
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint q = stack.back();
        stack.pop_back();
        if (!img.rect().contains(q) || img.pixel(q) != old)
            continue;
        img.setPixel(q, color);
        if (q.x() == 0 || q.y() == 0 || q.x() == img.width() - 1 || q.y() == img.height() - 1)
            edge = true;
        stack.push_back(q + QPoint(1, 0));
        stack.push_back(q + QPoint(-1, 0));
        stack.push_back(q + QPoint(0, 1));
        stack.push_back(q + QPoint(0, -1));
    }
    return edge;
}

// The picture as the child sees it once the figure is done: its dots joined and closed.
QImage withFigure(const QImage& art, const QVector<QPoint>& dots)
{
    QImage img = art.copy();
    if (dots.size() < 2)
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.drawPolygon(QPolygon(dots));
    return img;
}

QImage coloured(const Picture& pic, const QImage& art)
{
    QImage img = withFigure(art, pic.dots);
    for (const Seed& s : pic.seeds) {
        if (img.pixel(s.at) == kInk)
            fail(QStringLiteral("%1: the point (%2, %3) is on a line").arg(pic.base).arg(s.at.x()).arg(s.at.y()));
        if (img.pixel(s.at) != kPaper)
            continue; // coloured already through another of its points
        if (fill(img, s.at, s.color.rgb()))
            fail(QStringLiteral("%1: the area at (%2, %3) leaks to the edge").arg(pic.base).arg(s.at.x()).arg(s.at.y()));
    }
    return img;
}

void checkLineArt(const Picture& pic, const QImage& art)
{
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            if (art.pixel(x, y) != kInk && art.pixel(x, y) != kPaper)
                fail(QStringLiteral("%1: a pixel at (%2, %3) is neither black nor white").arg(pic.base).arg(x).arg(y));
}

QByteArray jpegBytes(const QImage& img)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "JPG", 100))
        fail(QStringLiteral("cannot encode JPEG"));
    return bytes;
}

void writePictureFile(const QString& path, const QString& format, const QImage& img, const Picture& pic, bool exact)
{
    if (format == QLatin1String("gif")) {
        const QByteArray bytes = gifBytes(img);
        if (exact && QImage::fromData(bytes, "GIF").convertToFormat(QImage::Format_RGB32) != img)
            fail(QStringLiteral("%1: the GIF does not read back as drawn").arg(pic.base));
        writeText(path, bytes);
    } else if (format == QLatin1String("jpg")) {
        // Grey scale, best quality, and every edge on the 8 x 8 blocks: the blocks are then all
        // black or all white and read back exactly, so compression leaves no specks to stop a fill.
        const QByteArray bytes = jpegBytes(exact ? img.convertToFormat(QImage::Format_Grayscale8) : img);
        if (exact && QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32) != img)
            fail(QStringLiteral("%1: the JPEG does not read back as drawn").arg(pic.base));
        writeText(path, bytes);
    } else {
        saveImage(path, img);
    }
}

QByteArray figureFile(const QVector<QPoint>& dots)
{
    QByteArray text = "[settings]\r\nnumeric=1\r\nalphabetic=0\r\n\r\n[coords]\r\n";
    text += QByteArray::number(dots.size()) + "\r\n";
    for (const QPoint& d : dots)
        text += QByteArray::number(d.x()) + '\t' + QByteArray::number(d.y()) + "\r\n";
    return text;
}

void writePicture(const QString& out, const Picture& pic)
{
    const QString base = out + QStringLiteral("/pictures/") + pic.catalog + QLatin1Char('/') + pic.base;
    const QImage art = render(pic);
    if (const QByteArray debug = qgetenv("THEMEGEN_DEBUG"); !debug.isEmpty())
        withFigure(art, pic.dots).save(QString::fromLocal8Bit(debug) + QLatin1Char('/') + pic.base + QStringLiteral(".png"));
    checkLineArt(pic, art);
    if (pic.seeds.empty())
        fail(pic.base + QStringLiteral(": no areas named"));
    const QImage colours = coloured(pic, art);

    if (pic.wmf) {
        WmfWriter w;
        pic.wmf(w);
        writeText(base + QStringLiteral(".wmf"), w.bytes(true, QRect(0, 0, kSide, kSide), kWmfPixelsPerInch));
    } else {
        writePictureFile(base + QLatin1Char('.') + pic.format, pic.format, art, pic, true);
    }
    const QImage thumb = colours.scaled(kThumb, kThumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    writePictureFile(base + QStringLiteral("_.") + pic.thumbFormat, pic.thumbFormat, thumb, pic, false);
    writeText(base + QStringLiteral(".dat"), pic.name.toLatin1() + "\r\n");
    saveWav(base + QStringLiteral(".wav"), pic.tune);
    if (!pic.dots.isEmpty())
        writeText(base + QStringLiteral(".INI"), figureFile(pic.dots));
}

QVector<QPoint> starPoints(QPointF c, double outer, double inner, int arms, double turn = 90)
{
    QVector<QPoint> pts;
    for (int i = 0; i < 2 * arms; ++i) {
        const double a = qDegreesToRadians(turn + i * 180.0 / arms);
        const double r = i % 2 ? inner : outer;
        pts << QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a)).toPoint();
    }
    return pts;
}

// ---- Animals ---------------------------------------------------------------------------------

Picture cat()
{
    Picture pic = picture("Animals", "cat", "bmp", "Cat");
    pic.draw = [](QPainter& p) {
        QPainterPath tail(QPointF(290, 330));
        tail.cubicTo(QPointF(380, 320), QPointF(380, 230), QPointF(340, 190));
        band(p, tail, 26);
        ellipse(p, 200, 290, 110, 85);
        polygon(p, {QPointF(140, 110), QPointF(148, 40), QPointF(192, 84)});
        polygon(p, {QPointF(208, 84), QPointF(252, 40), QPointF(260, 110)});
        circle(p, 200, 150, 75);
        ellipse(p, 172, 140, 13, 17);
        ellipse(p, 228, 140, 13, 17);
        blackDot(p, 172, 143, 6);
        blackDot(p, 228, 143, 6);
        polygon(p, {QPointF(188, 168), QPointF(212, 168), QPointF(200, 182)});
        p.drawLine(QPointF(200, 182), QPointF(200, 194));
        p.drawArc(QRectF(178, 180, 22, 22), 180 * 16, 180 * 16);
        p.drawArc(QRectF(200, 180, 22, 22), 180 * 16, 180 * 16);
        p.setPen(QPen(Qt::black, 2));
        for (int s : {-1, 1}) {
            p.drawLine(QPointF(200 + s * 30, 176), QPointF(200 + s * 95, 160));
            p.drawLine(QPointF(200 + s * 30, 184), QPointF(200 + s * 95, 188));
        }
        ink(p);
        ellipse(p, 160, 368, 30, 17);
        ellipse(p, 240, 368, 30, 17);
    };
    pic.seeds = {{{200, 112}, QColor(0xF0, 0xA0, 0x40)}, {{200, 300}, QColor(0xF0, 0xA0, 0x40)},
                 {{163, 72}, QColor(0xF8, 0xC0, 0xC0)}, {{237, 72}, QColor(0xF8, 0xC0, 0xC0)},
                 {{200, 173}, QColor(0xE0, 0x60, 0x80)}, {{160, 368}, QColor(0xFF, 0xF0, 0xE0)},
                 {{240, 368}, QColor(0xFF, 0xF0, 0xE0)}, {{368, 262}, QColor(0xC0, 0x70, 0x20)}};
    pic.tune = {{660, 180}, {880, 260}, {0, 60}, {740, 300}};
    return pic;
}

Picture dog()
{
    Picture pic = picture("Animals", "dog", "bmp", "Dog");
    pic.draw = [](QPainter& p) {
        polygon(p, {QPointF(290, 300), QPointF(350, 250), QPointF(362, 262), QPointF(300, 322)});
        ellipse(p, 200, 310, 95, 70);
        ellipse(p, 150, 375, 25, 14);
        ellipse(p, 250, 375, 25, 14);
        ellipse(p, 125, 150, 30, 65);
        ellipse(p, 275, 150, 30, 65);
        circle(p, 200, 150, 80);
        ellipse(p, 200, 188, 38, 28);
        blackDot(p, 200, 172, 9);
        p.drawLine(QPointF(200, 180), QPointF(200, 200));
        blackDot(p, 168, 130, 10);
        blackDot(p, 232, 130, 10);
    };
    pic.seeds = {{{200, 100}, QColor(0xC8, 0x90, 0x50)}, {{180, 198}, QColor(0xF0, 0xE0, 0xC8)},
                 {{200, 320}, QColor(0xC8, 0x90, 0x50)}, {{105, 170}, QColor(0x80, 0x50, 0x20)},
                 {{295, 170}, QColor(0x80, 0x50, 0x20)}, {{325, 283}, QColor(0x80, 0x50, 0x20)},
                 {{150, 376}, QColor(0xF0, 0xE0, 0xC8)}};
    pic.tune = {{392, 150}, {392, 150}, {0, 80}, {523, 300}};
    return pic;
}

Picture fish()
{
    Picture pic = picture("Animals", "fish", "wmf", "\"Fish, blue and happy\"");
    pic.wmf = [](WmfWriter& w) {
        w.setWindowOrg(0, 0);
        w.setWindowExt(kSide, kSide);
        const int pen = w.createPen(0, 4, Qt::black);
        const int white = w.createBrush(0, Qt::white);
        const int black = w.createBrush(0, Qt::black);
        w.select(pen);
        w.select(white);
        w.polygon({QPoint(300, 200), QPoint(370, 140), QPoint(370, 260)});
        w.polygon({QPoint(150, 140), QPoint(200, 95), QPoint(240, 140)});
        w.polygon({QPoint(170, 265), QPoint(215, 310), QPoint(240, 262)});
        w.ellipse(QRect(70, 125, 240, 150));
        w.ellipse(QRect(96, 166, 28, 28));
        w.saveDC();
        w.select(black);
        w.ellipse(QRect(104, 174, 12, 12));
        w.restoreDC(-1);
        w.arc(QRect(100, 140, 80, 120), QPoint(140, 260), QPoint(140, 140));
        w.arc(QRect(66, 205, 30, 20), QPoint(96, 215), QPoint(66, 215));
        w.ellipse(QRect(50, 90, 20, 20));
        w.ellipse(QRect(38, 63, 14, 14));
        w.ellipse(QRect(65, 40, 10, 10));
        w.chord(QRect(20, 340, 160, 80), QPoint(180, 380), QPoint(20, 380));
        w.roundRect(QRect(250, 350, 110, 30), 16, 16);
        w.deleteObject(black);
    };
    pic.seeds = {{{230, 210}, QColor(0x40, 0x90, 0xE0)}, {{345, 200}, QColor(0xF0, 0x90, 0x30)},
                 {{200, 115}, QColor(0xF0, 0x90, 0x30)}, {{212, 290}, QColor(0xF0, 0x90, 0x30)},
                 {{110, 170}, QColor(0xF8, 0xF8, 0xFF)}, {{100, 370}, QColor(0xA0, 0x90, 0x80)},
                 {{60, 100}, QColor(0xC0, 0xE8, 0xFF)}, {{305, 365}, QColor(0x60, 0xC0, 0x60)}};
    pic.tune = {{523, 120}, {659, 120}, {784, 120}, {659, 120}, {523, 240}};
    return pic;
}

Picture bird()
{
    Picture pic = picture("Animals", "bird", "gif", "Little bird");
    pic.thumbFormat = QStringLiteral("gif");
    pic.draw = [](QPainter& p) {
        p.drawRect(QRectF(20, 300, 360, 25));
        p.drawLine(QPointF(180, 280), QPointF(180, 302));
        p.drawLine(QPointF(215, 280), QPointF(215, 302));
        polygon(p, {QPointF(280, 220), QPointF(360, 180), QPointF(350, 250)});
        ellipse(p, 210, 220, 85, 65);
        ellipse(p, 235, 225, 45, 28);
        polygon(p, {QPointF(98, 135), QPointF(60, 150), QPointF(100, 158)});
        circle(p, 150, 140, 50);
        blackDot(p, 140, 125, 8);
    };
    pic.seeds = {{{200, 265}, QColor(0xE0, 0x40, 0x30)}, {{235, 225}, QColor(0xA0, 0x20, 0x20)},
                 {{160, 160}, QColor(0xE0, 0x40, 0x30)}, {{80, 148}, QColor(0xF8, 0xC0, 0x20)},
                 {{330, 216}, QColor(0x80, 0x30, 0x20)}, {{300, 312}, QColor(0x90, 0x60, 0x30)}};
    pic.tune = {{1568, 80}, {1760, 80}, {1568, 80}, {0, 60}, {1976, 160}};
    return pic;
}

Picture snail()
{
    Picture pic = picture("Animals", "snail", "bmp", "Snail");
    pic.draw = [](QPainter& p) {
        p.drawLine(QPointF(80, 215), QPointF(60, 155));
        p.drawLine(QPointF(100, 215), QPointF(112, 155));
        circle(p, 60, 150, 8);
        circle(p, 112, 150, 8);
        ellipse(p, 90, 250, 30, 45);
        p.drawRoundedRect(QRectF(60, 280, 300, 50), 25, 25);
        circle(p, 230, 210, 100);
        circle(p, 230, 210, 65);
        circle(p, 230, 210, 35);
        blackDot(p, 96, 240, 5);
    };
    pic.seeds = {{{230, 125}, QColor(0xD0, 0x80, 0x30)}, {{230, 160}, QColor(0xF0, 0xB0, 0x50)},
                 {{230, 210}, QColor(0xF8, 0xD8, 0x80)}, {{85, 268}, QColor(0xB0, 0xD0, 0x70)},
                 {{345, 305}, QColor(0xB0, 0xD0, 0x70)}, {{110, 305}, QColor(0xB0, 0xD0, 0x70)},
                 {{60, 150}, QColor(0xB0, 0xD0, 0x70)}};
    pic.tune = {{330, 300}, {294, 300}, {262, 500}};
    return pic;
}

Picture turtle()
{
    Picture pic = picture("Animals", "turtle", "bmp", "Turtle");
    const QPointF dome(200, 240);
    const double domeR = 130;
    const QPointF hex(200, 180);
    pic.draw = [=](QPainter& p) {
        ellipse(p, 110, 280, 22, 35);
        ellipse(p, 290, 280, 22, 35);
        circle(p, 350, 220, 35);
        polygon(p, {QPointF(70, 240), QPointF(30, 255), QPointF(70, 262)});
        p.drawChord(QRectF(dome.x() - domeR, dome.y() - domeR, 2 * domeR, 2 * domeR), 0, 180 * 16);
        p.drawRoundedRect(QRectF(65, 235, 270, 27), 12, 12);
        QPolygonF h;
        for (int i = 0; i < 6; ++i) {
            const double a = qDegreesToRadians(60.0 * i);
            h << hex + QPointF(40 * std::cos(a), -40 * std::sin(a));
        }
        p.drawPolygon(h);
        for (const QPointF& v : h) {
            // Each corner joins the rim, splitting the shell into plates.
            QPointF dir = v - hex;
            dir /= std::hypot(dir.x(), dir.y());
            QPointF q = v;
            while (std::hypot(q.x() - dome.x(), q.y() - dome.y()) < domeR - 1 && q.y() < 236)
                q += dir * 0.5;
            p.drawLine(v, q);
        }
        blackDot(p, 362, 212, 5);
        p.drawArc(QRectF(335, 215, 30, 20), 200 * 16, 120 * 16);
    };
    pic.seeds = {{{200, 180}, QColor(0x60, 0xA0, 0x40)}, {{252, 150}, QColor(0x80, 0xC0, 0x50)},
                 {{200, 120}, QColor(0x80, 0xC0, 0x50)}, {{148, 150}, QColor(0x80, 0xC0, 0x50)},
                 {{148, 210}, QColor(0x80, 0xC0, 0x50)}, {{252, 210}, QColor(0x80, 0xC0, 0x50)},
                 {{200, 226}, QColor(0x80, 0xC0, 0x50)}, {{200, 250}, QColor(0xE0, 0xD0, 0x90)},
                 {{110, 300}, QColor(0xA0, 0xC8, 0x80)}, {{290, 300}, QColor(0xA0, 0xC8, 0x80)},
                 {{338, 222}, QColor(0xA0, 0xC8, 0x80)}, {{52, 253}, QColor(0xA0, 0xC8, 0x80)}};
    pic.tune = {{196, 250}, {247, 250}, {294, 400}};
    return pic;
}

Picture butterfly()
{
    Picture pic = picture("Animals", "butterfly", "bmp", "Butterfly");
    pic.draw = [](QPainter& p) {
        for (int s : {-1, 1}) {
            ellipse(p, 200 + s * 70, 140, 75, 65);
            ellipse(p, 200 + s * 55, 265, 55, 50);
            circle(p, 200 + s * 80, 130, 22);
            circle(p, 200 + s * 55, 270, 15);
            p.drawLine(QPointF(200 + s * 5, 80), QPointF(200 + s * 35, 32));
            circle(p, 200 + s * 37, 28, 7);
        }
        ellipse(p, 200, 210, 16, 100);
        circle(p, 200, 95, 20);
    };
    const QColor wing(0x70, 0x50, 0xD0), lower(0xF0, 0x70, 0xB0), spot(0xF8, 0xE0, 0x40);
    pic.seeds = {{{90, 110}, wing}, {{310, 110}, wing}, {{120, 290}, lower}, {{280, 290}, lower},
                 {{120, 130}, spot}, {{280, 130}, spot}, {{145, 270}, spot}, {{255, 270}, spot},
                 {{200, 210}, QColor(0x40, 0x30, 0x30)}, {{200, 95}, QColor(0x40, 0x30, 0x30)}};
    pic.tune = {{1047, 90}, {1319, 90}, {1568, 90}, {1319, 90}, {1047, 180}};
    return pic;
}

Picture owl()
{
    Picture pic = picture("Animals", "owl", "bmp", "Owl");
    pic.draw = [](QPainter& p) {
        p.drawRect(QRectF(40, 378, 320, 18));
        polygon(p, {QPointF(120, 120), QPointF(110, 50), QPointF(170, 100)});
        polygon(p, {QPointF(280, 120), QPointF(290, 50), QPointF(230, 100)});
        ellipse(p, 200, 230, 110, 140);
        ellipse(p, 110, 260, 25, 65);
        ellipse(p, 290, 260, 25, 65);
        ellipse(p, 200, 300, 65, 60);
        circle(p, 155, 170, 40);
        circle(p, 245, 170, 40);
        blackDot(p, 155, 170, 15);
        blackDot(p, 245, 170, 15);
        polygon(p, {QPointF(185, 200), QPointF(215, 200), QPointF(200, 230)});
        ellipse(p, 170, 375, 20, 10);
        ellipse(p, 230, 375, 20, 10);
    };
    const QColor brown(0xA0, 0x70, 0x40);
    pic.seeds = {{{200, 115}, brown}, {{128, 95}, brown}, {{272, 95}, brown}, {{130, 160}, QColor(0xF8, 0xF0, 0xA0)},
                 {{270, 160}, QColor(0xF8, 0xF0, 0xA0)}, {{200, 320}, QColor(0xF0, 0xD8, 0xB0)}, {{200, 210}, QColor(0xF0, 0xA0, 0x20)},
                 {{110, 260}, QColor(0x70, 0x48, 0x20)}, {{290, 260}, QColor(0x70, 0x48, 0x20)}, {{300, 388}, QColor(0x60, 0x40, 0x20)},
                 {{170, 375}, QColor(0xF0, 0xA0, 0x20)}};
    pic.tune = {{392, 300}, {0, 80}, {330, 450}};
    return pic;
}

// ---- Things ----------------------------------------------------------------------------------

Picture house()
{
    Picture pic = picture("Things", "house", "bmp", "House");
    pic.dots = {QPoint(80, 370), QPoint(320, 370), QPoint(320, 200), QPoint(200, 90), QPoint(80, 200)};
    pic.draw = [](QPainter& p) {
        circle(p, 60, 55, 30);
        p.drawLine(QPointF(80, 200), QPointF(320, 200));
        polygon(p, {QPointF(250, 100), QPointF(280, 100), QPointF(280, 163), QPointF(250, 136)});
        circle(p, 200, 150, 18);
        p.drawRect(QRectF(170, 280, 60, 90));
        blackDot(p, 218, 328, 4);
        for (int x : {110, 240}) {
            p.drawRect(QRectF(x, 230, 50, 50));
            p.drawLine(QPointF(x + 25, 230), QPointF(x + 25, 280));
            p.drawLine(QPointF(x, 255), QPointF(x + 50, 255));
        }
        p.drawLine(QPointF(0, 372), QPointF(80, 372));
        p.drawLine(QPointF(320, 372), QPointF(kSide, 372));
    };
    pic.seeds = {{{150, 180}, QColor(0xD0, 0x40, 0x30)}, {{130, 320}, QColor(0xF8, 0xE0, 0x90)},
                 {{200, 320}, QColor(0x90, 0x50, 0x20)}, {{122, 242}, QColor(0x90, 0xD0, 0xF0)},
                 {{200, 150}, QColor(0x90, 0xD0, 0xF0)}, {{60, 55}, QColor(0xF8, 0xD0, 0x20)},
                 {{265, 120}, QColor(0x80, 0x40, 0x30)}};
    pic.tune = {{523, 150}, {523, 150}, {659, 150}, {784, 300}};
    return pic;
}

Picture car()
{
    Picture pic = picture("Things", "car", "bmp", "Car");
    pic.draw = [](QPainter& p) {
        polygon(p, {QPointF(40, 280), QPointF(40, 230), QPointF(100, 220), QPointF(140, 160), QPointF(270, 160),
                    QPointF(320, 220), QPointF(370, 230), QPointF(370, 280)});
        polygon(p, {QPointF(150, 172), QPointF(198, 172), QPointF(198, 218), QPointF(118, 218)});
        polygon(p, {QPointF(212, 172), QPointF(264, 172), QPointF(302, 218), QPointF(212, 218)});
        p.drawLine(QPointF(205, 220), QPointF(205, 280));
        circle(p, 355, 248, 9);
        for (int x : {110, 300}) {
            circle(p, x, 285, 38);
            circle(p, x, 285, 14);
        }
        p.drawLine(QPointF(0, 325), QPointF(kSide, 325));
    };
    const QColor body(0xE0, 0x30, 0x30), glass(0xA0, 0xD8, 0xF8), tyre(0x40, 0x40, 0x40);
    pic.seeds = {{{70, 255}, body}, {{250, 240}, body}, {{160, 200}, glass}, {{240, 200}, glass},
                 {{110, 258}, tyre}, {{300, 258}, tyre}, {{110, 285}, QColor(0xC0, 0xC0, 0xC0)},
                 {{300, 285}, QColor(0xC0, 0xC0, 0xC0)}, {{355, 248}, QColor(0xF8, 0xF0, 0x60)}};
    pic.tune = {{440, 120}, {0, 40}, {440, 120}, {0, 40}, {587, 260}};
    return pic;
}

Picture flower()
{
    Picture pic = picture("Things", "flower", "gif", "Flower");
    pic.thumbFormat = QStringLiteral("gif");
    pic.draw = [](QPainter& p) {
        QPainterPath left(QPointF(200, 320));
        left.quadTo(QPointF(140, 270), QPointF(110, 300));
        left.quadTo(QPointF(150, 340), QPointF(200, 320));
        p.drawPath(left);
        QPainterPath right(QPointF(200, 290));
        right.quadTo(QPointF(260, 240), QPointF(290, 270));
        right.quadTo(QPointF(250, 310), QPointF(200, 290));
        p.drawPath(right);
        p.drawRect(QRectF(192, 220, 16, 150));
        polygon(p, {QPointF(130, 350), QPointF(270, 350), QPointF(250, 396), QPointF(150, 396)});
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(200, 150);
            p.rotate(45.0 * i);
            ellipse(p, 60, 0, 38, 24);
            p.restore();
        }
        circle(p, 200, 150, 35);
    };
    pic.seeds = {{{200, 150}, QColor(0xF8, 0xD0, 0x20)}, {{150, 307}, QColor(0x50, 0xB0, 0x40)},
                 {{250, 277}, QColor(0x50, 0xB0, 0x40)}, {{200, 255}, QColor(0x30, 0x90, 0x30)},
                 {{200, 375}, QColor(0xC0, 0x60, 0x30)}};
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(45.0 * i);
        pic.seeds.push_back({QPointF(200 + 80 * std::cos(a), 150 + 80 * std::sin(a)).toPoint(),
                             i % 2 ? QColor(0xF0, 0x60, 0xA0) : QColor(0xE0, 0x30, 0x60)});
    }
    pic.tune = {{784, 120}, {880, 120}, {988, 120}, {1175, 300}};
    return pic;
}

Picture boat()
{
    Picture pic = picture("Things", "boat", "wmf", "Sailing boat");
    pic.dots = {QPoint(206, 70), QPoint(330, 250), QPoint(206, 250)};
    pic.wmf = [](WmfWriter& w) {
        w.setWindowOrg(0, 0);
        w.setWindowExt(kSide, kSide);
        w.select(w.createPen(0, 4, Qt::black));
        w.select(w.createBrush(0, Qt::white));
        w.ellipse(QRect(310, 40, 60, 60));
        w.polygon({QPoint(192, 80), QPoint(192, 250), QPoint(100, 250)});
        w.rectangle(QRect(196, 50, 11, 216));
        w.polygon({QPoint(207, 50), QPoint(242, 60), QPoint(207, 72)});
        w.polygon({QPoint(80, 265), QPoint(340, 265), QPoint(300, 320), QPoint(120, 320)});
        w.ellipse(QRect(142, 282, 16, 16));
        w.ellipse(QRect(252, 282, 16, 16));
        QVector<QPoint> wave;
        for (int x = 0; x <= kSide; x += 20)
            wave << QPoint(x, (x / 20) % 2 ? 330 : 342);
        w.polyline(wave);
        w.arc(QRect(40, 70, 30, 24), QPoint(70, 82), QPoint(40, 82));
        w.arc(QRect(70, 70, 30, 24), QPoint(100, 82), QPoint(70, 82));
    };
    pic.seeds = {{{240, 230}, QColor(0xF8, 0xF8, 0xE0)}, {{170, 230}, QColor(0xF0, 0x70, 0x30)},
                 {{200, 295}, QColor(0x90, 0x50, 0x20)}, {{201, 150}, QColor(0x70, 0x40, 0x20)},
                 {{215, 60}, QColor(0xE0, 0x30, 0x30)}, {{340, 70}, QColor(0xF8, 0xD0, 0x20)},
                 {{150, 290}, QColor(0xA0, 0xD8, 0xF8)}};
    pic.tune = {{294, 200}, {370, 200}, {440, 200}, {370, 200}, {294, 400}};
    return pic;
}

Picture tree()
{
    Picture pic = picture("Things", "tree", "bmp", "Apple tree");
    pic.draw = [](QPainter& p) {
        ellipse(p, 200, 440, 260, 50);
        polygon(p, {QPointF(175, 390), QPointF(185, 250), QPointF(215, 250), QPointF(225, 390)});
        circle(p, 130, 200, 55);
        circle(p, 270, 200, 55);
        circle(p, 200, 150, 85);
        for (QPointF a : {QPointF(170, 120), QPointF(235, 160), QPointF(190, 210), QPointF(130, 210), QPointF(275, 205)})
            circle(p, a.x(), a.y(), 12);
    };
    const QColor leaf(0x40, 0xA0, 0x40), apple(0xE0, 0x20, 0x20);
    pic.seeds = {{{200, 90}, leaf}, {{100, 215}, leaf}, {{300, 215}, leaf}, {{200, 330}, QColor(0x8B, 0x50, 0x20)},
                 {{170, 120}, apple}, {{235, 160}, apple}, {{190, 210}, apple}, {{130, 210}, apple}, {{275, 205}, apple}};
    pic.tune = {{349, 200}, {440, 200}, {523, 400}};
    return pic;
}

Picture sun()
{
    Picture pic = picture("Things", "sun", "gif", "Sun");
    const QPointF c(200, 200);
    auto at = [c](double deg, double r) {
        const double a = qDegreesToRadians(deg);
        return QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    };
    pic.draw = [=](QPainter& p) {
        for (int i = 0; i < 12; ++i)
            polygon(p, {at(30 * i - 12, 95), at(30 * i, 175), at(30 * i + 12, 95)});
        circle(p, 200, 200, 110);
        blackDot(p, 165, 170, 13);
        blackDot(p, 235, 170, 13);
        circle(p, 140, 222, 15);
        circle(p, 260, 222, 15);
        p.drawArc(QRectF(140, 190, 120, 90), 200 * 16, 140 * 16);
    };
    pic.seeds = {{{200, 140}, QColor(0xF8, 0xD0, 0x20)}, {{140, 222}, QColor(0xF8, 0x90, 0x60)},
                 {{260, 222}, QColor(0xF8, 0x90, 0x60)}};
    for (int i = 0; i < 12; ++i)
        pic.seeds.push_back({at(30 * i, 130).toPoint(), i % 2 ? QColor(0xF8, 0xA0, 0x20) : QColor(0xF8, 0x70, 0x10)});
    pic.tune = {{523, 100}, {659, 100}, {784, 100}, {1047, 100}, {784, 100}, {1047, 300}};
    return pic;
}

// Drawn on a grid of 8 x 8 pixel cells so it survives JPEG compression exactly.
Picture castle()
{
    Picture pic = picture("Things", "castle", "jpg", "Castle");
    pic.thumbFormat = QStringLiteral("jpg");
    pic.grid = [] {
        QImage img(kSide, kSide, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        // A block with a border one cell thick; later blocks lie on top of earlier ones.
        auto block = [&p](int x0, int y0, int x1, int y1) {
            p.fillRect(QRect(x0 * 8, y0 * 8, (x1 - x0 + 1) * 8, (y1 - y0 + 1) * 8), Qt::black);
            p.fillRect(QRect((x0 + 1) * 8, (y0 + 1) * 8, (x1 - x0 - 1) * 8, (y1 - y0 - 1) * 8), Qt::white);
        };
        for (int x : {17, 23, 29})
            block(x, 16, x + 3, 20);
        block(8, 20, 41, 48);
        for (int x : {3, 11, 35, 43})
            block(x, 5, x + 3, 10);
        block(3, 10, 14, 48);
        block(35, 10, 46, 48);
        block(20, 34, 29, 48);
        block(7, 18, 10, 23);
        block(39, 18, 42, 23);
        block(23, 25, 26, 29);
        p.fillRect(QRect(40 * 8, 1 * 8, 8, 9 * 8), Qt::black);
        block(41, 1, 46, 5);
        return img;
    };
    auto cell = [](int x, int y) { return QPoint(x * 8 + 4, y * 8 + 4); };
    const QColor stone(0xB0, 0xB0, 0xB8), roof(0x90, 0x90, 0xA0);
    pic.seeds = {{cell(17, 30), stone}, {cell(5, 30), roof}, {cell(37, 30), roof}, {cell(24, 40), QColor(0x90, 0x50, 0x20)},
                 {cell(8, 20), QColor(0xF8, 0xE0, 0x60)}, {cell(40, 20), QColor(0xF8, 0xE0, 0x60)},
                 {cell(24, 26), QColor(0xF8, 0xE0, 0x60)}, {cell(4, 7), roof}, {cell(18, 18), stone},
                 {cell(42, 3), QColor(0xE0, 0x30, 0x30)}};
    pic.tune = {{262, 150}, {330, 150}, {392, 150}, {523, 400}};
    return pic;
}

Picture star()
{
    Picture pic = picture("Things", "star", "bmp", "Star");
    pic.dots = starPoints(QPointF(200, 205), 170, 98, 6);
    pic.draw = [](QPainter& p) {
        for (QPointF c : {QPointF(40, 40), QPointF(360, 40), QPointF(40, 360), QPointF(360, 360)})
            p.drawPolygon(QPolygon(starPoints(c, 25, 11, 5)));
        circle(p, 170, 185, 14);
        circle(p, 230, 185, 14);
        blackDot(p, 170, 187, 6);
        blackDot(p, 230, 187, 6);
        p.drawArc(QRectF(165, 205, 70, 40), 200 * 16, 140 * 16);
    };
    const QColor gold(0xF8, 0xD0, 0x20);
    pic.seeds = {{{200, 150}, gold}, {{160, 180}, QColor(0xF8, 0xF8, 0xFF)}, {{240, 180}, QColor(0xF8, 0xF8, 0xFF)}};
    for (QPoint c : {QPoint(40, 40), QPoint(360, 40), QPoint(40, 360), QPoint(360, 360)})
        pic.seeds.push_back({c, QColor(0xF8, 0xE8, 0x80)});
    pic.tune = {{1319, 100}, {1568, 100}, {2093, 100}, {1568, 100}, {2093, 250}};
    return pic;
}

Picture kite()
{
    Picture pic = picture("Things", "kite", "bmp", "Kite");
    pic.dots = {QPoint(200, 40), QPoint(310, 170), QPoint(200, 330), QPoint(90, 170)};
    pic.draw = [](QPainter& p) {
        circle(p, 300, 72, 30);
        circle(p, 365, 78, 25);
        circle(p, 335, 55, 35);
        p.drawLine(QPointF(200, 40), QPointF(200, 330));
        p.drawLine(QPointF(90, 170), QPointF(310, 170));
        p.drawPolyline(QPolygonF(QVector<QPointF>{QPointF(200, 330), QPointF(185, 350), QPointF(195, 372), QPointF(180, 396)}));
        for (QPointF b : {QPointF(150, 355), QPointF(240, 380)})
            polygon(p, {b + QPointF(-15, -10), b + QPointF(15, 10), b + QPointF(15, -10), b + QPointF(-15, 10)});
    };
    pic.seeds = {{{170, 130}, QColor(0xE0, 0x30, 0x30)}, {{230, 130}, QColor(0x30, 0x70, 0xE0)},
                 {{170, 220}, QColor(0x30, 0x70, 0xE0)}, {{230, 220}, QColor(0xE0, 0x30, 0x30)},
                 {{335, 45}, QColor(0xE8, 0xF0, 0xFF)}, {{141, 355}, QColor(0xF8, 0xD0, 0x20)},
                 {{249, 380}, QColor(0xF8, 0xD0, 0x20)}};
    pic.tune = {{698, 150}, {784, 150}, {880, 150}, {1047, 350}};
    return pic;
}

Picture rocket()
{
    Picture pic = picture("Things", "rocket", "bmp", "Rocket");
    pic.dots = {QPoint(200, 40), QPoint(250, 130), QPoint(250, 290), QPoint(300, 350),
                QPoint(100, 350), QPoint(150, 290), QPoint(150, 130)};
    pic.draw = [](QPainter& p) {
        p.drawLine(QPointF(164, 105), QPointF(236, 105));
        p.drawLine(QPointF(150, 290), QPointF(250, 290));
        circle(p, 200, 150, 22);
        circle(p, 200, 220, 18);
        polygon(p, {QPointF(160, 355), QPointF(200, 398), QPointF(240, 355)});
        polygon(p, {QPointF(185, 355), QPointF(200, 385), QPointF(215, 355)});
        for (QPointF c : {QPointF(60, 80), QPointF(330, 60), QPointF(340, 220), QPointF(60, 250)})
            p.drawPolygon(QPolygon(starPoints(c, 16, 6, 4)));
    };
    pic.seeds = {{{200, 80}, QColor(0xE0, 0x30, 0x30)}, {{200, 260}, QColor(0xD8, 0xD8, 0xE0)},
                 {{200, 320}, QColor(0xE0, 0x30, 0x30)}, {{200, 150}, QColor(0x90, 0xD0, 0xF8)},
                 {{200, 220}, QColor(0x90, 0xD0, 0xF8)}, {{175, 362}, QColor(0xF8, 0x90, 0x20)},
                 {{200, 365}, QColor(0xF8, 0xE0, 0x40)}, {{60, 80}, QColor(0xF8, 0xE0, 0x40)}};
    pic.tune = {{262, 80}, {330, 80}, {392, 80}, {523, 80}, {659, 80}, {784, 80}, {1047, 300}};
    return pic;
}

} // namespace

void generateBrushboxPictures(const QString& out)
{
    const std::vector<Picture> pictures{cat(),   dog(),  fish(),   bird(), snail(), turtle(), butterfly(), owl(),  house(),
                                        car(),   flower(), boat(), tree(), sun(),   castle(), star(),      kite(), rocket()};
    for (const Picture& pic : pictures)
        writePicture(out, pic);
}
