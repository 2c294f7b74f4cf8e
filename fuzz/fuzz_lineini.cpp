// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The companion readers of colouring pictures: the figure file and the name file.
#include "fuzzsupport.h"
#include "paint/companions.h"
#include "paint/lineini.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LineFigure figure;
    const bool read = pntOpenLineINI(fuzzWrite(QStringLiteral("figure.INI"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))), figure);
    // A figure either has its points or is cleared; never a count beyond its points.
    if (figure.intLineCount < 0 || figure.points.size() < figure.intLineCount || (read && !figure.hasFigure()))
        __builtin_trap();
    // The same bytes as the name file of a picture, whose first item names it.
    const QString nameFile = fuzzWrite(QStringLiteral("name.dat"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString name = pntPictureName(nameFile.left(nameFile.size() - 4) + QStringLiteral(".bmp"));
    if (name.size() > qsizetype(size))
        __builtin_trap();
    return 0;
}
