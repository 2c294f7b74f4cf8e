// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/math32.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, ReadsTheLeadingNumberOnly)
{
    EXPECT_EQ(mathLeadingNumber("12px"), 12);
    EXPECT_EQ(mathLeadingNumber("abc"), 0);
    EXPECT_EQ(mathLeadingNumber(""), 0);
    EXPECT_EQ(mathLeadingNumber(" 1 2 3 "), 123); // blanks anywhere are ignored
    EXPECT_EQ(mathLeadingNumber("-\t4\n5"), -45);
    EXPECT_EQ(mathLeadingNumber("+7.25x"), 7.25);
    EXPECT_EQ(mathLeadingNumber(".5"), 0.5);
    EXPECT_EQ(mathLeadingNumber("1.5E2"), 150);
    EXPECT_EQ(mathLeadingNumber("1.5d-1"), 0.15);
    EXPECT_EQ(mathLeadingNumber("3E"), 3); // an exponent without digits is not taken
    EXPECT_EQ(mathLeadingNumber("-"), 0);
    EXPECT_EQ(mathLeadingNumber("1,5"), 1);
}

TEST(LeadingNumber, HexAndOctal)
{
    EXPECT_EQ(mathLeadingNumber("&HFF"), 255);
    EXPECT_EQ(mathLeadingNumber("&hff"), 255);
    EXPECT_EQ(mathLeadingNumber("&H00FF00"), 65280);
    EXPECT_EQ(mathLeadingNumber("&HFFFFFF"), 16777215);
    EXPECT_EQ(mathLeadingNumber("&O17"), 15);
    EXPECT_EQ(mathLeadingNumber("&O19"), 1); // 9 is no octal digit
    EXPECT_EQ(mathLeadingNumber("&H"), 0);
    EXPECT_EQ(mathLeadingNumber("&Hzz"), 0);
}

TEST(LeadingNumber, HugeValuesClampToTheirField)
{
    EXPECT_EQ(mathToInt16("99999"), 32767);
    EXPECT_EQ(mathToInt16("-99999"), -32768);
    EXPECT_EQ(mathToInt32("1E300"), 2147483647);
    EXPECT_EQ(mathToInt32("9E99999"), 2147483647); // overflowing exponent
    EXPECT_EQ(mathToInt32(QString(400, '9')), 2147483647);
    EXPECT_EQ(mathToColor("&HFFFFFFFF"), 0xFFFFFFu);
    EXPECT_EQ(mathToColor("16777215"), 0xFFFFFFu);
    EXPECT_EQ(mathToColor("-5"), 0u);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(mathToInt16("2.5"), 2);
    EXPECT_EQ(mathToInt16("3.5"), 4);
    EXPECT_EQ(mathToInt16("-2.5"), -2);
    EXPECT_EQ(mathToInt16("12.5"), 12);
    EXPECT_EQ(mathToInt16("12.51"), 13);
    EXPECT_EQ(mathToInt16("0.5"), 0);
}

TEST(TruthValues, NumberNotZero)
{
    EXPECT_TRUE(mathToBool(QStringLiteral("1")));
    EXPECT_TRUE(mathToBool(QStringLiteral("-1")));
    EXPECT_TRUE(mathToBool(QStringLiteral("0.1")));
    EXPECT_FALSE(mathToBool(QStringLiteral("0")));
    EXPECT_FALSE(mathToBool(QStringLiteral("")));
    EXPECT_FALSE(mathToBool(QStringLiteral("yes")));
    QString v = QStringLiteral("3 apples");
    EXPECT_TRUE(mathToBool(v));
    EXPECT_EQ(v, "3"); // the argument becomes its number
    EXPECT_TRUE(mathIntToBool(-1));
    EXPECT_FALSE(mathIntToBool(0));
}

TEST(IncDec, ReadTextAsNumbers)
{
    QString v = QStringLiteral("3");
    mathInc(v);
    EXPECT_EQ(v, "4");
    mathInc(v, QStringLiteral("2.5"));
    EXPECT_EQ(v, "6.5");
    mathDec(v, QStringLiteral("10"));
    EXPECT_EQ(v, "-3.5");
    QString t = QStringLiteral("x");
    mathDec(t);
    EXPECT_EQ(t, "-1");
    double d = 1;
    mathInc(d, 4);
    mathDec(d);
    EXPECT_EQ(d, 4);
}
