// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/wmfplayer.h"

#include <cmath>

namespace wmf {

namespace {
constexpr int kMaxSavedStates = 4096;
constexpr int kMaxRegionRects = 5000;
constexpr int kMaxPaletteEntries = 4096;
} // namespace

Player::Player(QImage& image, const Frame& frame, int objects)
    : m_image(image), m_painter(&image), m_frame(frame), m_slots(std::max(objects, 16)),
      m_budget(std::max<qint64>(64LL * image.width() * image.height(), 64LL << 20))
{
    // The device is the frame in the file's own units until the file sets a viewport.
    m_dc.windowOrg = m_dc.viewportOrg = frame.org;
    m_dc.windowExt = m_dc.viewportExt = frame.ext;
    // Unsmoothed, so that lines and fills stay the pure colours the fill tool needs.
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

double Player::sx() const
{
    double v = m_dc.viewportExt.x() / m_dc.windowExt.x();
    if (m_dc.isotropic)
        v = std::copysign(std::min(std::abs(v), std::abs(m_dc.viewportExt.y() / m_dc.windowExt.y())), v);
    return v * m_image.width() / m_frame.ext.x();
}

double Player::sy() const
{
    double v = m_dc.viewportExt.y() / m_dc.windowExt.y();
    if (m_dc.isotropic)
        v = std::copysign(std::min(std::abs(v), std::abs(m_dc.viewportExt.x() / m_dc.windowExt.x())), v);
    return v * m_image.height() / m_frame.ext.y();
}

QPointF Player::map(double x, double y) const
{
    const double fx = m_image.width() / m_frame.ext.x(), fy = m_image.height() / m_frame.ext.y();
    return {(x - m_dc.windowOrg.x()) * sx() + (m_dc.viewportOrg.x() - m_frame.org.x()) * fx,
            (y - m_dc.windowOrg.y()) * sy() + (m_dc.viewportOrg.y() - m_frame.org.y()) * fy};
}

QRect Player::pixelRect(double left, double top, double right, double bottom) const
{
    const QRectF r = mapRect(left, top, right, bottom);
    auto clamp = [](double v) { return int(std::clamp(std::round(v), -1e6, 1e6)); };
    return QRect(QPoint(clamp(r.left()), clamp(r.top())), QPoint(clamp(r.right()) - 1, clamp(r.bottom()) - 1));
}

QColor Player::color(const Bytes& b, qsizetype o) const
{
    if (!b.has(o, 3))
        return Qt::black;
    // A colour reference whose high byte is 1 names an entry of the selected palette.
    if (b.has(o, 4) && b.data[o + 3] == 1) {
        if (const Object* pal = object(m_dc.palette, Object::PaletteObject); pal && b.u16(o) < pal->palette.size())
            return pal->palette[b.u16(o)];
        return Qt::black;
    }
    return QColor(b.data[o], b.data[o + 1], b.data[o + 2]);
}

const Object* Player::object(int index, Object::Kind kind) const
{
    if (index < 0 || index >= int(m_objects.size()) || m_objects[size_t(index)].kind != kind)
        return nullptr;
    return &m_objects[size_t(index)];
}

void Player::create(const Object& object)
{
    // Each new object takes the lowest free slot, as the files expect; with none free it is lost.
    if (!m_free.empty()) {
        const int slot = *m_free.begin();
        m_free.erase(m_free.begin());
        m_objects[size_t(slot)] = object;
    } else if (int(m_objects.size()) < m_slots) {
        m_objects.push_back(object);
    }
}

void Player::restore(int n)
{
    const int depth = int(m_saved.size());
    const int keep = n < 0 ? depth + n : n - 1; // relative to the top, or a level counted from 1
    if (n == 0 || keep < 0 || keep >= depth)
        return;
    m_dc = m_saved[size_t(keep)];
    m_saved.resize(size_t(keep));
    m_clipApplied = false;
}

void Player::saveDC(const Bytes&)
{
    if (m_saved.size() < kMaxSavedStates && spend(64 + qint64(m_dc.clip.rectCount()) * 16))
        m_saved.push_back(m_dc);
}

void Player::restoreDC(const Bytes& p) { restore(p.w(0)); }

// Only the isotropic mode changes how the extents count; the fixed units of the other modes
// mean nothing once the frame is the picture, so those files play as anisotropic.
void Player::setMapMode(const Bytes& p) { m_dc.isotropic = p.w(0) == 7; }

void Player::setWindowOrg(const Bytes& p) { m_dc.windowOrg = QPointF(p.w(1), p.w(0)); }
void Player::offsetWindowOrg(const Bytes& p) { m_dc.windowOrg += QPointF(p.w(1), p.w(0)); }

void Player::setWindowExt(const Bytes& p)
{
    if (p.w(0) != 0 && p.w(1) != 0)
        m_dc.windowExt = QPointF(p.w(1), p.w(0));
}

// Scalings are applied only when they leave an extent that is not zero and not absurd.
void Player::scaleWindowExt(const Bytes& p)
{
    if (p.w(0) == 0 || p.w(2) == 0 || p.w(1) == 0 || p.w(3) == 0)
        return;
    const QPointF ext(m_dc.windowExt.x() * p.w(3) / p.w(2), m_dc.windowExt.y() * p.w(1) / p.w(0));
    if (std::abs(ext.x()) >= 1e-3 && std::abs(ext.y()) >= 1e-3 && std::abs(ext.x()) < 1e9 && std::abs(ext.y()) < 1e9)
        m_dc.windowExt = ext;
}

void Player::setViewportOrg(const Bytes& p) { m_dc.viewportOrg = QPointF(p.w(1), p.w(0)); }
void Player::offsetViewportOrg(const Bytes& p) { m_dc.viewportOrg += QPointF(p.w(1), p.w(0)); }

void Player::setViewportExt(const Bytes& p)
{
    if (p.w(0) != 0 && p.w(1) != 0)
        m_dc.viewportExt = QPointF(p.w(1), p.w(0));
}

void Player::scaleViewportExt(const Bytes& p)
{
    if (p.w(0) == 0 || p.w(2) == 0 || p.w(1) == 0 || p.w(3) == 0)
        return;
    const QPointF ext(m_dc.viewportExt.x() * p.w(3) / p.w(2), m_dc.viewportExt.y() * p.w(1) / p.w(0));
    if (std::abs(ext.x()) >= 1e-3 && std::abs(ext.y()) >= 1e-3 && std::abs(ext.x()) < 1e9 && std::abs(ext.y()) < 1e9)
        m_dc.viewportExt = ext;
}

void Player::setBkColor(const Bytes& p) { m_dc.bkColor = color(p, 0); }
void Player::setBkMode(const Bytes& p) { m_dc.bkOpaque = p.w(0) == 2; }
void Player::setTextColor(const Bytes& p) { m_dc.textColor = color(p, 0); }

void Player::setRop2(const Bytes& p)
{
    if (p.w(0) >= 1 && p.w(0) <= 16)
        m_dc.rop2 = p.w(0);
}

void Player::setPolyFillMode(const Bytes& p) { m_dc.fillRule = p.w(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; }
void Player::setStretchBltMode(const Bytes& p) { m_dc.stretchMode = p.w(0); }
void Player::setTextAlign(const Bytes& p) { m_dc.textAlign = p.u16(0); }
void Player::setTextCharExtra(const Bytes& p) { m_dc.charExtra = p.w(0); }

void Player::setTextJustification(const Bytes& p)
{
    m_dc.breakCount = std::max<int>(0, p.w(0));
    m_dc.breakExtra = p.w(1);
}

void Player::createPen(const Bytes& p)
{
    if (p.words() < 5) {
        create(Object{Object::Other, {}, {}, {}, {}, {}});
        return;
    }
    Object o;
    o.kind = Object::PenObject;
    o.pen.style = p.u16(0);
    o.pen.width = std::abs(p.w(1));
    o.pen.color = color(p, 6);
    create(o);
}

void Player::createBrush(const Bytes& p)
{
    if (p.words() < 4) {
        create(Object{Object::Other, {}, {}, {}, {}, {}});
        return;
    }
    Object o;
    o.kind = Object::BrushObject;
    const int style = p.u16(0);
    o.brush.style = style == 0 || style == 2 ? style : 1;
    o.brush.color = color(p, 2);
    o.brush.hatch = p.u16(6);
    create(o);
}

void Player::createFont(const Bytes& p)
{
    Object o;
    o.kind = Object::FontObject;
    Font& f = o.font;
    f.height = p.w(0);
    f.width = std::abs(p.w(1));
    f.escapement = p.w(2);
    f.weight = p.w(4);
    f.italic = p.has(10, 1) && p.data[10];
    f.underline = p.has(11, 1) && p.data[11];
    f.strikeOut = p.has(12, 1) && p.data[12];
    f.charset = p.has(13, 1) ? p.data[13] : 0;
    f.pitchAndFamily = p.has(17, 1) ? p.data[17] : 0;
    const QByteArray face = p.bytes(18, std::min<qsizetype>(32, std::max<qsizetype>(0, p.size - 18)));
    f.face = face.left(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
    create(o);
}

void Player::createRegion(const Bytes& p)
{
    // The header, the bounding box, then scans: a count of edges, top, bottom, the edges in
    // left and right pairs, and the count again.
    Object o;
    o.kind = Object::RegionObject;
    const int scans = p.u16(10);
    qsizetype at = 22;
    for (int s = 0; s < scans && p.has(at, 6); ++s) {
        const int edges = p.u16(at);
        const int top = p.w(int(at / 2) + 1), bottom = p.w(int(at / 2) + 2);
        if (!p.has(at + 6, qsizetype(edges) * 2 + 2))
            break;
        for (int e = 0; e + 1 < edges && int(o.region.rects.size()) < kMaxRegionRects; e += 2) {
            const int left = p.s16(at + 6 + qsizetype(e) * 2), right = p.s16(at + 8 + qsizetype(e) * 2);
            if (right > left && bottom > top)
                o.region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
        }
        at += 6 + qsizetype(edges) * 2 + 2;
    }
    // Regions are kept whole, so many large ones cost as much as painting.
    spend(qint64(o.region.rects.size()) * 64);
    create(o);
}

void Player::createPalette(const Bytes& p)
{
    Object o;
    o.kind = Object::PaletteObject;
    const int count = std::min<int>(p.u16(2), kMaxPaletteEntries);
    for (int i = 0; i < count && p.has(4 + qsizetype(i) * 4, 4); ++i)
        o.palette.emplace_back(p.data[4 + i * 4], p.data[5 + i * 4], p.data[6 + i * 4]);
    spend(qint64(o.palette.size()) * 64);
    create(o);
}

void Player::createPlaceholder(const Bytes&)
{
    // Not drawn, but each still takes its slot so later indexes stay right.
    create(Object{Object::Other, {}, {}, {}, {}, {}});
}

void Player::selectObject(const Bytes& p)
{
    const int index = p.u16(0);
    if (const Object* pen = object(index, Object::PenObject))
        m_dc.pen = pen->pen;
    else if (const Object* brush = object(index, Object::BrushObject))
        m_dc.brush = brush->brush;
    else if (const Object* font = object(index, Object::FontObject))
        m_dc.font = font->font;
    else if (const Object* region = object(index, Object::RegionObject))
        setClip(deviceRegion(region->region)); // selecting a region clips to it
}

void Player::selectPalette(const Bytes& p)
{
    if (object(p.u16(0), Object::PaletteObject))
        m_dc.palette = p.u16(0);
}

void Player::setPalEntries(const Bytes& p)
{
    if (m_dc.palette < 0 || !object(m_dc.palette, Object::PaletteObject))
        return;
    std::vector<QColor>& colors = m_objects[size_t(m_dc.palette)].palette;
    const int start = p.u16(0), count = p.u16(2);
    for (int i = 0; i < count && p.has(4 + qsizetype(i) * 4, 4); ++i)
        if (start + i < int(colors.size()))
            colors[size_t(start + i)] = QColor(p.data[4 + i * 4], p.data[5 + i * 4], p.data[6 + i * 4]);
}

void Player::resizePalette(const Bytes& p)
{
    if (m_dc.palette >= 0 && object(m_dc.palette, Object::PaletteObject) && spend(qint64(p.u16(0)) * 64))
        m_objects[size_t(m_dc.palette)].palette.resize(std::min<size_t>(p.u16(0), kMaxPaletteEntries), Qt::black);
}

void Player::deleteObject(const Bytes& p)
{
    const int index = p.u16(0);
    if (index < int(m_objects.size()) && m_objects[size_t(index)].kind != Object::Free) {
        m_objects[size_t(index)] = Object{};
        m_free.insert(index);
        if (index == m_dc.palette)
            m_dc.palette = -1;
    }
}

void Player::moveTo(const Bytes& p) { m_dc.position = QPointF(p.w(1), p.w(0)); }

// Clipping is kept in picture pixels, as Windows keeps it in device units: a later change of
// window or viewport does not move it.
void Player::setClip(const QRegion& clip)
{
    m_dc.clip = clip;
    m_dc.clipped = true;
    m_clipApplied = false;
}

void Player::applyClip()
{
    if (m_clipApplied)
        return;
    if (m_dc.clipped)
        m_painter.setClipRegion(m_dc.clip);
    else
        m_painter.setClipping(false);
    m_clipApplied = true;
}

void Player::intersectClipRect(const Bytes& p)
{
    const QRect r = pixelRect(p.w(3), p.w(2), p.w(1), p.w(0));
    setClip(m_dc.clipped ? m_dc.clip.intersected(r) : QRegion(r));
}

void Player::excludeClipRect(const Bytes& p)
{
    const QRect r = pixelRect(p.w(3), p.w(2), p.w(1), p.w(0));
    setClip((m_dc.clipped ? m_dc.clip : QRegion(m_image.rect())).subtracted(r));
}

void Player::selectClipRegion(const Bytes& p)
{
    // No region, or not a region: clipping ends.
    if (const Object* o = object(p.u16(0), Object::RegionObject)) {
        setClip(deviceRegion(o->region));
    } else {
        m_dc.clipped = false;
        m_dc.clip = QRegion();
        m_clipApplied = false;
    }
}

void Player::offsetClipRgn(const Bytes& p)
{
    if (!m_dc.clipped)
        return;
    setClip(m_dc.clip.translated(int(std::round(std::clamp(p.w(1) * sx(), -1e6, 1e6))),
                                 int(std::round(std::clamp(p.w(0) * sy(), -1e6, 1e6)))));
}

QRegion Player::deviceRegion(const Region& region) const
{
    // The scans come top to bottom and left to right, the order a region is built fastest in.
    QRegion out;
    for (const QRect& r : region.rects)
        out += pixelRect(r.left(), r.top(), double(r.right()) + 1, double(r.bottom()) + 1);
    return out;
}

} // namespace wmf
