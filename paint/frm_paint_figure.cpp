// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_paint.h"

#include "common/gfx.h"
#include "paint/lineini.h"
#include "paint/paintsettings.h"
#include "platform/picturebox.h"

#include <QApplication>

// The dot-to-dot figure on the canvas: the child hits its points in order, and the last one
// brings the picture back with the whole figure drawn and the tools switched on.

bool pntDotHit(double px, double py, double X, double Y)
{
    return px - 4 < X && X < px + 4 && py - 4 < Y && Y < py + 4;
}

void frm_Paint::dotToDotHit(double X, double Y)
{
    if (Figure.intLineNext < 1 || Figure.intLineNext >= Figure.intLineCount)
        return;
    const LinePoint& p = Figure.points[Figure.intLineNext];
    if (!pntDotHit(p.x, p.y, X, Y))
        return;
    const LinePoint& from = Figure.points[Figure.intLineNext - 1];
    pic_Paint->Line(from.x, from.y, p.x, p.y);
    ++Figure.intLineNext;
    if (Figure.intLineNext == Figure.intLineCount)
        completeFigure();
}

void frm_Paint::completeFigure()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pic_Paint->Cls(); // the canvas picture is the figure's picture, without its dots
    const auto& pts = Figure.points;
    for (int j = 1; j < Figure.intLineCount; ++j)
        pic_Paint->Line(pts[j - 1].x, pts[j - 1].y, pts[j].x, pts[j].y);
    pic_Paint->Line(pts[Figure.intLineCount - 1].x, pts[Figure.intLineCount - 1].y, pts[0].x, pts[0].y);
    intTool = 2;
    useShownColour(); // the dots left the fill colour black: the lock colour, that no fill could undo
    Activate();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    endStep();
    if (!PaintSettings.interface.goodsound.isEmpty())
        playFile(PaintSettings.snd.expanded + PaintSettings.interface.goodsound);
}

