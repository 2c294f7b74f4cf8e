// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/lineini.h"

#include "common/fileio.h"
#include "common/inireader.h"
#include "common/math32.h"
#include "common/string32.h"

#include <cmath>

LineFigure Figure;

namespace {
// A coordinate as written: a plain decimal number, "." as the separator.
bool toCoordinate(const QString& field, float& out)
{
    bool ok = false;
    const double v = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > 1e7)
        return false;
    out = float(v);
    return true;
}
}

bool pntOpenLineINI(const QString& strFile, LineFigure& figure)
{
    figure.clear();
    if (!fioFileExists(strFile))
        return false;
    IniReader file;
    if (!file.open(strFile))
        return false;
    LineFigure read;
    QString section;
    bool haveCoords = false;
    int k = 0; // items of the coords section: the count, then the points
    int filled = 0;
    while (!file.atEnd()) {
        const QString item = file.readItem();
        if (item.isEmpty())
            continue;
        if (fioIsSection(item)) {
            section = fioGetSection(item).toLower();
            continue;
        }
        if (section == QLatin1String("coords")) {
            if (item.trimmed().startsWith(QLatin1Char(';')))
                continue; // a comment, not a point
            if (k == 0) {
                haveCoords = true;
                read.intLineCount = mathToInt16(item);
                read.points = QVector<LinePoint>(std::max<int>(read.intLineCount, 0) + 1);
            } else if (filled < read.intLineCount) {
                LinePoint p;
                if (!toCoordinate(strGetTab(item, 1), p.x) || !toCoordinate(strGetTab(item, 2), p.y))
                    continue;
                read.points[filled++] = p;
            }
            ++k;
        } else if (section == QLatin1String("settings")) {
            const QString key = fioGetKey(item).toLower();
            if (key == QLatin1String("numeric"))
                read.numeric = mathToBool(fioGetValue(item));
            else if (key == QLatin1String("alphabetic"))
                read.alphabetic = mathToInt16(fioGetValue(item));
        }
    }
    file.close();
    if (!haveCoords || read.intLineCount < 2)
        return false;
    read.intLineNext = 1;
    figure = read;
    return true;
}

bool pntOpenLineINI(const QString& strFile) { return pntOpenLineINI(strFile, Figure); }
