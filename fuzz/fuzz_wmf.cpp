// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The metafile player on its own, past the file layer, so every run reaches the records. The
// first byte is skipped: the picture corpus uses it to pick a format.
#include "fuzzsupport.h"
#include "platform/wmf.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    QString why;
    const QImage img = wmfRead(QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)), &why);
    if (img.isNull() == why.isEmpty())
        __builtin_trap(); // a refusal always says why, and a picture never carries a reason
    return 0;
}
