// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/game32.h"
#include "common/string32.h"

#include "testsupport/testsupport.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(StrGetTab, Fields)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"a\tb\tc", 1, "a"}, {"a\tb\tc", 3, "c"}, {"a\tb\tc", 4, ""}, {"a\tb\tc", 0, ""}, {"\tx", 1, ""},
        {"\tx", 2, "x"},     {"x\t", 2, ""},       {"", 1, ""},          {"only", 1, "only"}};
    for (const auto& [text, field, value] : cases)
        EXPECT_EQ(strGetTab(text, field), value) << text << " " << field;
}

TEST(StrGetTab, NegativeFieldShowsItsMessage)
{
    MessageRecorder boxes;
    EXPECT_EQ(strGetTab(QString("a\tb"), -1), "");
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_EQ(boxes.messages[0].text, "strGetTab: Tab number must be over 1 (-1).");
    EXPECT_EQ(boxes.messages[0].buttons, MsgButtons::Ok);
}

TEST(Strings, SmallFunctions)
{
    EXPECT_EQ(strRemoveSpaces(QString(" a b\tc ")), "ab\tc");
    EXPECT_EQ(strReverse(QString("abc")), "cba");
    EXPECT_EQ(strCutAtNull(QString::fromLatin1("C:\\WIN\0junk", 11)), "C:\\WIN");
    EXPECT_EQ(strCutAtNull(QString("none")), "none");
    EXPECT_TRUE(strContains(QString("Draw Button"), QString("button")));
    EXPECT_TRUE(strContains(QString("x"), QString()));
    EXPECT_FALSE(strContains(QString("button"), QString("button"))); // not itself
    EXPECT_FALSE(strContains(QString("but"), QString("button")));
}

TEST(PadCaption, PadDependsOnFontSize)
{
    QLabel small(QString("Anna Li"));
    QFont f = small.font();
    f.setPointSize(12);
    small.setFont(f);
    gamPadCaption(&small);
    EXPECT_EQ(small.text(), "  AnnaLi  ");
    QLabel large(QString("   "));
    f.setPointSize(19);
    large.setFont(f);
    gamPadCaption(&large);
    EXPECT_EQ(large.text(), "  "); // one space each side of nothing
    gamPadCaption(nullptr);
}
