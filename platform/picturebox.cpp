// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/picturebox.h"

#include "platform/imagecontrol.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

QRgb bgrToRgb(uint32_t bgr) { return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
uint32_t rgbToBgr(QRgb rgb) { return uint32_t(qRed(rgb)) | uint32_t(qGreen(rgb)) << 8 | uint32_t(qBlue(rgb)) << 16; }

namespace {
// Painting on the persistent image, never smoothed.
class SurfacePainter : public QPainter {
public:
    explicit SurfacePainter(QImage* image) : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing, false);
        setRenderHint(QPainter::TextAntialiasing, false);
        setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
};

// Shapes are drawn about pixel centres, so a dot at (x, y) is centred on pixel (x, y).
class ShapePainter : public SurfacePainter {
public:
    explicit ShapePainter(QImage* image) : SurfacePainter(image) { translate(0.5, 0.5); }
};
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font = QFont(QStringLiteral("Arial"), 8);
    m_font.setStyleStrategy(QFont::NoAntialias);
    fitImage();
}

void PictureBox::setBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    fitImage();
}

void PictureBox::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    fitImage();
}

void PictureBox::fitImage()
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (m_image.size() == size)
        return;
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(bgrToRgb(m_backColor));
    if (!m_image.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, m_image);
    }
    m_image = grown;
}

void PictureBox::setBackColor(uint32_t bgr)
{
    m_backColor = bgr & 0xFFFFFF;
    if (m_displayColors > 0)
        m_backColor = displayColor(m_backColor, m_displayColors);
    Cls();
}

void PictureBox::setFontName(const QString& name)
{
    m_font.setFamily(name);
}

void PictureBox::setFontSize(double points)
{
    if (points > 0)
        m_font.setPointSizeF(points);
}

int64_t PictureBox::Point(double x, double y) const
{
    // Compared before converting, so no coordinate (however far out, or NaN) overflows an int.
    if (!(x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height()))
        return -1;
    return rgbToBgr(m_image.pixel(int(x), int(y)));
}

QPen PictureBox::pen(uint32_t bgr) const
{
    return QPen(QColor(bgrToRgb(bgr)), m_drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void PictureBox::PSet(double x, double y) { PSet(x, y, m_foreColor); }

void PictureBox::PSet(double x, double y, uint32_t bgr)
{
    if (m_drawWidth <= 1) {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.setPixel(int(x), int(y), bgrToRgb(bgr));
    } else {
        ShapePainter p(&m_image);
        p.setPen(pen(bgr));
        p.drawPoint(QPointF(x, y));
    }
    m_currentX = x;
    m_currentY = y;
    update();
}

void PictureBox::Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, m_foreColor); }

void PictureBox::Line(double x1, double y1, double x2, double y2, uint32_t bgr)
{
    {
        ShapePainter p(&m_image);
        p.setPen(pen(bgr));
        if (x1 == x2 && y1 == y2)
            p.drawPoint(QPointF(x1, y1));
        else
            p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    m_currentX = x2;
    m_currentY = y2;
    update();
}

void PictureBox::Circle(double x, double y, double radius)
{
    {
        ShapePainter p(&m_image);
        p.setPen(pen(m_foreColor));
        if (m_fillStyle == FillSolid)
            p.setBrush(QColor(bgrToRgb(m_fillColor)));
        p.drawEllipse(QPointF(x, y), radius, radius);
    }
    m_currentX = x;
    m_currentY = y;
    update();
}

void PictureBox::Print(const QString& text)
{
    const QFontMetrics metrics(m_font);
    {
        SurfacePainter p(&m_image);
        p.setFont(m_font);
        p.setPen(QColor(bgrToRgb(m_foreColor)));
        p.drawText(QPointF(m_currentX, m_currentY + metrics.ascent()), text);
    }
    m_currentX = 0;
    m_currentY += metrics.height();
    update();
}

void PictureBox::Cls()
{
    m_image.fill(bgrToRgb(m_backColor));
    if (!m_picture.isNull()) {
        QPainter p(&m_image);
        p.drawImage(0, 0, m_picture);
    }
    m_currentX = 0;
    m_currentY = 0;
    update();
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    Cls();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    emit MouseDown(mouseButtonCode(e->button()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    emit MouseMove(mouseButtonCode(e->buttons()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    emit MouseUp(mouseButtonCode(e->button()), shiftCode(e->modifiers()), exactPosition(this, e).x(), exactPosition(this, e).y());
}

namespace {
const QRgb kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                              0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

int64_t distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
}
}

uint32_t displayColor(uint32_t bgr, int64_t colors)
{
    if (colors <= 0 || colors > 256)
        return bgr & 0xFFFFFF;
    const QRgb want = bgrToRgb(bgr);
    QRgb best = kStandard16[0];
    int64_t bestDistance = distance(want, best);
    auto consider = [&](QRgb c) {
        const int64_t d = distance(want, c);
        if (d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    };
    for (QRgb c : kStandard16)
        consider(c);
    if (colors > 16) {
        auto level = [](int v) { return (v * 5 + 127) / 255 * 51; };
        consider(qRgb(level(qRed(want)), level(qGreen(want)), level(qBlue(want))));
    }
    return rgbToBgr(best);
}
