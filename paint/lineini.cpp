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

KeyTable pntFigureTable(LineFigure& figure, std::function<void(const QString& item, int line)> coords)
{
    return {{{{QStringLiteral("settings")},
               {{"numeric", KeyKind::Flag, [&figure](const KeyLine& k) { figure.numeric = mathToBool(k.value); }},
                {"alphabetic", KeyKind::Short, [&figure](const KeyLine& k) { figure.alphabetic = mathToInt16(k.value); }}}},
              {{QStringLiteral("coords")}, {}, QString(), QString(), std::move(coords)}}};
}

bool pntReadFigure(LineFigure& figure, Findings& found)
{
    figure.clear();
    IniReader file;
    if (!fioFileExists(found.file()) || !file.open(found.file()))
        return false;
    LineFigure read;
    int countLine = 0; // where the count stands; 0 before [coords] has one
    int filled = 0;
    const auto coords = [&](const QString& item, int line) {
        if (item.trimmed().startsWith(QLatin1Char(';')))
            return; // a comment, not a point
        if (!countLine) {
            countLine = line;
            read.intLineCount = mathToInt16(item);
            read.points = QVector<LinePoint>(std::max<int>(read.intLineCount, 0) + 1);
            return;
        }
        LinePoint p;
        if (filled < read.intLineCount && toCoordinate(strGetTab(item, 1), p.x) && toCoordinate(strGetTab(item, 2), p.y))
            read.points[filled++] = p;
    };
    walkKeys(file, pntFigureTable(read, coords), found);
    file.close();
    if (!countLine)
        found.say(0, QStringLiteral("the figure file has no [coords] section with a number of points: the picture opens without its figure"));
    else if (read.intLineCount < 2)
        found.say(countLine, QStringLiteral("the figure's number of points is %1 and it needs at least 2: the picture opens without it").arg(read.intLineCount));
    if (!countLine || read.intLineCount < 2)
        return false;
    read.intLineNext = 1;
    figure = read;
    return true;
}

bool pntOpenLineINI(const QString& strFile, LineFigure& figure)
{
    Findings found(strFile, [](const Finding&) { return true; }, false);
    return pntReadFigure(figure, found);
}

bool pntOpenLineINI(const QString& strFile) { return pntOpenLineINI(strFile, Figure); }
