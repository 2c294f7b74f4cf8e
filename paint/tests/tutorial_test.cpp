// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/brushbox.h"
#include "paint/checkpaint.h"
#include "paint/frm_paint.h"
#include "paint/frm_splash.h"
#include "paint/openini.h"
#include "paint/paintsettings.h"

#include "common/themecheck.h"
#include "platform/imagecontrol.h"
#include "platform/picturebox.h"
#include "testsupport/testsupport.h"
#include "testsupport/tutorial.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <functional>
#include <gtest/gtest.h>



// The tutorial's Brushbox part, built from the page's own blocks step by step: after each step
// the checker finds nothing, start-up shows no box, and the window shows what the text promises.
TEST(Tutorial, BrushboxThemeStepByStep)
{
    if (QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
        GTEST_SKIP() << "ImageMagick's convert is needed to make the tutorial's pictures";
    TestFolders f;
    const QString home = f.path(QStringLiteral("home"));
    QDir().mkpath(home);
    const QString theme = home + QStringLiteral("/mytheme");
    const QString ini = theme + QStringLiteral("/zypaint.ini");

    // What each step promises on the screen.
    const QHash<QString, std::function<void(frm_Paint&)>> promises = {
        {QStringLiteral("2. The smallest configuration"),
         [](frm_Paint& w) {
             EXPECT_FALSE(w.img_Background->picture().isNull());
             for (int i = 0; i < kPaintButtons; ++i)
                 EXPECT_TRUE(w.img_Button[size_t(i)]->isHidden()) << "button " << i;
             EXPECT_TRUE(w.pic_Palette->isHidden());
         }},
        {QStringLiteral("3. The buttons"),
         [](frm_Paint& w) {
             for (int b : {btnDraw, btnOpen, btnSave})
                 EXPECT_FALSE(w.img_Button[size_t(b)]->isHidden()) << "button " << b;
             EXPECT_TRUE(w.img_Button[btnSpray]->isHidden());
             EXPECT_TRUE(PaintSettings.buttons[btnDraw].activemade);
         }},
        {QStringLiteral("4. A palette"),
         [](frm_Paint& w) {
             EXPECT_FALSE(w.pic_Palette->isHidden());
             EXPECT_FALSE(w.shp_CurrentColor->isHidden());
             EXPECT_EQ(w.shp_CurrentColor->backColor(), 0x0000FFu) << "red";
             // No colour of the palette is the lock colour.
             for (int x = 0; x < w.pic_Palette->Picture().width(); ++x)
                 EXPECT_NE(w.pic_Palette->Picture().pixel(x, 16) & 0xFFFFFF, 0u) << "x " << x;
         }},
    };

    int checkedSteps = 0;
    const QVector<TutorialStep> steps = tutorialSteps(QStringLiteral(DOCS_DIR "/tutorial.md"), QStringLiteral("a Brushbox theme"));
    for (const TutorialStep& s : steps) {
        const QString& step = s.heading;
        SCOPED_TRACE(qPrintable(step));
        bool configured = false;
        for (const TutorialBlock& b : s.blocks) {
            if (b.info.startsWith(QLatin1String("ini"))) {
                ASSERT_TRUE(b.info.contains(QStringLiteral("zypaint.ini"))) << qPrintable(b.info);
                ASSERT_TRUE(writeTutorialFile(b, ini, home));
                configured = true;
            } else if (b.info == QLatin1String("sh") && !b.text.contains(QStringLiteral("brushbox"))
                       && !b.text.contains(QStringLiteral("PATH"))) {
                EXPECT_EQ(runTutorialCommands(b.text, QDir(theme).exists() ? theme : home, home), QString()) << qPrintable(b.text);
            }
        }
        if (!configured && !promises.contains(step))
            continue;
        ++checkedSteps;
        ThemeReport report;
        checkPaintConfiguration(ini, report);
        EXPECT_TRUE(report.clean()) << qPrintable(report.lines().join('\n'));
        resetPaintSettings();
        MessageRecorder boxes;
        bool shown = false;
        pntStartUp(ini, [&](frm_Paint& w) {
            shown = true;
            if (promises.contains(step))
                promises[step](w);
        });
        destroySplashWindow();
        EXPECT_TRUE(shown);
        EXPECT_TRUE(boxes.messages.isEmpty()) << qPrintable(boxes.texts().join('\n'));
    }
    EXPECT_GE(checkedSteps, 4);
    // Step 5's children's catalog is made in the system folder, with its icon.
    EXPECT_TRUE(QFile::exists(f.windows() + QStringLiteral("/MyPaintings/My paintings.bmp")));
    EXPECT_TRUE(QDir(f.windows() + QStringLiteral("/MyPaintings/My paintings")).exists());
}
