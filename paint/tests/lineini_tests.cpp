// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/lineini.h"
#include "testsupport/keycases.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {
LineFigure readFigure(const TestFolders& folders, const QByteArray& text, bool* ok = nullptr)
{
    folders.write(QStringLiteral("pictures/house.INI"), text);
    LineFigure figure;
    const bool result = pntOpenLineINI(folders.path(QStringLiteral("pictures/house.INI")), figure);
    if (ok)
        *ok = result;
    return figure;
}

void expectPoint(const LineFigure& f, int i, float x, float y)
{
    ASSERT_LT(i, f.points.size());
    EXPECT_FLOAT_EQ(f.points[i].x, x) << "point " << i;
    EXPECT_FLOAT_EQ(f.points[i].y, y) << "point " << i;
}
}

// Each file, the figure read from it: its count, its first points (a figure ends in one (0, 0)
// entry) and, when given, the number of entries.
TEST(LineIni, FiguresAsWritten)
{
    const struct {
        const char* text;
        bool ok;
        int count;
        std::vector<std::pair<float, float>> points;
        int entries;
    } cases[] = {
        {"[settings]\r\nnumeric=1\r\n[coords]\r\n3\r\n100\t50\r\n150\t120\r\n50\t120\r\n", true, 3,
         {{100, 50}, {150, 120}, {50, 120}, {0, 0}}, 4},
        // The count decides how many points are kept, and follows the number rule (2.5 is 2).
        {"[coords]\n3\n1\t1\n2\t2\n3\t3\n4\t4\n5\t5\n", true, 3, {{1, 1}, {2, 2}, {3, 3}, {0, 0}}, 4},
        {"[coords]\n3\n1\t1\n2\t2\n", true, 3, {{1, 1}, {2, 2}, {0, 0}}, -1},
        {"[coords]\n2.5\n1\t1\n2\t2\n3\t3\n", true, 2, {{1, 1}, {2, 2}, {0, 0}}, 3},
        {"3\n[Other]\n9\t9\n[Coords]\n; the house, left first\n2\n; left\n10.5\t20.25\n30\t40\n", true, 2,
         {{10.5f, 20.25f}, {30, 40}}, -1},
        // A comma instead of the tab splits a line into two items, neither with a y.
        {"[coords]\n3\n10\t\n11,12\nx\t5\n\t5\n7\tseven\n20\t30\n40\t50\n60\t70\n", true, 3,
         {{20, 30}, {40, 50}, {60, 70}}, -1},
        {"[settings]\nnumeric=1\n", false, 0, {}, -1},
        {"[coords]\n1\n5\t5\n", false, 0, {}, -1},
        {"[coords]\n-4\n5\t5\n6\t6\n", false, 0, {}, -1},
        {"", false, 0, {}, 1},
    };
    TestFolders folders;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        bool ok = !c.ok;
        const LineFigure f = readFigure(folders, c.text, &ok);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(f.intLineCount, c.count);
        for (size_t i = 0; i < c.points.size(); ++i)
            expectPoint(f, int(i), c.points[i].first, c.points[i].second);
        EXPECT_TRUE(c.entries < 0 || f.points.size() == c.entries) << f.points.size();
        EXPECT_TRUE(!ok || f.intLineNext == 1);
    }
}

// Each row of the table reaches the figure, and a value its kind refuses is found on its line.
TEST(LineIni, EveryRowReachesTheFigureAndAWrongValueIsFound)
{
    TestFolders folders;
    const QString path = folders.path("house.INI");
    LineFigure unused;
    expectEveryRowReads(keyCases(pntFigureTable(unused)), path, [&](const KeyCase& c, const QString& value, QVector<Finding>& found, int& line) {
        folders.write("house.INI", "[coords]\n2\n1\t1\n2\t2\n" + c.lines(value));
        line = 6;
        LineFigure f;
        Findings findings(path, [&found](const Finding& x) { return found.append(x), true; }, true);
        pntReadFigure(f, findings);
        return f;
    });
}

TEST(LineIni, NoUsableFigureClearsThePreviousOne)
{
    TestFolders folders;
    LineFigure f;
    ASSERT_TRUE(pntOpenLineINI(QString(), f) == false);
    f.intLineCount = 5;
    f.points = QVector<LinePoint>(6, LinePoint{1, 1});
    EXPECT_FALSE(pntOpenLineINI(folders.path(QStringLiteral("gone.INI")), f));
    EXPECT_EQ(f.intLineCount, 0);
    EXPECT_FALSE(f.hasFigure());
}

TEST(LineIni, TheGlobalFigureAndNamesInAnyCase)
{
    TestFolders folders;
    folders.write(QStringLiteral("cat.ini"), "[coords]\n2\n1\t2\n3\t4\n");
    EXPECT_TRUE(pntOpenLineINI(folders.path(QStringLiteral("cat.INI"))));
    EXPECT_EQ(Figure.intLineCount, 2);
    EXPECT_EQ(Figure.intLineNext, 1);
}
