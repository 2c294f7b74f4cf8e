// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The whole paint configuration reader, folders and catalogs included.
#include "fuzzsupport.h"
#include "paint/frm_splash.h"
#include "paint/openini.h"

#include "platform/files.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzConfined(data, size);
    QDir(fuzzFolder() + QStringLiteral("/theme")).removeRecursively();
    QDir(fuzzFolder()).mkpath(QStringLiteral("theme"));
    setAppFolderForTests(fuzzFolder() + QStringLiteral("/theme"));
    resetPaintSettings();
    OpenINI(fuzzWrite(QStringLiteral("theme/zypaint.ini"), bytes));
    destroySplashWindow();
    return 0;
}
