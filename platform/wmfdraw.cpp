// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/wmf.h"
#include "platform/wmfplayer.h"

#include <QtMath>
#include <cmath>

namespace wmf {

namespace {

// A binary raster operation (the pen or brush mixed with what is there) as Qt's composition.
QPainter::CompositionMode mixMode(int rop2)
{
    switch (rop2) {
    case 2: return QPainter::RasterOp_NotSourceAndNotDestination; // not (pen or dest)
    case 3: return QPainter::RasterOp_NotSourceAndDestination;
    case 4: return QPainter::RasterOp_NotSource;
    case 5: return QPainter::RasterOp_SourceAndNotDestination;
    case 6: return QPainter::RasterOp_NotDestination;
    case 7: return QPainter::RasterOp_SourceXorDestination;
    case 8: return QPainter::RasterOp_NotSourceOrNotDestination; // not (pen and dest)
    case 9: return QPainter::RasterOp_SourceAndDestination;
    case 10: return QPainter::RasterOp_NotSourceXorDestination;
    case 12: return QPainter::RasterOp_NotSourceOrDestination;
    case 14: return QPainter::RasterOp_SourceOrNotDestination;
    case 15: return QPainter::RasterOp_SourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// A ternary raster operation on one pixel: bit i of the code is the result where the pattern,
// source and destination bits are the bits of i, in that order from the top.
QRgb ternary(int code, QRgb p, QRgb s, QRgb d)
{
    quint32 out = 0;
    for (int i = 0; i < 8; ++i)
        if (code >> i & 1)
            out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return out | 0xFF000000u;
}

bool usesPattern(int code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
bool usesSource(int code) { return ((code >> 2) & 0x33) != (code & 0x33); }

} // namespace

QPen Player::pen() const
{
    const int style = m_dc.pen.style & 0x0F;
    if (style == 5)
        return Qt::NoPen;
    // A pen narrower than a pixel of the picture at its own size is one such pixel wide.
    const double thinnest = std::max(1.0, m_frame.pixelScale);
    const double width = std::clamp(m_dc.pen.width * std::abs(sx()), thinnest, 2.0 * kWmfMaxSide);
    QPen qp(m_dc.pen.color, width);
    // Windows draws dashes only with thin pens, at these lengths in pixels.
    if (style >= 1 && style <= 4 && width <= thinnest * 1.5) {
        static const QVector<qreal> dashes[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
        qp.setDashPattern(dashes[style - 1]);
        qp.setCapStyle(Qt::FlatCap);
        return qp;
    }
    switch (m_dc.pen.style & 0x0F00) {
    case 0x0100: qp.setCapStyle(Qt::SquareCap); break;
    case 0x0200: qp.setCapStyle(Qt::FlatCap); break;
    default: qp.setCapStyle(Qt::RoundCap); break;
    }
    switch (m_dc.pen.style & 0xF000) {
    case 0x1000: qp.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000:
        // As in GDI: a corner whose miter would reach beyond 10 pen widths (a line turning back on
        // itself) is bevelled, never drawn as a spike.
        qp.setJoinStyle(Qt::SvgMiterJoin);
        qp.setMiterLimit(10);
        break;
    default: qp.setJoinStyle(Qt::RoundJoin); break;
    }
    return qp;
}

QBrush Player::brush(const Brush& b) const
{
    QBrush out;
    switch (b.style) {
    case 0: return QBrush(b.color);
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        out = QBrush(b.color, b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
        break;
    }
    case 3:
    case 5: {
        if (b.pattern.isNull())
            return Qt::NoBrush;
        QImage pattern = b.pattern;
        if (b.mono) // the zero bits take the text colour, the ones the background colour
            pattern.setColorTable({m_dc.textColor.rgb(), m_dc.bkColor.rgb()});
        out = QBrush(pattern);
        break;
    }
    default: return Qt::NoBrush;
    }
    // Patterns are device pixels; a picture painted larger keeps their look.
    if (m_frame.pixelScale > 1.01)
        out.setTransform(QTransform::fromScale(m_frame.pixelScale, m_frame.pixelScale));
    return out;
}

bool Player::usePenMix(QPen& pen, QBrush& brush)
{
    switch (m_dc.rop2) {
    case 11: return false; // leave the picture as it is
    case 1:
    case 16: {
        const QColor c = m_dc.rop2 == 1 ? Qt::black : Qt::white;
        pen.setColor(c);
        if (brush.style() != Qt::NoBrush)
            brush = QBrush(c);
        break;
    }
    default: break;
    }
    m_painter.setCompositionMode(mixMode(m_dc.rop2));
    return true;
}

bool Player::spendOn(const QRectF& bounds, qint64 elements, double penWidth)
{
    const QRectF area = bounds.adjusted(-penWidth, -penWidth, penWidth, penWidth).intersected(QRectF(m_image.rect()));
    return spend(qint64(area.width() * area.height()) + elements * qint64(penWidth + 2) + 16);
}

void Player::fillAndStroke(const QPainterPath& path)
{
    QPen p = pen();
    QBrush b = brush();
    if (!spendOn(path.controlPointRect(), path.elementCount(), p.widthF()) || !usePenMix(p, b))
        return;
    applyClip();
    // Hatches and dashes show the background colour between their lines, unless it is transparent.
    if (m_dc.bkOpaque && b.style() != Qt::SolidPattern && m_dc.brush.style == 2)
        m_painter.fillPath(path, m_dc.bkColor);
    if (m_dc.bkOpaque && p.style() == Qt::CustomDashLine) {
        m_painter.strokePath(path, QPen(m_dc.bkColor, p.widthF()));
    }
    m_painter.setPen(p);
    m_painter.setBrush(b);
    m_painter.drawPath(path);
}

void Player::stroke(const QPainterPath& path)
{
    QPen p = pen();
    QBrush none;
    if (!spendOn(path.controlPointRect(), path.elementCount(), p.widthF()) || !usePenMix(p, none))
        return;
    applyClip();
    if (m_dc.bkOpaque && p.style() == Qt::CustomDashLine)
        m_painter.strokePath(path, QPen(m_dc.bkColor, p.widthF()));
    m_painter.setPen(p);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
}

// A shape's box; a pen drawn inside the frame keeps its whole width within it.
QRectF Player::frameRect(double left, double top, double right, double bottom) const
{
    QRectF r = mapRect(left, top, right, bottom);
    if ((m_dc.pen.style & 0x0F) == 6) {
        const double half = pen().widthF() / 2;
        if (r.width() > 2 * half && r.height() > 2 * half)
            r.adjust(half, half, -half, -half);
    }
    return r;
}

// Arcs run counter-clockwise from the start radial to the end radial, as seen in logical
// space; a window that mirrors one axis mirrors the direction on the image.
QPainterPath Player::arcPath(const Bytes& p, int kind) const
{
    const QRectF r = frameRect(p.w(7), p.w(6), p.w(5), p.w(4));
    const QPointF start = map(p.w(3), p.w(2));
    const QPointF end = map(p.w(1), p.w(0));
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
        poly << map(p.w(at + 2 * i), p.w(at + 2 * i + 1));
    return poly;
}

void Player::lineTo(const Bytes& p)
{
    const QPointF to(p.w(1), p.w(0));
    QPainterPath path(map(m_dc.position.x(), m_dc.position.y()));
    path.lineTo(map(to.x(), to.y()));
    stroke(path);
    m_dc.position = to;
}

void Player::setPixel(const Bytes& p)
{
    const QPointF at = map(p.w(3), p.w(2));
    const double side = std::max(1.0, m_frame.pixelScale);
    if (!QRectF(m_image.rect()).contains(at) || !spend(qint64(side * side) + 16))
        return;
    applyClip();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.fillRect(QRectF(QPointF(std::floor(at.x()), std::floor(at.y())), QSizeF(side, side)), color(p, 0));
}

void Player::rectangle(const Bytes& p)
{
    QPainterPath path;
    path.addRect(frameRect(p.w(3), p.w(2), p.w(1), p.w(0)));
    fillAndStroke(path);
}

void Player::roundRect(const Bytes& p)
{
    QPainterPath path;
    path.addRoundedRect(frameRect(p.w(5), p.w(4), p.w(3), p.w(2)), std::abs(p.w(1) * sx()) / 2, std::abs(p.w(0) * sy()) / 2);
    fillAndStroke(path);
}

void Player::ellipse(const Bytes& p)
{
    QPainterPath path;
    path.addEllipse(frameRect(p.w(3), p.w(2), p.w(1), p.w(0)));
    fillAndStroke(path);
}

void Player::arc(const Bytes& p) { stroke(arcPath(p, META_ARC)); }
void Player::pie(const Bytes& p) { fillAndStroke(arcPath(p, META_PIE)); }
void Player::chord(const Bytes& p) { fillAndStroke(arcPath(p, META_CHORD)); }

void Player::polygon(const Bytes& p)
{
    const int count = p.w(0);
    if (count <= 0 || 1 + 2 * qint64(count) > p.words())
        return;
    QPainterPath path;
    path.setFillRule(m_dc.fillRule);
    path.addPolygon(points(p, 1, count));
    path.closeSubpath();
    fillAndStroke(path);
}

void Player::polyline(const Bytes& p)
{
    const int count = p.w(0);
    if (count <= 0 || 1 + 2 * qint64(count) > p.words())
        return;
    QPainterPath path;
    path.addPolygon(points(p, 1, count));
    stroke(path);
}

void Player::polyPolygon(const Bytes& p)
{
    const int polygons = p.u16(0);
    if (1 + qint64(polygons) > p.words())
        return;
    qint64 total = 0;
    for (int i = 0; i < polygons; ++i)
        total += p.u16(qsizetype(1 + i) * 2);
    if (1 + polygons + 2 * total > p.words())
        return;
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

void Player::blit(const QRect& target, const QImage* source, quint32 rop)
{
    const QRect area = target.intersected(m_image.rect());
    if (area.isEmpty() || !spend(qint64(area.width()) * area.height() + 16))
        return;
    const int code = int((rop >> 16) & 0xFF);
    applyClip();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QBrush pattern = brush();
    const bool hatchGround = m_dc.bkOpaque && m_dc.brush.style == 2;
    switch (code) {
    case 0xAA: return; // the picture as it is
    case 0x00: m_painter.fillRect(target, Qt::black); return;
    case 0xFF: m_painter.fillRect(target, Qt::white); return;
    case 0xF0:
        if (hatchGround)
            m_painter.fillRect(target, m_dc.bkColor);
        m_painter.fillRect(target, pattern);
        return;
    case 0xCC:
        if (source) {
            m_painter.drawImage(target, *source);
            return;
        }
        break;
    default: break;
    }
    // Every other operation pixel by pixel: the brush laid out where it would paint, the
    // source, and the picture.
    QImage brushed;
    if (usesPattern(code)) {
        brushed = QImage(area.size(), QImage::Format_RGB32);
        brushed.fill(Qt::black);
        QPainter bp(&brushed);
        bp.translate(-area.topLeft());
        if (hatchGround)
            bp.fillRect(area, m_dc.bkColor);
        bp.fillRect(area, pattern);
    }
    QImage src;
    if (usesSource(code) && source)
        src = source->convertToFormat(QImage::Format_RGB32);
    const QRegion where = m_dc.clipped ? m_dc.clip.intersected(area) : QRegion(area);
    for (const QRect& r : where) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* d = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            const auto* pp = brushed.isNull() ? nullptr : reinterpret_cast<const QRgb*>(brushed.constScanLine(y - area.top()));
            const int sy = y - target.top();
            const auto* sp = !src.isNull() && sy < src.height() ? reinterpret_cast<const QRgb*>(src.constScanLine(sy)) : nullptr;
            for (int x = r.left(); x <= r.right(); ++x) {
                const int sx = x - target.left();
                const QRgb s = sp && sx < src.width() ? sp[sx] : 0;
                d[x] = ternary(code, pp ? pp[x - area.left()] : 0, s, d[x]);
            }
        }
    }
}

// The bit-block records without a bitmap work on the picture itself: they fill their rectangle
// with the brush by their raster operation, and an operation that takes a source takes it from
// the picture. The rectangle is the last four words (height, width, top, left); the source is
// before them, with its own size in the stretching records.
void Player::shortBlt(const Bytes& p, int heightAt, quint32 rop)
{
    const int h = p.w(heightAt), w = p.w(heightAt + 1), y = p.w(heightAt + 2), x = p.w(heightAt + 3);
    const QRect target = pixelRect(x, y, double(x) + w, double(y) + h);
    if (!usesSource(int((rop >> 16) & 0xFF)))
        return blit(target, nullptr, rop);
    const bool stretched = heightAt == 7;
    const int srcX = p.w(stretched ? 5 : 3), srcY = p.w(stretched ? 4 : 2);
    const int srcW = stretched ? p.w(3) : w, srcH = stretched ? p.w(2) : h;
    const QRect from = pixelRect(srcX, srcY, double(srcX) + srcW, double(srcY) + srcH).intersected(m_image.rect());
    const QRect visible = target.intersected(m_image.rect());
    if (from.isEmpty() || visible.isEmpty() || !spend(qint64(from.width()) * from.height()))
        return;
    QImage source(visible.size(), QImage::Format_RGB32);
    {
        QPainter sp(&source);
        sp.drawImage(QRectF(target.translated(-visible.topLeft())), m_image.copy(from));
    }
    blit(visible, &source, rop);
}

void Player::patBlt(const Bytes& p) { shortBlt(p, 2, p.u32(0)); }

void Player::fillDeviceRegion(const QRegion& region, const Brush& fill)
{
    const QRect bounds = region.boundingRect().intersected(m_image.rect());
    if (!spend(qint64(bounds.width()) * bounds.height() + qint64(region.rectCount()) * 16))
        return;
    applyClip();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QPainterPath path;
    path.addRegion(region);
    if (m_dc.bkOpaque && fill.style == 2)
        m_painter.fillPath(path, m_dc.bkColor);
    m_painter.fillPath(path, brush(fill));
}

void Player::fillRegion(const Bytes& p)
{
    const Object* region = object(p.u16(0), Object::RegionObject);
    const Object* b = object(p.u16(2), Object::BrushObject);
    if (region && b)
        fillDeviceRegion(deviceRegion(region->region), b->brush);
}

void Player::paintRegion(const Bytes& p)
{
    if (const Object* region = object(p.u16(0), Object::RegionObject))
        fillDeviceRegion(deviceRegion(region->region), m_dc.brush);
}

void Player::frameRegion(const Bytes& p)
{
    const Object* region = object(p.u16(0), Object::RegionObject);
    const Object* b = object(p.u16(2), Object::BrushObject);
    if (!region || !b)
        return;
    // The frame is what is left of the region once it is shrunk by the frame's width and height.
    const int h = std::clamp(int(std::round(std::abs(p.w(2) * sy()))), 1, kWmfMaxSide);
    const int w = std::clamp(int(std::round(std::abs(p.w(3) * sx()))), 1, kWmfMaxSide);
    const QRegion all = deviceRegion(region->region);
    const QRegion inner = all.intersected(all.translated(w, 0)).intersected(all.translated(-w, 0))
                              .intersected(all.translated(0, h)).intersected(all.translated(0, -h));
    fillDeviceRegion(all.subtracted(inner), b->brush);
}

void Player::invertRegion(const Bytes& p)
{
    const Object* region = object(p.u16(0), Object::RegionObject);
    if (!region)
        return;
    const QRegion where = deviceRegion(region->region);
    const QRect bounds = where.boundingRect().intersected(m_image.rect());
    if (!spend(qint64(bounds.width()) * bounds.height() + 16))
        return;
    applyClip();
    m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    QPainterPath path;
    path.addRegion(where);
    m_painter.fillPath(path, Qt::black);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Fills the area around a point: up to a border of one colour, or while the colour lasts.
void Player::flood(QPoint at, QRgb border, bool surface)
{
    if (!m_image.rect().contains(at) || (m_dc.clipped && !m_dc.clip.contains(at)) ||
        !spend(4LL * m_image.width() * m_image.height()))
        return;
    const int w = m_image.width(), h = m_image.height();
    border &= 0xFFFFFF;
    auto inside = [&](int x, int y) {
        const QRgb c = m_image.pixel(x, y) & 0xFFFFFF;
        return surface ? c == border : c != border;
    };
    if (!inside(at.x(), at.y()))
        return;
    QImage mask(w, h, QImage::Format_Grayscale8);
    mask.fill(0);
    std::vector<QPoint> todo{at};
    QRect bounds(at, at);
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        int left = p.x(), right = p.x();
        const int y = p.y();
        uchar* row = mask.scanLine(y);
        if (row[left])
            continue;
        while (left > 0 && !row[left - 1] && inside(left - 1, y))
            --left;
        while (right < w - 1 && !row[right + 1] && inside(right + 1, y))
            ++right;
        for (int x = left; x <= right; ++x)
            row[x] = 1;
        bounds = bounds.united(QRect(left, y, right - left + 1, 1));
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            const uchar* next = mask.constScanLine(ny);
            for (int x = left; x <= right; ++x)
                if (!next[x] && inside(x, ny) && (x == left || next[x - 1] || !inside(x - 1, ny)))
                    todo.emplace_back(x, ny);
        }
    }
    QImage fill(bounds.size(), QImage::Format_RGB32);
    {
        QPainter fp(&fill);
        fp.translate(-bounds.topLeft());
        fp.fillRect(bounds, m_dc.bkColor);
        fp.fillRect(bounds, brush());
    }
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const uchar* m = mask.constScanLine(y);
        auto* d = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const auto* f = reinterpret_cast<const QRgb*>(fill.constScanLine(y - bounds.top()));
        for (int x = bounds.left(); x <= bounds.right(); ++x)
            if (m[x] && (!m_dc.clipped || m_dc.clip.contains(QPoint(x, y))))
                d[x] = f[x - bounds.left()];
    }
}

void Player::floodFill(const Bytes& p) { flood(map(p.w(3), p.w(2)).toPoint(), color(p, 0).rgb(), false); }
void Player::extFloodFill(const Bytes& p) { flood(map(p.w(4), p.w(3)).toPoint(), color(p, 2).rgb(), p.w(0) == 1); }

} // namespace wmf
