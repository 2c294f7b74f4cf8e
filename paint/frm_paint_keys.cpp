// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_paint.h"

#include "paint/historybutton.h"
#include "paint/keyboardfocus.h"
#include "paint/keyboardpaint.h"
#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/focusframe.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"

// Brushbox without a mouse: the focus frame goes over the buttons, the canvas and the palette;
// on the canvas a drawing cursor paints where it stands, on the palette the arrows pick. A
// switch steers the cursor with presses: the canvas's own ring of moves, paint and leave.

namespace {
// The canvas's ring for a switch, in the order Tab goes round it.
constexpr FocusCursor::Mark kSteering[] = {FocusCursor::MoveRight, FocusCursor::MoveDown, FocusCursor::MoveLeft,
                                           FocusCursor::MoveUp, FocusCursor::PaintHere, FocusCursor::Leave};
constexpr int kSteeringStops = int(std::size(kSteering));

int keyOf(FocusCursor::Mark m)
{
    switch (m) {
    case FocusCursor::MoveRight: return Qt::Key_Right;
    case FocusCursor::MoveDown: return Qt::Key_Down;
    case FocusCursor::MoveLeft: return Qt::Key_Left;
    case FocusCursor::MoveUp: return Qt::Key_Up;
    default: return 0;
    }
}
}

void frm_Paint::makeKeyboard()
{
    m_keys = new KeyboardFocus(pic_Background, [this] { return keyboardStops(); });
    m_cursor = new FocusCursor(pic_Background);
    m_paletteMark = new FocusCursor(pic_Background);
    m_cursorAt = QPoint(pic_Paint->width() / 2, pic_Paint->height() / 2);
    m_keys->pressStop = [this](QWidget* stop, bool down, bool enter) { return keyboardPress(stop, down, enter); };
    m_keys->arrow = [this](QWidget* stop, int key, bool shift) { return keyboardArrow(stop, key, shift); };
    m_keys->stepInside = [this](int direction) {
        if (m_steer < 0)
            return false;
        m_steer = (m_steer + direction + kSteeringStops) % kSteeringStops;
        showKeyboardMarks();
        return true;
    };
    m_keys->moved = [this] {
        if (m_keys->current() != pic_Paint) {
            endKeyStroke();
            m_steer = -1;
        }
        showKeyboardMarks();
    };
}

QVector<QWidget*> frm_Paint::keyboardStops() const
{
    // As the window reads: the tool buttons down the left, then the canvas, the palette below
    // and the two small buttons in the corner. Undo and redo only while they have a step to go.
    QVector<QWidget*> stops;
    for (int i : {btnDraw, btnSpray, btnFill, btnClear, btnPrint, btnSave, btnOpen})
        stops << img_Button[size_t(i)];
    for (HistoryButtonControl* b : {img_Undo, img_Redo})
        if (b && b->available())
            stops << b;
    stops << img_Button[btnSound] << img_Button[btnQuit] << pic_Paint << pic_Palette
          << img_HelpSmall << img_ExitSmall;
    stops.removeAll(nullptr);
    return stops;
}

bool frm_Paint::keyboardArrow(QWidget* stop, int key, bool shift)
{
    if (stop == pic_Paint) {
        moveCursor(pntMoveCursor(m_cursorAt, key, shift ? kCursorShiftStep : kCursorStep, pic_Paint->size()));
        return true;
    }
    if (stop == pic_Palette) {
        pickPaletteAt(pntPaletteStep(pic_Palette->image(), paletteAt(), key));
        return true;
    }
    return false;
}

bool frm_Paint::keyboardPress(QWidget* stop, bool down, bool enter)
{
    if (stop == pic_Palette) {
        // Every press another colour: all a switch needs to choose one.
        if (down)
            pickPaletteAt(pntPaletteNext(pic_Palette->image(), paletteAt()));
        return true;
    }
    if (stop != pic_Paint)
        return false;
    if (m_steer >= 0) {
        if (down)
            steerPress();
        return true;
    }
    if (enter) {
        // Enter (and a switch's press) steers the cursor with presses instead of arrows.
        if (down) {
            m_steer = 0;
            showKeyboardMarks();
        }
        return true;
    }
    // Space: the left button at the cursor, held while Space is.
    if (down) {
        m_keyStroke = true;
        sendLeftButton(pic_Paint, m_cursorAt, true);
    } else {
        endKeyStroke();
    }
    return true;
}

void frm_Paint::steerPress()
{
    const FocusCursor::Mark mark = kSteering[m_steer];
    if (const int key = keyOf(mark)) {
        moveCursor(pntMoveCursor(m_cursorAt, key, kSteerStep, pic_Paint->size()));
        return;
    }
    if (mark == FocusCursor::Leave) {
        endKeyStroke();
        m_steer = -1;
        showKeyboardMarks();
        return;
    }
    // Paint here: the pen goes down (the draw and spray tools then paint with every move) or
    // comes up; a fill, or a dot of a figure, is one click.
    if (m_keyStroke) {
        endKeyStroke();
    } else if (intTool == 0 || intTool == 1) {
        m_keyStroke = true;
        sendLeftButton(pic_Paint, m_cursorAt, true);
    } else {
        sendLeftButton(pic_Paint, m_cursorAt, true);
        sendLeftButton(pic_Paint, m_cursorAt, false);
    }
    showKeyboardMarks();
}

void frm_Paint::endKeyStroke()
{
    if (!m_keyStroke)
        return;
    m_keyStroke = false;
    sendLeftButton(pic_Paint, m_cursorAt, false);
}

void frm_Paint::moveCursor(QPoint to)
{
    m_cursorAt = to;
    if (m_keyStroke)
        sendLeftButtonMove(pic_Paint, m_cursorAt);
    showKeyboardMarks();
}

QPoint frm_Paint::paletteAt() const
{
    return m_paletteAt.x() >= 0 ? m_paletteAt : pntPaletteFirst(pic_Palette->image());
}

void frm_Paint::pickPaletteAt(QPoint at)
{
    m_paletteAt = at;
    sendLeftButton(pic_Palette, at, true);
    sendLeftButton(pic_Palette, at, false);
    showKeyboardMarks();
    announceNameChange(pic_Palette);
    announceNameChange(shp_CurrentColor);
}

void frm_Paint::showKeyboardMarks()
{
    const QWidget* at = m_keys->current();
    if (at == pic_Paint) {
        m_cursor->setMark(m_steer >= 0 ? kSteering[m_steer] : FocusCursor::NoMark);
        m_cursor->showAt(pic_Paint->pos() + m_cursorAt);
        announceNameChange(pic_Paint);
    } else {
        m_cursor->hide();
    }
    if (at == pic_Palette)
        m_paletteMark->showAt(pic_Palette->pos() + paletteAt());
    else
        m_paletteMark->hide();
}
