// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Picture loading of every format the programs read; the first byte picks the extension.
#include "fuzzsupport.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const char* const extensions[] = {"bmp", "gif", "jpg", "wmf"};
    const QString name = QStringLiteral("picture.") + QLatin1String(extensions[data[0] % 4]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QString why;
    loadPicture(fuzzWrite(name, bytes), &why);
    return 0;
}
