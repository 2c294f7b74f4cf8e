// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The game's optional file that overrides the main file's background pictures.
#include "memory/checker.h"

#include "common/string32.h"

namespace memcheck {

void MemoryChecker::readSpecial()
{
    if (m_special.value.isEmpty())
        return;
    QVector<Item> items;
    int file = -1;
    if (!openData(m_special, "special", 10, file, items))
        return;
    walk(
        file, items,
        [this](const At& at, const QString& name) {
            if (!is(name, "interface"))
                problem(at, QStringLiteral("section [%1] has no effect: the special file is read only for pictures in "
                                           "[interface]").arg(name));
        },
        [](const QString& section) {
            if (section.isEmpty())
                return Scope{&kNoKeys, QString(), Scope::BeforeSection};
            if (is(section, "interface"))
                return Scope{&kSpecialKeys, QStringLiteral("[interface]"), Scope::NoEffect};
            return Scope{&kNoKeys, QString(), Scope::Silent};
        },
        [this](const At& at, const QString&, const QString&, const QString& value, const QString& what) {
            if (m_pictures.set)
                problem(m_pictures.at, QStringLiteral("pictures in [interface] has no effect: the special file "
                                                      "sets the background pictures again"));
            m_pictures = Ref{value, at, true};
            if (!strGetTab(value, 6).isEmpty())
                problem(at, QStringLiteral("%1: only five pictures are read, one for each screen size; '%2' and after "
                                           "have no effect").arg(what, strGetTab(value, 6)));
        });
}

} // namespace memcheck
