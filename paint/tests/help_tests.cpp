// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/frm_help.h"
#include "paint/helplaunchers.h"
#include "paint/paintsettings.h"
#include "testsupport/testsupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Runs a launcher; while its help window is up, looks at it and then closes it with close().
// Returns the colour of the help picture's corner, or -1 when no help window came up.
struct HelpRun {
    bool shown = false;
    QRgb corner = 0;
    QPoint boxAt;
    QSize boxSize;
    QRect window;
    bool leftOpen = false; // still open when the guard closed it
};

HelpRun runHelp(const std::function<void()>& launcher, const std::function<void(frm_Help&)>& close)
{
    HelpRun run;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* help = qobject_cast<frm_Help*>(QApplication::activeModalWidget());
        if (!help)
            return;
        probe.stop();
        run.shown = true;
        const QPixmap p = help->pic_Help->pixmap();
        run.corner = p.isNull() ? 0 : p.toImage().pixel(0, 0) & 0xFFFFFF;
        run.boxAt = help->pic_Help->pos();
        run.boxSize = help->pic_Help->size();
        run.window = help->geometry();
        close(*help);
    });
    probe.start();
    // A launcher that shows nothing returns at once; a help window that is not closed is closed
    // here once the closer has had its events, and says so.
    QTimer guard;
    guard.setInterval(10);
    int idleTurns = 0;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        auto* help = qobject_cast<frm_Help*>(QApplication::activeModalWidget());
        if (!help || !run.shown || ++idleTurns < 5)
            return;
        run.leftOpen = true;
        help->reject();
    });
    guard.start();
    launcher();
    return run;
}

void typeKey(QWidget& w, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&w, &press);
}

void clickOn(QWidget* w)
{
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

struct HelpTheme {
    TestFolders folders;
    HelpTheme()
    {
        PaintSettings = PaintSettingsRecord{};
        folders.mkdir("gfx");
        folders.write("gfx/paint.bmp", pictureBytes("BMP", 40, 30, Qt::red));
        folders.write("gfx/open.bmp", pictureBytes("BMP", 40, 30, Qt::green));
        folders.write("gfx/save.bmp", pictureBytes("BMP", 40, 30, Qt::blue));
        PaintSettings.gfx.expanded = folders.path("gfx/");
        PaintSettings.help.picture = "paint.bmp";
        PaintSettings.open.helpPicture = "open.bmp";
        PaintSettings.save.helpPicture = "save.bmp";
    }
    ~HelpTheme() { PaintSettings = PaintSettingsRecord{}; }
};
}

TEST(Help, EachLauncherShowsItsOwnPictureAndOnlyHelpActiveSwitchesThem)
{
    HelpTheme theme;
    auto closeByKey = [](frm_Help& h) { typeKey(h, Qt::Key_A, "a"); };
    // The dialogs' helpactive keys do not switch their help screens.
    PaintSettings.open.helpActive = PaintSettings.save.helpActive = true;
    EXPECT_FALSE(runHelp([] { ShowPaintHelp(); }, closeByKey).shown);
    EXPECT_FALSE(runHelp([] { ShowOpenHelp(); }, closeByKey).shown);
    EXPECT_FALSE(runHelp([] { ShowSaveHelp(); }, closeByKey).shown);

    PaintSettings.help.active = true;
    PaintSettings.open.helpActive = PaintSettings.save.helpActive = false;
    const HelpRun paint = runHelp([] { ShowPaintHelp(); }, closeByKey);
    const HelpRun open = runHelp([] { ShowOpenHelp(); }, closeByKey);
    const HelpRun save = runHelp([] { ShowSaveHelp(); }, closeByKey);
    ASSERT_TRUE(paint.shown && open.shown && save.shown);
    EXPECT_EQ(paint.corner, 0xFF0000u);
    EXPECT_EQ(open.corner, 0x00FF00u);
    EXPECT_EQ(save.corner, 0x0000FFu);

    // A missing picture: the window still opens, its box empty, and closes as usual.
    PaintSettings.open.helpPicture = "gone.bmp";
    const HelpRun missing = runHelp([] { ShowOpenHelp(); }, closeByKey);
    EXPECT_TRUE(missing.shown);
    EXPECT_EQ(missing.corner, 0u);
}

TEST(Help, AClickAnywhereOrACharacterKeyClosesItAndTheBoxIsCentred)
{
    HelpTheme theme;
    PaintSettings.help.active = true;
    // Each of these must end the modal help; a window left open is closed by the guard, which
    // says so.
    const std::vector<std::function<void(frm_Help&)>> closers{
        [](frm_Help& h) { clickOn(h.pic_Help); },
        [](frm_Help& h) { clickOn(&h); },
        [](frm_Help& h) { typeKey(h, Qt::Key_Space, " "); },
        [](frm_Help& h) { typeKey(h, Qt::Key_Escape, QString(QChar(27))); },
    };
    for (size_t i = 0; i < closers.size(); ++i) {
        const HelpRun run = runHelp([] { ShowPaintHelp(); }, closers[i]);
        EXPECT_TRUE(run.shown) << i;
        EXPECT_FALSE(run.leftOpen) << "closer " << i << " did not close the help";
        frm_Help probe;
        EXPECT_EQ(run.boxAt, QPoint((probe.width() - run.boxSize.width()) / 2, (probe.height() - run.boxSize.height()) / 2)) << i;
    }
    // A key without a character (Shift) leaves it open.
    EXPECT_TRUE(runHelp([] { ShowPaintHelp(); }, [](frm_Help& h) { typeKey(h, Qt::Key_Shift, QString()); }).leftOpen);
}

// Over a full-screen window the help covers the screen and no more, its picture in the middle.
TEST(Help, OverAFullScreenWindowItFitsTheScreen)
{
    HelpTheme theme;
    PaintSettings.help.active = true;
    QWidget owner;
    owner.setWindowState(Qt::WindowFullScreen);
    owner.show();
    const QRect screen = owner.screen()->geometry();
    const HelpRun run = runHelp([&] { ShowPaintHelp(&owner); }, [](frm_Help& h) { typeKey(h, Qt::Key_A, "a"); });
    ASSERT_TRUE(run.shown);
    EXPECT_EQ(run.window, screen);
    EXPECT_EQ(run.boxAt, QPoint((screen.width() - run.boxSize.width()) / 2, (screen.height() - run.boxSize.height()) / 2));
}
