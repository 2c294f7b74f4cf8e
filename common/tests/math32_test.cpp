// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/math32.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, ReadsTheLeadingNumberOnly)
{
    // Blanks anywhere are ignored; an exponent without digits is not taken; 9 is no octal digit.
    const std::pair<const char*, double> cases[] = {
        {"12px", 12}, {"abc", 0}, {"", 0}, {" 1 2 3 ", 123}, {"-\t4\n5", -45}, {"+7.25x", 7.25}, {".5", 0.5},
        {"1.5E2", 150}, {"1.5d-1", 0.15}, {"3E", 3}, {"-", 0}, {"1,5", 1}, {"&HFF", 255}, {"&hff", 255},
        {"&H00FF00", 65280}, {"&HFFFFFF", 16777215}, {"&O17", 15}, {"&O19", 1}, {"&H", 0}, {"&Hzz", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(mathLeadingNumber(text), value) << text;
}

TEST(LeadingNumber, HugeValuesClampToTheirFieldAndHalvesGoToTheEvenNeighbour)
{
    for (const auto& [text, value] : {std::pair{"99999", 32767}, {"-99999", -32768}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2},
                                      {"12.5", 12}, {"12.51", 13}, {"0.5", 0}})
        EXPECT_EQ(mathToInt16(text), value) << text;
    EXPECT_EQ(mathToInt32("1E300"), 2147483647);
    EXPECT_EQ(mathToInt32("9E99999"), 2147483647); // overflowing exponent
    EXPECT_EQ(mathToInt32(QString(400, '9')), 2147483647);
    EXPECT_EQ(mathToColor("&HFFFFFFFF"), 0xFFFFFFu);
    EXPECT_EQ(mathToColor("16777215"), 0xFFFFFFu);
    EXPECT_EQ(mathToColor("-5"), 0u);
}

TEST(TruthValues, NumberNotZero)
{
    for (const auto& [text, truth] : {std::pair{"1", true}, {"-1", true}, {"0.1", true}, {"0", false}, {"", false}, {"yes", false}})
        EXPECT_EQ(mathToBool(QString(text)), truth) << text;
    QString v = "3 apples";
    EXPECT_TRUE(mathToBool(v));
    EXPECT_EQ(v, "3"); // the argument becomes its number
    EXPECT_TRUE(mathIntToBool(-1));
    EXPECT_FALSE(mathIntToBool(0));
}

TEST(IncDec, ReadTextAsNumbers)
{
    QString v = "3";
    mathInc(v);
    EXPECT_EQ(v, "4");
    mathInc(v, "2.5");
    EXPECT_EQ(v, "6.5");
    mathDec(v, "10");
    EXPECT_EQ(v, "-3.5");
    QString t = "x";
    mathDec(t);
    EXPECT_EQ(t, "-1");
    double d = 1;
    mathInc(d, 4);
    mathDec(d);
    EXPECT_EQ(d, 4);
}
