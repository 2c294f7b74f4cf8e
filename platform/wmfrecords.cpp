// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/wmfplayer.h"

#include <algorithm>

namespace wmf {

// Every record the player knows, with the fewest parameter words it must have to be played. A
// record missing here is skipped; so is one shorter than its entry says.
const Player::Record* Player::find(quint16 function)
{
    static const Record table[] = {
        // The device context (wmfstate.cpp)
        {META_SAVEDC, 0, &Player::saveDC},
        {META_RESTOREDC, 1, &Player::restoreDC},
        {META_SETMAPMODE, 1, &Player::setMapMode},
        {META_SETWINDOWORG, 2, &Player::setWindowOrg},
        {META_SETWINDOWEXT, 2, &Player::setWindowExt},
        {META_OFFSETWINDOWORG, 2, &Player::offsetWindowOrg},
        {META_SCALEWINDOWEXT, 4, &Player::scaleWindowExt},
        {META_SETVIEWPORTORG, 2, &Player::setViewportOrg},
        {META_SETVIEWPORTEXT, 2, &Player::setViewportExt},
        {META_OFFSETVIEWPORTORG, 2, &Player::offsetViewportOrg},
        {META_SCALEVIEWPORTEXT, 4, &Player::scaleViewportExt},
        {META_SETBKCOLOR, 2, &Player::setBkColor},
        {META_SETBKMODE, 1, &Player::setBkMode},
        {META_SETTEXTCOLOR, 2, &Player::setTextColor},
        {META_SETROP2, 1, &Player::setRop2},
        {META_SETPOLYFILLMODE, 1, &Player::setPolyFillMode},
        {META_SETSTRETCHBLTMODE, 1, &Player::setStretchBltMode},
        {META_SETTEXTALIGN, 1, &Player::setTextAlign},
        {META_SETTEXTCHAREXTRA, 1, &Player::setTextCharExtra},
        {META_SETTEXTJUSTIFICATION, 2, &Player::setTextJustification},
        {META_MOVETO, 2, &Player::moveTo},
        {META_CREATEPENINDIRECT, 0, &Player::createPen},
        {META_CREATEBRUSHINDIRECT, 0, &Player::createBrush},
        {META_CREATEFONTINDIRECT, 0, &Player::createFont},
        {META_CREATEREGION, 0, &Player::createRegion},
        {META_CREATEPALETTE, 0, &Player::createPalette},
        {META_SELECTOBJECT, 1, &Player::selectObject},
        {META_SELECTPALETTE, 1, &Player::selectPalette},
        {META_SETPALENTRIES, 2, &Player::setPalEntries},
        {META_ANIMATEPALETTE, 2, &Player::setPalEntries},
        {META_RESIZEPALETTE, 1, &Player::resizePalette},
        {META_DELETEOBJECT, 1, &Player::deleteObject},
        {META_INTERSECTCLIPRECT, 4, &Player::intersectClipRect},
        {META_EXCLUDECLIPRECT, 4, &Player::excludeClipRect},
        {META_SELECTCLIPREGION, 1, &Player::selectClipRegion},
        {META_OFFSETCLIPRGN, 2, &Player::offsetClipRgn},
        // Nothing to do on a picture: the palette is used as it is, the rest is for printers
        // and devices.
        {META_REALIZEPALETTE, 0, &Player::ignore},
        {META_SETRELABS, 0, &Player::ignore},
        {META_SETMAPPERFLAGS, 0, &Player::ignore},
        {META_SETLAYOUT, 0, &Player::ignore},
        {META_ESCAPE, 0, &Player::ignore},
        // Drawing (wmfdraw.cpp)
        {META_LINETO, 2, &Player::lineTo},
        {META_POLYLINE, 1, &Player::polyline},
        {META_POLYGON, 1, &Player::polygon},
        {META_POLYPOLYGON, 1, &Player::polyPolygon},
        {META_RECTANGLE, 4, &Player::rectangle},
        {META_ROUNDRECT, 6, &Player::roundRect},
        {META_ELLIPSE, 4, &Player::ellipse},
        {META_ARC, 8, &Player::arc},
        {META_PIE, 8, &Player::pie},
        {META_CHORD, 8, &Player::chord},
        {META_SETPIXEL, 4, &Player::setPixel},
        {META_FLOODFILL, 4, &Player::floodFill},
        {META_EXTFLOODFILL, 5, &Player::extFloodFill},
        {META_PATBLT, 6, &Player::patBlt},
        {META_FILLREGION, 2, &Player::fillRegion},
        {META_PAINTREGION, 1, &Player::paintRegion},
        {META_FRAMEREGION, 4, &Player::frameRegion},
        {META_INVERTREGION, 1, &Player::invertRegion},
        // Text (wmftext.cpp)
        {META_TEXTOUT, 1, &Player::textOut},
        {META_EXTTEXTOUT, 4, &Player::extTextOut},
        // Bitmaps (wmfbitmap.cpp); the bit-block ones without a bitmap fill with the brush
        {META_BITBLT, 9, &Player::bitBlt},
        {META_STRETCHBLT, 11, &Player::stretchBlt},
        {META_DIBBITBLT, 9, &Player::dibBitBlt},
        {META_DIBSTRETCHBLT, 11, &Player::dibStretchBlt},
        {META_STRETCHDIB, 11, &Player::stretchDib},
        {META_DIBCREATEPATTERNBRUSH, 0, &Player::dibCreatePatternBrush},
        {META_CREATEPATTERNBRUSH, 0, &Player::createPatternBrush},
    };
    const auto* end = std::end(table);
    const auto* it = std::find_if(std::begin(table), end, [function](const Record& r) { return r.function == function; });
    return it == end ? nullptr : it;
}

void Player::play(quint16 function, const Bytes& p)
{
    // Only the bitmap that comes straight after a mask can be its colours.
    if (m_mask && function != META_STRETCHDIB && function != META_DIBSTRETCHBLT && function != META_DIBBITBLT)
        drawWaitingMask();
    const Record* record = find(function);
    if (record && p.words() >= record->words)
        (this->*record->handler)(p);
}

void Player::finish() { drawWaitingMask(); }

} // namespace wmf
