#include "fakes.h"
#include "gamefiles.h"
#include "memory/frm_memorygame.h"
#include "memory/memwidgets.h"
#include "memory/twinturn.h"
#include "paint/frm_splash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {
frm_Splash* visibleSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<frm_Splash*>(w); splash && splash->isVisible())
            return splash;
    return nullptr;
}
}

// The splash comes up in its colour while the game is read, and goes when the board is active.
TEST(GameWindow, TheSplashShowsInItsColourUntilTheBoardIsActive)
{
    ThrowingEnder ender;
    GameFiles g;
    g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP", 40, 40, Qt::blue));
    g.global += "picture=back.bmp\r\n";
    g.main = "[splash screen]\r\nbackcolor=&HF0B040\r\nactive=1\r\n" + g.main;
    g.write();
    memFile = g.ini();
    frm_MemoryGame::setScreenSizeForTests(QSize(1024, 768));
    MessageRecorder boxes;
    frm_MemoryGame window;
    ASSERT_TRUE(window.Form_Load()) << qPrintable(boxes.texts().join('\n'));
    frm_Splash* splash = visibleSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->palette().color(QPalette::Window), QColor(0x40, 0xB0, 0xF0));
    EXPECT_FALSE(window.state.memGameReady);

    window.show();
    QElapsedTimer t;
    t.start();
    while (!window.state.memGameReady && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    EXPECT_TRUE(window.state.memGameReady);
    EXPECT_EQ(visibleSplash(), nullptr);
    frm_MemoryGame::setScreenSizeForTests(QSize());
}

// A card back that cannot be loaded, on a board without borders, would leave the face-down cards
// invisible: they get a plain back. With borders the theme's own look is kept.
TEST(GameWindow, AnUnreadableCardBackWithoutBordersGetsAPlainBack)
{
    ThrowingEnder ender;
    frm_MemoryGame::setScreenSizeForTests(QSize(1024, 768));
    for (const bool border : {false, true}) {
        GameFiles g;
        g.folders.write(QStringLiteral("gfx/back.bmp"), "not a picture");
        g.global += "picture=back.bmp\r\n";
        if (border)
            g.global += "border=1\r\n";
        g.write();
        memFile = g.ini();
        MessageRecorder boxes;
        frm_MemoryGame window;
        ASSERT_TRUE(window.Form_Load()) << qPrintable(boxes.texts().join('\n'));
        EXPECT_FALSE(boxes.messages.isEmpty()); // the adult still hears of the picture
        ASSERT_FALSE(window.img_Card.isEmpty());
        EXPECT_EQ(window.img_Card[0]->picture().isNull(), border) << "border " << border;
        if (!border) {
            EXPECT_EQ(window.img_Card[0]->picture().size(), QSize(40, 40));
        }
    }
    frm_MemoryGame::setScreenSizeForTests(QSize());
}
