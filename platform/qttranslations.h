// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QLocale>

// Qt's own words (the OK and Cancel of a message box) in the language of that locale, from the
// translations Qt installs; the programs' own messages are not translated. True when a
// translation was found. Installing again replaces the earlier one.
bool installQtTranslations(const QLocale& locale = QLocale::system());
