#include "platform/wmfplayer.h"

#include <algorithm>

namespace wmf {

// Every record the player knows, with the fewest parameter words it must have to be played. A
// record missing here is skipped; so is one shorter than its entry says.
const Player::Record* Player::find(quint16 function)
{
    static const Record table[] = {
        {META_SAVEDC, 0, &Player::saveDC},
        {META_SETBKMODE, 1, &Player::setBkMode},
        {META_SETPOLYFILLMODE, 1, &Player::setPolyFillMode},
        {META_RESTOREDC, 1, &Player::restoreDC},
        {META_SELECTOBJECT, 1, &Player::selectObject},
        {META_DIBCREATEPATTERNBRUSH, 0, &Player::dibCreatePatternBrush},
        {META_DELETEOBJECT, 1, &Player::deleteObject},
        {META_CREATEPATTERNBRUSH, 0, &Player::createPlaceholder},
        {META_CREATEPALETTE, 0, &Player::createPlaceholder},
        {META_SETBKCOLOR, 2, &Player::setBkColor},
        {META_SETWINDOWORG, 2, &Player::setWindowOrg},
        {META_SETWINDOWEXT, 2, &Player::setWindowExt},
        {META_OFFSETWINDOWORG, 2, &Player::offsetWindowOrg},
        {META_LINETO, 2, &Player::lineTo},
        {META_MOVETO, 2, &Player::moveTo},
        {META_CREATEPENINDIRECT, 0, &Player::createPen},
        {META_CREATEFONTINDIRECT, 0, &Player::createPlaceholder},
        {META_CREATEBRUSHINDIRECT, 0, &Player::createBrush},
        {META_POLYGON, 1, &Player::polygon},
        {META_POLYLINE, 1, &Player::polyline},
        {META_SCALEWINDOWEXT, 4, &Player::scaleWindowExt},
        {META_ELLIPSE, 4, &Player::ellipse},
        {META_RECTANGLE, 4, &Player::rectangle},
        {META_SETPIXEL, 4, &Player::setPixel},
        {META_POLYPOLYGON, 1, &Player::polyPolygon},
        {META_ROUNDRECT, 6, &Player::roundRect},
        {META_PATBLT, 6, &Player::patBlt},
        {META_CREATEREGION, 0, &Player::createPlaceholder},
        {META_ARC, 8, &Player::arc},
        {META_PIE, 8, &Player::pie},
        {META_CHORD, 8, &Player::chord},
        {META_DIBBITBLT, 8, &Player::dibBitBlt},
        {META_DIBSTRETCHBLT, 10, &Player::dibStretchBlt},
        {META_STRETCHDIB, 11, &Player::stretchDib},
    };
    const auto* end = std::end(table);
    const auto* it = std::find_if(std::begin(table), end, [function](const Record& r) { return r.function == function; });
    return it == end ? nullptr : it;
}

void Player::play(quint16 function, const Bytes& p)
{
    const Record* record = find(function);
    if (record && p.words() >= record->words)
        (this->*record->handler)(p);
}

} // namespace wmf
