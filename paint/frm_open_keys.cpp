// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_open.h"

#include "paint/keyboardfocus.h"
#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/imagecontrol.h"

#include <QFileInfo>

// The open window without a mouse: the frame goes over the catalogs, the pictures and the
// buttons; the arrows go along the catalog row and over the grid (scrolling it at its ends);
// Space chooses what the frame is on and Enter on a picture opens it. A screen reader hears
// each catalog and picture by its name.

namespace {
const char* const kButtonFunctions[4] = {"Up", "Down", "Open", "Cancel"};
}

void OpenForm::makeKeyboard()
{
    m_keys = new KeyboardFocus(pic_Background, [this] {
        QVector<QWidget*> stops;
        for (ImageControl* c : img_Catalog)
            stops << c;
        for (int n = 0; n < kGridCells; ++n)
            if (dialog.cellEntry(n))
                stops << img_Picture[size_t(n)];
        for (ImageControl* b : img_Button)
            stops << b;
        stops << img_HelpSmall << img_ExitSmall;
        return stops;
    });
    m_keys->arrow = [this](QWidget* stop, int key, bool) { return keyboardArrow(stop, key); };
    m_keys->pressStop = [this](QWidget* stop, bool down, bool enter) {
        const int k = int(std::find(img_Catalog.begin(), img_Catalog.end(), stop) - img_Catalog.begin());
        const int n = int(std::find(img_Picture.begin(), img_Picture.end(), stop) - img_Picture.begin());
        if (k >= kCatalogSlots && n >= kGridCells)
            return false;
        if (!down)
            return true;
        if (k < kCatalogSlots) {
            img_Catalog_Click(k);
        } else {
            img_picture_Click(n);
            if (enter)
                img_Button_Click(OpenSettings::Open);
        }
        m_keys->refresh();
        return true;
    };
}

bool OpenForm::keyboardArrow(QWidget* stop, int key)
{
    auto cellOf = [this](QWidget* w) { return int(std::find(img_Picture.begin(), img_Picture.end(), w) - img_Picture.begin()); };
    auto filled = [this](int n) { return n >= 0 && n < kGridCells && dialog.cellEntry(n); };
    const int k = int(std::find(img_Catalog.begin(), img_Catalog.end(), stop) - img_Catalog.begin());
    const int n = cellOf(stop);
    if (k < kCatalogSlots) {
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            const int next = k + (key == Qt::Key_Left ? -1 : 1);
            if (next >= 0 && next < kCatalogSlots && img_Catalog[size_t(next)]->isEnabled())
                m_keys->moveTo(img_Catalog[size_t(next)]);
        } else if (key == Qt::Key_Down) {
            const int column = k % kGridColumns;
            for (int cell : {column, 0})
                if (filled(cell)) {
                    m_keys->moveTo(img_Picture[size_t(cell)]);
                    break;
                }
        }
        return true;
    }
    if (n >= kGridCells)
        return false;
    int to = n;
    if (key == Qt::Key_Left)
        to = n - 1;
    else if (key == Qt::Key_Right)
        to = n + 1;
    else if (key == Qt::Key_Up)
        to = n - kGridColumns;
    else
        to = n + kGridColumns;
    if (filled(to)) {
        m_keys->moveTo(img_Picture[size_t(to)]);
    } else if (key == Qt::Key_Down && dialog.downEnabled()) {
        // The grid moves up a row under the frame, which stays in its cell when it can.
        img_Button_Click(OpenSettings::Down);
        int at = n;
        while (at > 0 && !filled(at))
            --at;
        m_keys->moveTo(img_Picture[size_t(at)]);
    } else if (key == Qt::Key_Up && to < 0 && dialog.upEnabled()) {
        img_Button_Click(OpenSettings::Up);
        m_keys->refresh();
    } else if (key == Qt::Key_Up && to < 0) {
        const int open = dialog.openCatalog >= 0 && dialog.openCatalog < kCatalogSlots ? dialog.openCatalog : 0;
        m_keys->moveTo(img_Catalog[size_t(open)]);
    }
    return true;
}

void OpenForm::describeForAssistiveTechnology()
{
    setAccessibleName(windowTitle());
    if (pic_Background != this)
        pic_Background->setAccessibleName(windowTitle());
    for (int k = 0; k < kCatalogSlots; ++k) {
        ImageControl* c = img_Catalog[size_t(k)];
        describeAccess(c, QAccessible::Button, [this, k]() -> QString {
            return k < dialog.catalogs.size() ? QFileInfo(dialog.catalogs[k].folder).fileName() : QString();
        }, clickOf(c));
    }
    for (int n = 0; n < kGridCells; ++n) {
        ImageControl* c = img_Picture[size_t(n)];
        describeAccess(c, QAccessible::Button, [this, n]() -> QString {
            const PictureEntry* e = dialog.cellEntry(n);
            if (!e)
                return QString();
            // A painting saved by a child has no name file: its number names it.
            return e->name.isEmpty() ? QFileInfo(e->path).completeBaseName() : e->name;
        }, clickOf(c));
    }
    for (int i = 0; i < 4; ++i) {
        ImageControl* b = img_Button[size_t(i)];
        const QString function = QString::fromLatin1(kButtonFunctions[i]);
        describeAccess(b, QAccessible::Button, [b, function]() -> QString { return b->toolTip().isEmpty() ? function : b->toolTip(); }, clickOf(b));
    }
    describeAccess(img_HelpSmall, QAccessible::Button, QStringLiteral("Help"), clickOf(img_HelpSmall));
    describeAccess(img_ExitSmall, QAccessible::Button, QStringLiteral("Close"), clickOf(img_ExitSmall));
    describeAccess(img_Dirs, QAccessible::Grouping, [this]() -> QString { return img_Dirs->toolTip().isEmpty() ? QStringLiteral("Catalogs") : img_Dirs->toolTip(); });
    describeAccess(img_Files, QAccessible::Grouping, [this]() -> QString { return img_Files->toolTip().isEmpty() ? QStringLiteral("Pictures") : img_Files->toolTip(); });
    accessDecoration(img_Background);
    accessDecoration(shp_Catalog);
    accessDecoration(shp_File);
}
