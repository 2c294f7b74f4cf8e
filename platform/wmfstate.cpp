#include "platform/wmfplayer.h"

#include <cmath>

namespace wmf {

QColor colorRef(const Bytes& b, qsizetype o)
{
    return b.has(o, 3) ? QColor(b.data[o], b.data[o + 1], b.data[o + 2]) : QColor(Qt::black);
}

Player::Player(QImage& image, QPointF org, QPointF ext, int objects)
    : m_image(image), m_painter(&image), m_budget(std::max<qint64>(64LL * image.width() * image.height(), 64LL << 20))
{
    m_dc.windowOrg = org;
    m_dc.windowExt = ext;
    m_objects.resize(std::max(objects, 16));
    for (int i = 0; i < int(m_objects.size()); ++i)
        m_free.insert(i);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void Player::create(const Object& object)
{
    // Each new object takes the lowest free slot, as the files expect; with none free it is lost.
    if (m_free.empty())
        return;
    const int slot = *m_free.begin();
    m_free.erase(m_free.begin());
    m_objects[slot] = object;
}

void Player::select(int index)
{
    if (index < 0 || index >= int(m_objects.size()))
        return;
    const Object& o = m_objects[index];
    if (o.kind == Object::PenObject)
        m_dc.pen = o.pen;
    else if (o.kind == Object::BrushObject)
        m_dc.brush = o.brush;
}

void Player::restore(int n)
{
    const int depth = int(m_saved.size());
    const int keep = n < 0 ? depth + n : n - 1; // relative to the top, or a level counted from 1
    if (n == 0 || keep < 0 || keep >= depth)
        return;
    m_dc = m_saved[keep];
    m_saved.resize(keep);
}

void Player::saveDC(const Bytes&)
{
    if (m_saved.size() < 4096)
        m_saved.push_back(m_dc);
}

void Player::restoreDC(const Bytes& p) { restore(p.w(0)); }
void Player::setWindowOrg(const Bytes& p) { m_dc.windowOrg = QPointF(p.w(1), p.w(0)); }
void Player::offsetWindowOrg(const Bytes& p) { m_dc.windowOrg += QPointF(p.w(1), p.w(0)); }

void Player::setWindowExt(const Bytes& p)
{
    if (p.w(0) != 0 && p.w(1) != 0)
        m_dc.windowExt = QPointF(p.w(1), p.w(0));
}

void Player::scaleWindowExt(const Bytes& p)
{
    if (p.w(0) != 0 && p.w(2) != 0 && p.w(1) != 0 && p.w(3) != 0)
        m_dc.windowExt = QPointF(m_dc.windowExt.x() * p.w(3) / p.w(2), m_dc.windowExt.y() * p.w(1) / p.w(0));
}

void Player::setBkColor(const Bytes& p) { m_dc.bkColor = colorRef(p, 0); }
void Player::setBkMode(const Bytes& p) { m_dc.bkOpaque = p.w(0) == 2; }
void Player::setPolyFillMode(const Bytes& p) { m_dc.fillRule = p.w(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; }

void Player::createPen(const Bytes& p)
{
    if (p.words() < 5) {
        create(Object{Object::Other, {}, {}});
        return;
    }
    Object o;
    o.kind = Object::PenObject;
    o.pen.style = p.u16(0);
    o.pen.width = std::abs(p.w(1));
    o.pen.color = colorRef(p, 6);
    create(o);
}

void Player::createBrush(const Bytes& p)
{
    if (p.words() < 4) {
        create(Object{Object::Other, {}, {}});
        return;
    }
    Object o;
    o.kind = Object::BrushObject;
    const int style = p.u16(0);
    o.brush.style = style == 0 || style == 2 ? style : 1;
    o.brush.color = colorRef(p, 2);
    o.brush.hatch = p.u16(6);
    create(o);
}

void Player::createPlaceholder(const Bytes&)
{
    // Not drawn here, but each still takes its slot so later indexes stay right.
    create(Object{Object::Other, {}, {}});
}

void Player::selectObject(const Bytes& p) { select(p.u16(0)); }

void Player::deleteObject(const Bytes& p)
{
    const int index = p.u16(0);
    if (index < int(m_objects.size()) && m_objects[index].kind != Object::Free) {
        m_objects[index] = Object{};
        m_free.insert(index);
    }
}

void Player::moveTo(const Bytes& p) { m_dc.position = QPointF(p.w(1), p.w(0)); }

} // namespace wmf
