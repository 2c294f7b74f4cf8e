// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_save.h"

#include "paint/keyboardfocus.h"
#include "platform/accessible.h"
#include "platform/events.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"

#include <QFileInfo>

// The save window without a mouse: the frame goes over the catalogs and the buttons; Space
// chooses a catalog, Enter on a catalog chooses it and saves. A screen reader hears each catalog
// by its name.

void SaveForm::makeKeyboard()
{
    m_keys = new KeyboardFocus(pic_Background, [this] {
        QVector<QWidget*> stops;
        for (int k = 0; k < kCatalogSlots && k < dialog.catalogs.size(); ++k)
            stops << img_Catalog[size_t(k)];
        stops << img_Button[SaveSettings::Save] << img_Button[SaveSettings::Cancel];
        // Without helpActive the small help button has no picture: nothing to put a frame round.
        if (!img_HelpSmall->picture().isNull())
            stops << img_HelpSmall;
        stops << img_ExitSmall;
        return stops;
    });
    m_keys->pressStop = [this](QWidget* stop, bool down, bool enter) {
        const int k = int(std::find(img_Catalog.begin(), img_Catalog.end(), stop) - img_Catalog.begin());
        if (k >= kCatalogSlots)
            return false;
        if (down) {
            img_Catalog_Click(k);
            m_keys->refresh();
            if (enter)
                img_Button_Click(SaveSettings::Save);
        }
        return true;
    };
}

void SaveForm::describeForAssistiveTechnology()
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
    describeAccess(img_SaveCatalog, QAccessible::Graphic, [this]() -> QString {
        const QString chosen = dialog.chosenSlot >= 0 && dialog.chosenSlot < dialog.catalogs.size()
                                   ? QFileInfo(dialog.catalogs[dialog.chosenSlot].folder).fileName()
                                   : QStringLiteral("no catalog chosen");
        const QString tip = img_SaveCatalog->toolTip().isEmpty() ? QStringLiteral("Saved into") : img_SaveCatalog->toolTip();
        return tip + QStringLiteral(", ") + chosen;
    });
    describeAccess(pic_SavePicture, QAccessible::Graphic, QStringLiteral("Your painting"));
    const char* const functions[2] = {"Save", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        ImageControl* b = img_Button[size_t(i)];
        const QString function = QString::fromLatin1(functions[i]);
        describeAccess(b, QAccessible::Button, [b, function]() -> QString { return b->toolTip().isEmpty() ? function : b->toolTip(); }, clickOf(b));
    }
    describeAccess(img_HelpSmall, QAccessible::Button, QStringLiteral("Help"), clickOf(img_HelpSmall));
    describeAccess(img_ExitSmall, QAccessible::Button, QStringLiteral("Close"), clickOf(img_ExitSmall));
    if (img_Dirs)
        accessDecoration(img_Dirs);
    accessDecoration(img_Background);
    accessDecoration(shp_Catalog);
}
