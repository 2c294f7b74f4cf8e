// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "common/log.h"
#include "memory/twinturn.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>

namespace {
const QString CR(QChar(13));

struct Expected {
    int number;
    const char* text; // CR written as |
    bool fatal;
};

// Every message of the table with "A" and "B" as the two information texts.
const Expected kTable[] = {
    {1, "Could not find file ''A''||You must have an INI file as an argument,|OR place memory.ini in the application path|OR in the windows directory.", true},
    {2, "The INI file ''A'' that was|used as argument does not exist. ", true},
    {3, "There is no application type declaration|in the INI file.", true},
    {4, "The application type declaration in the|INI file is unknown.", true},
    {5, "Could not find main file ''A''", true},
    {6, "Could not find global file ''A''", true},
    {7, "Could not find card file ''A''", true},
    {8, "Could not find list file ''A''", true},
    {9, "Listfile contains to few text strings.", false},
    {10, "Could not find special file ''A''", true},
    {100, "Background picture file ''A does not exist.", false},
    {101, "Card front picture file ''A'' does not exist.", false},
    {102, "Control picture file ''A'' does not exist.", false},
    {103, "Quit button picture file ''A'' does not exist.", false},
    {104, "Player background picture file ''A'' does not exist.", false},
    {105, "Card picture file ''A'' does not exist.", false},
    {200, "''End (good) sound'' wave file ''A does not exist.", false},
    {201, "''End (bad) sound'' wave file ''A does not exist.", false},
    {202, "''Turn card sound'' wave file ''A does not exist.", false},
    {203, "'Wave file ''A'' for card number B does not exist.", false},
    {204, "''Click text sound'' wave file ''A does not exist.", false},
    {205, "''Match sound'' wave file ''A does not exist.", false},
    {206, "''No Match sound'' wave file ''A does not exist.", false},
};

QString withCr(const char* text) { return QString::fromUtf8(text).replace(QLatin1Char('|'), CR); }
}

TEST(ErrorTable, EveryMessageTitleAndKind)
{
    ThrowingEnder ender;
    for (const Expected& e : kTable) {
        MessageRecorder boxes;
        bool ended = false;
        try {
            memHandleError(e.number, QStringLiteral("A"), QStringLiteral("B"));
        } catch (const MemProgramEnd&) {
            ended = true;
        }
        ASSERT_EQ(boxes.messages.size(), 1) << e.number;
        const MsgRecord& box = boxes.messages[0];
        EXPECT_EQ(box.title, QStringLiteral("Error in application (# %1)").arg(e.number)) << e.number;
        EXPECT_EQ(box.icon, MsgIcon::Stop);
        if (e.fatal) {
            EXPECT_TRUE(ended) << e.number;
            EXPECT_EQ(box.buttons, MsgButtons::Ok);
            EXPECT_EQ(box.text, withCr(e.text)) << e.number;
        } else {
            EXPECT_FALSE(ended) << e.number;
            EXPECT_EQ(box.buttons, MsgButtons::OkCancel);
            EXPECT_EQ(box.text, withCr(e.text) + CR + CR + QStringLiteral("Continue?")) << e.number;
        }
    }
}

TEST(ErrorTable, AbsentInformationIsEmptyAndUnknownNumbersAreFatalAndEmpty)
{
    ThrowingEnder ender;
    MessageRecorder boxes;
    EXPECT_THROW(memHandleError(1), MemProgramEnd);
    EXPECT_TRUE(boxes.messages[0].text.startsWith(QStringLiteral("Could not find file ''''") + CR + CR));
    EXPECT_THROW(memHandleError(999), MemProgramEnd);
    EXPECT_EQ(boxes.messages[1].text, QString());
    EXPECT_EQ(boxes.messages[1].title, QStringLiteral("Error in application (# 999)"));
    EXPECT_THROW(memHandleError(2.5), MemProgramEnd);
    EXPECT_EQ(boxes.messages[2].title, QStringLiteral("Error in application (# 2.5)"));
}

TEST(ErrorTable, CancelOnAWarningEndsTheProgramOkGoesOnAndLogs)
{
    ThrowingEnder ender;
    TestFolders folders;
    MessageRecorder boxes;
    boxes.answers = {MsgResult::Cancel};
    EXPECT_THROW(memHandleError(105, QStringLiteral("x.bmp")), MemProgramEnd);

    bolDebug = true;
    EXPECT_NO_THROW(memHandleError(105, QStringLiteral("y.bmp")));
    bolDebug = false;
    const QString log = QString::fromUtf8(folders.read(QStringLiteral("windows/memory.log")));
    EXPECT_TRUE(log.contains(QStringLiteral("=> memHandleError (105) <=\r\n105, Card picture file ''y.bmp'' does not exist.")))
        << qPrintable(log);
}
