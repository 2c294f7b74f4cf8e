#include "platform/wmf.h"
#include "platform/wmfplayer.h"

#include <QtMath>
#include <cmath>

namespace wmf {

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
    const QRectF r = mapRect(p.w(7), p.w(6), p.w(5), p.w(4));
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
    const QPoint at = map(p.w(3), p.w(2)).toPoint();
    if (m_image.rect().contains(at))
        m_image.setPixelColor(at, colorRef(p, 0));
}

void Player::rectangle(const Bytes& p)
{
    QPainterPath path;
    path.addRect(mapRect(p.w(3), p.w(2), p.w(1), p.w(0)));
    fillAndStroke(path);
}

void Player::roundRect(const Bytes& p)
{
    QPainterPath path;
    path.addRoundedRect(mapRect(p.w(5), p.w(4), p.w(3), p.w(2)), std::abs(p.w(1) * sx()) / 2, std::abs(p.w(0) * sy()) / 2);
    fillAndStroke(path);
}

void Player::ellipse(const Bytes& p)
{
    QPainterPath path;
    path.addEllipse(mapRect(p.w(3), p.w(2), p.w(1), p.w(0)));
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

void Player::patBlt(const Bytes& p)
{
    const quint32 rop = p.u32(0);
    const QRectF r = mapRect(p.w(5), p.w(4), double(p.w(5)) + p.w(3), double(p.w(4)) + p.w(2));
    if (!spendOn(r, 1, 0))
        return;
    if (rop == 0x00F00021u)
        m_painter.fillRect(r, brush());
    else if (rop == 0x00000042u)
        m_painter.fillRect(r, Qt::black);
    else if (rop == 0x00FF0062u)
        m_painter.fillRect(r, Qt::white);
}

} // namespace wmf
