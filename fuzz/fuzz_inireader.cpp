// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The configuration item reader, the line functions and the number rule.
#include "common/inireader.h"
#include "common/math32.h"
#include "common/string32.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& item : IniReader::itemsOf(bytes)) {
        fioIsSection(item);
        fioGetSection(item);
        fioGetKey(item);
        const QString value = fioGetValue(item);
        mathToInt16(value);
        mathToColor(value);
        strGetTab(value, 2);
    }
    // The same bytes through the file reader, which reads in pieces.
    IniReader reader;
    if (reader.open(fuzzWrite(QStringLiteral("items.ini"), bytes)))
        while (!reader.atEnd())
            reader.readItem();
    return 0;
}
