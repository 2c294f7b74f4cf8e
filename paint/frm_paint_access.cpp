// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_paint.h"

#include "paint/historybutton.h"
#include "paint/keyboardfocus.h"
#include "paint/keyboardpaint.h"
#include "paint/lineini.h"
#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"

// What a screen reader says of the window: every skinned button a push button that can be
// pressed, named by its tooltip or its function; the colours by a word; the canvas a picture.

namespace {
const char* const kFunctions[kPaintButtons] = {"Draw", "Spray", "Fill", "Clear", "Print", "Save", "Open", "Quit", "Sound"};
const char* const kTools[] = {"Draw", "Spray", "Fill", "Join the dots"};

void describeButton(QWidget* control, const QString& function)
{
    describeAccess(control, QAccessible::Button, [control, function]() -> QString {
        return control->toolTip().isEmpty() ? function : control->toolTip();
    }, clickOf(control));
}
}

void frm_Paint::describeForAssistiveTechnology()
{
    pic_Background->setAccessibleName(QStringLiteral("Brushbox"));
    for (int i = 0; i < kPaintButtons; ++i)
        describeButton(img_Button[size_t(i)], QString::fromLatin1(kFunctions[i]));
    describeButton(img_HelpSmall, QStringLiteral("Help"));
    describeButton(img_ExitSmall, QStringLiteral("Quit"));
    describeAccess(pic_Paint, QAccessible::Graphic, [this]() -> QString {
        QString name = QStringLiteral("Canvas");
        if (m_keys && m_keys->current() == pic_Paint)
            name += QStringLiteral(", cursor at %1, %2").arg(m_cursorAt.x()).arg(m_cursorAt.y());
        return name;
    });
    describeAccess(pic_Palette, QAccessible::ColorChooser, [this]() -> QString {
        const int64_t c = pic_Palette->Point(paletteAt().x(), paletteAt().y());
        return QStringLiteral("Palette, ") + pntColourName(c < 0 ? pic_Palette->BackColor() : uint32_t(c));
    }, [this] { pickPaletteAt(pntPaletteNext(pic_Palette->image(), paletteAt())); });
    describeAccess(shp_CurrentColor, QAccessible::Graphic,
                   [this]() -> QString { return QStringLiteral("Current colour, ") + pntColourName(shp_CurrentColor->backColor()); });
    describeAccess(img_Current, QAccessible::Graphic, []() -> QString {
        return QStringLiteral("Current tool, ") + QLatin1String(kTools[intTool >= 0 && intTool <= 3 ? intTool : 0]);
    });
    accessDecoration(img_Background);
    accessDecoration(pic_Get16Col);
}

void frm_Paint::describeHistoryButtons()
{
    if (img_Undo)
        describeButton(img_Undo, QStringLiteral("Undo"));
    if (img_Redo)
        describeButton(img_Redo, QStringLiteral("Redo"));
}
