// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

bool installQtTranslations(const QLocale& locale)
{
    static QPointer<QTranslator> installed;
    delete installed;
    auto* translator = new QTranslator(QCoreApplication::instance());
    installed = translator;
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(translator);
}
