// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/lineini.h"
#include "testsupport/keycases.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>

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

TEST(LineIni, ReadsTheTriangleExample)
{
    TestFolders folders;
    bool ok = false;
    const LineFigure f = readFigure(folders, "[settings]\r\nnumeric=1\r\n[coords]\r\n3\r\n100\t50\r\n150\t120\r\n50\t120\r\n", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(f.intLineCount, 3);
    EXPECT_EQ(f.intLineNext, 1);
    ASSERT_EQ(f.points.size(), 4); // the figure and the one (0, 0) entry after it
    expectPoint(f, 0, 100, 50);
    expectPoint(f, 1, 150, 120);
    expectPoint(f, 2, 50, 120);
    expectPoint(f, 3, 0, 0);
}

TEST(LineIni, CountDecidesHowManyPointsAreKept)
{
    TestFolders folders;
    LineFigure f = readFigure(folders, "[coords]\n3\n1\t1\n2\t2\n3\t3\n4\t4\n5\t5\n");
    EXPECT_EQ(f.intLineCount, 3);
    EXPECT_EQ(f.points.size(), 4);
    expectPoint(f, 2, 3, 3);
    expectPoint(f, 3, 0, 0);

    f = readFigure(folders, "[coords]\n3\n1\t1\n2\t2\n");
    EXPECT_EQ(f.intLineCount, 3);
    expectPoint(f, 1, 2, 2);
    expectPoint(f, 2, 0, 0);

    // The count follows the number rule: 2.5 rounds to the even 2.
    f = readFigure(folders, "[coords]\n2.5\n1\t1\n2\t2\n3\t3\n");
    EXPECT_EQ(f.intLineCount, 2);
}

TEST(LineIni, CommentsAndOtherSections)
{
    TestFolders folders;
    const LineFigure f = readFigure(folders, "3\n[Other]\n9\t9\n[Coords]\n; the house, left first\n2\n; left\n10.5\t20.25\n30\t40\n");
    EXPECT_EQ(f.intLineCount, 2);
    expectPoint(f, 0, 10.5f, 20.25f);
    expectPoint(f, 1, 30, 40);
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

TEST(LineIni, BadPointLinesAreSkipped)
{
    TestFolders folders;
    // A comma instead of the tab splits a line into two items, neither with a y.
    const LineFigure f = readFigure(folders, "[coords]\n3\n10\t\n11,12\nx\t5\n\t5\n7\tseven\n20\t30\n40\t50\n60\t70\n");
    EXPECT_EQ(f.intLineCount, 3);
    expectPoint(f, 0, 20, 30);
    expectPoint(f, 1, 40, 50);
    expectPoint(f, 2, 60, 70);
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

    bool ok = true;
    f = readFigure(folders, "[settings]\nnumeric=1\n", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.intLineCount, 0);
    f = readFigure(folders, "[coords]\n1\n5\t5\n", &ok);
    EXPECT_FALSE(ok);
    f = readFigure(folders, "[coords]\n-4\n5\t5\n6\t6\n", &ok);
    EXPECT_FALSE(ok);
    f = readFigure(folders, "", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(f.points.size(), 1);
}

TEST(LineIni, TheGlobalFigureAndNamesInAnyCase)
{
    TestFolders folders;
    folders.write(QStringLiteral("cat.ini"), "[coords]\n2\n1\t2\n3\t4\n");
    EXPECT_TRUE(pntOpenLineINI(folders.path(QStringLiteral("cat.INI"))));
    EXPECT_EQ(Figure.intLineCount, 2);
    EXPECT_EQ(Figure.intLineNext, 1);
}
