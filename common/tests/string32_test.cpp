// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/game32.h"
#include "common/string32.h"

#include "testsupport/testsupport.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(StrGetTab, Fields)
{
    const QString t = QStringLiteral("a\tb\tc");
    EXPECT_EQ(strGetTab(t, 1), "a");
    EXPECT_EQ(strGetTab(t, 3), "c");
    EXPECT_EQ(strGetTab(t, 4), "");
    EXPECT_EQ(strGetTab(t, 0), "");
    EXPECT_EQ(strGetTab(QStringLiteral("\tx"), 1), "");
    EXPECT_EQ(strGetTab(QStringLiteral("\tx"), 2), "x");
    EXPECT_EQ(strGetTab(QStringLiteral("x\t"), 2), "");
    EXPECT_EQ(strGetTab(QString(), 1), "");
    EXPECT_EQ(strGetTab(QStringLiteral("only"), 1), "only");
}

TEST(StrGetTab, NegativeFieldShowsItsMessage)
{
    MessageRecorder boxes;
    EXPECT_EQ(strGetTab(QStringLiteral("a\tb"), -1), "");
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_EQ(boxes.messages[0].text, "strGetTab: Tab number must be over 1 (-1).");
    EXPECT_EQ(boxes.messages[0].buttons, MsgButtons::Ok);
}

TEST(Strings, SmallFunctions)
{
    EXPECT_EQ(strRemoveSpaces(QStringLiteral(" a b\tc ")), "ab\tc");
    EXPECT_EQ(strReverse(QStringLiteral("abc")), "cba");
    EXPECT_EQ(strCutAtNull(QString::fromLatin1("C:\\WIN\0junk", 11)), "C:\\WIN");
    EXPECT_EQ(strCutAtNull(QStringLiteral("none")), "none");
    EXPECT_TRUE(strContains(QStringLiteral("Draw Button"), QStringLiteral("button")));
    EXPECT_TRUE(strContains(QStringLiteral("x"), QString()));
    EXPECT_FALSE(strContains(QStringLiteral("button"), QStringLiteral("button"))); // not itself
    EXPECT_FALSE(strContains(QStringLiteral("but"), QStringLiteral("button")));
}

TEST(PadCaption, PadDependsOnFontSize)
{
    QLabel small(QStringLiteral("Anna Li"));
    QFont f = small.font();
    f.setPointSize(12);
    small.setFont(f);
    gamPadCaption(&small);
    EXPECT_EQ(small.text(), "  AnnaLi  ");
    QLabel large(QStringLiteral("   "));
    f.setPointSize(19);
    large.setFont(f);
    gamPadCaption(&large);
    EXPECT_EQ(large.text(), "  "); // one space each side of nothing
    gamPadCaption(nullptr);
}
