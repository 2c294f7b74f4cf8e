// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "memory/checkmemory.h"
#include "memory/frm_memorygame.h"
#include "memory/memerrors.h"
#include "memory/twinturn.h"

#include "common/themecheck.h"
#include "memory/memwidgets.h"
#include "testsupport/testsupport.h"
#include "testsupport/tutorial.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

// The tutorial's Twinturn game, built from the page's own blocks: the checker finds nothing,
// start-up shows no box and lays out the twelve cards, and bigger cards get the words the page
// quotes.
TEST(Tutorial, TwinturnGameFromThePage)
{
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        GTEST_SKIP() << "ImageMagick's convert is needed to make the tutorial's pictures";
    ThrowingEnder ender;
    TestFolders f;
    const QString home = f.path(QStringLiteral("home"));
    QDir().mkpath(home);
    const QString game = home + QStringLiteral("/mygame");
    int files = 0;
    for (const TutorialStep& step : tutorialSteps(QStringLiteral(DOCS_DIR "/tutorial.md"), QStringLiteral("a Twinturn game"))) {
        SCOPED_TRACE(qPrintable(step.heading));
        for (const TutorialBlock& b : step.blocks) {
            if (b.info == QLatin1String("sh")) {
                if (!b.text.contains(QStringLiteral("twinturn"))) {
                    EXPECT_EQ(runTutorialCommands(b.text, QDir(game).exists() ? game : home, home), QString()) << qPrintable(b.text);
                }
            } else {
                const QString name = b.info.section(QLatin1Char(' '), 1, 1);
                ASSERT_FALSE(name.isEmpty()) << qPrintable(b.info);
                ASSERT_TRUE(writeTutorialFile(b, game + QLatin1Char('/') + name, home));
                ++files;
            }
        }
    }
    EXPECT_EQ(files, 4);
    const QString ini = game + QStringLiteral("/memory.ini");

    frm_MemoryGame::setScreenSizeForTests(QSize(800, 600));
    ThemeReport report;
    checkMemoryConfiguration(ini, report);
    EXPECT_TRUE(report.clean()) << qPrintable(report.lines().join('\n'));
    {
        MessageRecorder boxes;
        int cards = 0;
        try {
            memStartUp(ini, [&](frm_MemoryGame& w) {
                for (MemImage* card : w.img_Card)
                    cards += card->isHidden() ? 0 : 1;
            });
        } catch (const MemProgramEnd&) {
        }
        EXPECT_TRUE(boxes.messages.isEmpty()) << qPrintable(boxes.texts().join('\n'));
        EXPECT_EQ(cards, 12);
    }

    // "with 120 x 120 cards it would say "..." for a 640 x 480 screen"
    QFile page(QStringLiteral(DOCS_DIR "/tutorial.md"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch quoted = QRegularExpression(QStringLiteral("with (\\d+) x\\s+(\\d+) cards it would say \"([^\"]+)\""))
                                               .match(QString::fromUtf8(page.readAll()));
    ASSERT_TRUE(quoted.hasMatch());
    QFile global(game + QStringLiteral("/data/global.ini"));
    ASSERT_TRUE(global.open(QIODevice::ReadWrite));
    QString text = QString::fromUtf8(global.readAll());
    text.replace(QRegularExpression(QStringLiteral("cardwidth=\\d+")), QStringLiteral("cardwidth=") + quoted.captured(1));
    text.replace(QRegularExpression(QStringLiteral("cardheight=\\d+")), QStringLiteral("cardheight=") + quoted.captured(2));
    global.resize(0);
    global.write(text.toUtf8());
    global.close();
    ThemeReport bigger;
    checkMemoryConfiguration(ini, bigger);
    const QString words = quoted.captured(3).simplified();
    EXPECT_EQ(bigger.lines().filter(words).size(), 1) << qPrintable(words) << "\n" << qPrintable(bigger.lines().join('\n'));
    frm_MemoryGame::setScreenSizeForTests(QSize());
}
