// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "common/log.h"
#include "memory/twinturn.h"
#include "testsupport/testsupport.h"

#include <gtest/gtest.h>

namespace {
const QString CR(QChar(13));

// The messages no other test quotes whole, with "A" and "B" as the information texts (CR as |).
const std::pair<int, const char*> kTexts[] = {
    {1, "Could not find file ''A''||You must have an INI file as an argument,|OR place memory.ini in the application path|OR in the windows directory."},
    {2, "The INI file ''A'' that was|used as argument does not exist. "},
    {3, "There is no application type declaration|in the INI file."},
    {4, "The application type declaration in the|INI file is unknown."},
    {11, "The board has no cards: cardsx and cardsy must both be at least 1."},
    {12, "The board of A cards does not fit on the screen.|There is room for B cards of this size."},
    {13, "The board has an odd number of cards (A).|The last place stays empty, so every card has a pair."},
    {14, "The card file ''A'' has only B cards.|The board is made smaller to fit them."},
    {16, "The board has A cards, more than the B a game can have."},
    {17, "The card file ''A'' holds no cards."},
    {102, "Control picture file ''A'' does not exist."},
    {104, "Player background picture file ''A'' does not exist."},
    {200, "''End (good) sound'' wave file ''A does not exist."},
    {201, "''End (bad) sound'' wave file ''A does not exist."},
    {205, "''Match sound'' wave file ''A does not exist."},
};

bool isWarning(int number) { return number == 9 || (number >= 13 && number <= 15) || number >= 100; }
}

TEST(ErrorTable, EveryMessageTitleKindAndText)
{
    for (const auto& [number, text] : kTexts)
        EXPECT_EQ(memErrorText(number, QStringLiteral("A"), QStringLiteral("B")).message,
                  QString::fromUtf8(text).replace(QLatin1Char('|'), CR));
    ThrowingEnder ender;
    const QList<int> numbers = memErrorNumbers() << 2;
    for (const int number : numbers) {
        MessageRecorder boxes;
        bool ended = false;
        try {
            memHandleError(number, QStringLiteral("A"), QStringLiteral("B"));
        } catch (const MemProgramEnd&) {
            ended = true;
        }
        ASSERT_EQ(boxes.messages.size(), 1) << number;
        const MsgRecord& box = boxes.messages[0];
        const QString text = memErrorText(number, QStringLiteral("A"), QStringLiteral("B")).message;
        EXPECT_FALSE(text.isEmpty()) << number;
        EXPECT_EQ(box.title, QStringLiteral("Error in application (# %1)").arg(number));
        EXPECT_EQ(box.icon, MsgIcon::Stop);
        EXPECT_EQ(ended, !isWarning(number)) << number;
        EXPECT_EQ(box.buttons, ended ? MsgButtons::Ok : MsgButtons::OkCancel) << number;
        EXPECT_EQ(box.text, ended ? text : text + CR + CR + QStringLiteral("Continue?")) << number;
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
