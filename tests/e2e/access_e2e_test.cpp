// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Every child: Brushbox with the keyboard only and with a switch, both programs through a screen
// reader's eyes (AT-SPI), and the painting kept however the program ends. On a real X server
// with a window manager, as on a desktop.
#include "harness.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Places in the paint window and the small dialogs, from their layouts.
const QRect kDraw(16, 16, 89, 89), kFill(120, 128, 89, 89), kSave(16, 304, 89, 41), kOpen(120, 304, 89, 41),
    kCanvas(224, 16, 401, 401), kPalette(16, 432, 609, 33);
const QPoint kColourBox(130, 60); // inside the current-colour shape, beside the tool's picture
QRect catalogSlot(int k) { return {24 + 40 * k, 24, 33, 33}; }
QRect gridCell(int n) { return {24 + 40 * (n % 8), 88 + 40 * (n / 8), 33, 33}; }
// The sample palette's fields: row 0 column 3, and the one below it.
const QRgb kRed = qRgb(0xD0, 0x10, 0x20), kPink = qRgb(0xFF, 0xA0, 0xA8);

// The control the keyboard's focus frame stands round, found in region of the screen by the
// frame's top edge (going down: two dark, three light, one dark pixel), which runs exactly over
// the control's width: its left, top and width. Invalid when there is no frame to be seen.
QRect findFrame(const QImage& shot, const QRect& region)
{
    const QRgb dark = 0x202020, light = 0xFFD820;
    auto is = [&shot](int x, int y, QRgb c) { return rgb(shot.pixel(x, y)) == c; };
    const QRect r = region.intersected(shot.rect());
    for (int y = r.top(); y + 5 <= r.bottom(); ++y) {
        // The drawing cursor or the palette's mark may lie over a part of the edge.
        int first = -1, last = -1, longest = 0, start = -1;
        for (int x = r.left(); x <= r.right() + 1; ++x) {
            const bool edge = x <= r.right() && is(x, y, dark) && is(x, y + 1, dark) && is(x, y + 2, light) && is(x, y + 3, light)
                              && is(x, y + 4, light) && is(x, y + 5, dark);
            if (edge && start < 0)
                start = x;
            if (!edge && start >= 0) {
                if (x - start >= 4) {
                    first = first < 0 ? start : first;
                    last = x - 1;
                    longest = std::max(longest, x - start);
                }
                start = -1;
            }
        }
        if (longest >= 12)
            return QRect(first, y + 5, last - first + 1, 1);
    }
    return {};
}

bool frames(const QRect& found, const QRect& control)
{
    return found.isValid() && std::abs(found.left() - control.left()) <= 2 && std::abs(found.right() - control.right()) <= 2
           && std::abs(found.top() - control.top()) <= 2;
}

// A person at the keyboard, or at a switch: the keys go to whichever window has the focus.
class Child {
public:
    Child(XServer* x, bool usesSwitch) : m_x(x), oneSwitch(usesSwitch) {}
    XServer* m_x;
    const bool oneSwitch;
    QRect region; // the window whose frame is looked for, on the screen

    void keys(const QStringList& names) const { m_x->xdo(QStringList{"key", "--delay", "40"} + names); }
    void keys(const QString& name, int times) const { keys(QStringList(times, name)); }
    QRect frame() const { return findFrame(m_x->screenshot(), region); }
    // Steps with Tab until the frame is on control (on the screen).
    bool tabTo(const QRect& control) const
    {
        QRect at = frame();
        for (int i = 0; i < 40 && !frames(at, control); ++i) {
            keys({"Tab"});
            const QRect before = at;
            waitFor([&] { return (at = frame()) != before; }, 3000);
        }
        return frames(at, control);
    }
    bool frameOn(const QRect& control, int timeoutMs = 5000) const
    {
        return waitFor([&] { return frames(frame(), control); }, timeoutMs);
    }
    // Presses what the frame is on: Space at the keyboard, the switch's second key.
    void press() const { keys({oneSwitch ? "Return" : "space"}); }
    // The switch's one-key press: Tab held until what it is on looks pressed, then let go.
    void longPress(const std::function<bool()>& looksPressed) const
    {
        m_x->xdo({"keydown", "Tab"});
        waitFor(looksPressed, 5000);
        m_x->xdo({"keyup", "Tab"});
    }
};

// The frame lies over the control's outermost pixels: the inside is compared.
bool shows(const QImage& shot, const QRect& place, const QImage& picture)
{
    const QRect inside = place.adjusted(2, 2, -2, -2);
    return samePixels(shot.copy(inside), picture.copy(inside.translated(-place.topLeft())));
}

// Opens picture cell of catalog slot in the open dialog, from the paint window's open button.
void openPicture(const Child& child, const QPoint& origin, int slot, int cell)
{
    XServer* x = child.m_x;
    ASSERT_TRUE(child.tabTo(kOpen.translated(origin)));
    child.keys({"Return"});
    const auto dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u);
    Child inDialog = child;
    inDialog.region = x->geometry(dialog);
    const QPoint at = inDialog.region.topLeft();
    if (child.oneSwitch) {
        ASSERT_TRUE(inDialog.tabTo(catalogSlot(slot).translated(at)));
        inDialog.keys({"Return"});
        ASSERT_TRUE(waitFor([&] { return inDialog.tabTo(gridCell(cell).translated(at)); }));
    } else {
        inDialog.keys({"Tab"});
        ASSERT_TRUE(inDialog.frameOn(catalogSlot(0).translated(at)));
        inDialog.keys("Right", slot);
        ASSERT_TRUE(inDialog.frameOn(catalogSlot(slot).translated(at)));
        inDialog.keys({"space"});
        // Down goes into the grid once the catalog's pictures are there.
        ASSERT_TRUE(waitFor([&] {
            inDialog.keys({"Down"});
            return inDialog.frameOn(gridCell(slot).translated(at), 500) || inDialog.frameOn(gridCell(0).translated(at), 500);
        }));
        const int from = frames(inDialog.frame(), gridCell(0).translated(at)) ? 0 : slot;
        inDialog.keys(cell > from ? "Right" : "Left", std::abs(cell - from));
        ASSERT_TRUE(inDialog.frameOn(gridCell(cell).translated(at)));
    }
    inDialog.keys({"Return"}); // Enter on a picture opens it
    ASSERT_TRUE(x->waitForNoWindow("Open"));
}

// On the canvas from its middle: 40 pixels left and down (the fill), then a line 40 pixels to
// the right in the other colour. The keyboard moves 4 pixels an arrow (20 with Shift) and paints
// with Space; the switch steers with Enter: right, down, left, up, paint, leave.
void paintOnCanvas(const Child& child, const QPoint& origin, bool line)
{
    ASSERT_TRUE(child.tabTo(kCanvas.translated(origin)));
    if (!child.oneSwitch && !line) {
        child.keys("Left", 10);
        child.keys("shift+Down", 2);
        child.keys({"space"});
    } else if (!child.oneSwitch) {
        child.m_x->xdo({"keydown", "space"});
        child.keys("Right", 10);
        child.m_x->xdo({"keyup", "space"});
    } else if (!line) { // Tab steps to the next choice, Enter takes it
        child.keys({"Return", "Tab", "Tab", "Return", "Return"}); // steering; left, 40 pixels
        child.keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Return", "Return"}); // down
        child.keys({"Tab", "Tab", "Tab", "Return", "Tab", "Return"});        // paint: the fill; leave
    } else {
        child.keys({"Return", "Tab", "Tab", "Tab", "Tab", "Return"}); // steering; paint: the pen goes down
        child.keys({"Tab", "Tab", "Return", "Return"});               // right: the line
        child.keys({"Tab", "Tab", "Tab", "Tab", "Return", "Tab", "Return"}); // the pen comes up; leave
    }
}

void sitting(bool oneSwitch)
{
    REQUIRE_X();
    ThemeFolder t;
    t.write("zypaint.ini", t.copySampleBrushbox());
    const QString saved = t.windows() + "/Paintings/Red folder/0.bmp";
    const QImage car(t.path("pictures/Things/car.bmp"));
    ASSERT_FALSE(car.isNull());
    // Both places are white inside the car's body, so the fill reaches both.
    ASSERT_EQ(rgb(car.pixel(160, 262)), 0xFFFFFFu);
    ASSERT_EQ(rgb(car.pixel(180, 240)), 0xFFFFFFu);

    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    Child child(x, oneSwitch);
    child.region = x->geometry(window);
    const QPoint origin = child.region.topLeft(), canvas = origin + kCanvas.topLeft();
    x->focus(window);
    auto shownAt = [&](QPoint p, QRgb c) { return waitFor([&] { return rgb(x->screenshot().pixel(p)) == rgb(c); }); };
    // A colour from the palette: the keyboard's arrows, or the switch's presses (each the next).
    auto pickColour = [&](const QStringList& arrows, int presses) {
        ASSERT_TRUE(child.tabTo(kPalette.translated(origin)));
        oneSwitch ? child.keys("Return", presses) : child.keys(arrows);
    };

    // The frame comes with the first Tab, on the draw button.
    EXPECT_FALSE(findFrame(x->screenshot(), child.region).isValid()) << "a frame before any key";
    child.keys({"Tab"});
    ASSERT_TRUE(child.frameOn(kDraw.translated(origin))) << qPrintable(run.stderrText());

    // 1. The car from Things (slot 1, cell 1).
    openPicture(child, origin, 1, 1);
    if (::testing::Test::HasFatalFailure())
        return;

    // 2. Red, the fill tool, a fill in the car's body.
    pickColour(QStringList(3, "Right"), 3);
    ASSERT_TRUE(shownAt(origin + kColourBox, kRed)) << "the palette's pick";
    ASSERT_TRUE(child.tabTo(kFill.translated(origin)));
    child.press();
    paintOnCanvas(child, origin, false);
    ASSERT_TRUE(shownAt(canvas + QPoint(160, 262), kRed)) << "the fill";

    // 3. Pink, the draw tool, a line.
    pickColour({"Down"}, 14);
    ASSERT_TRUE(shownAt(origin + kColourBox, kPink));
    ASSERT_TRUE(child.tabTo(kDraw.translated(origin)));
    child.press();
    paintOnCanvas(child, origin, true);
    ASSERT_TRUE(shownAt(canvas + QPoint(180, 240), kPink)) << "the line";

    // 4. Saved into the Red folder: Enter on the catalog chooses it and saves. The switch's
    // press on the save button is a long press of Tab.
    ASSERT_TRUE(child.tabTo(kSave.translated(origin)));
    if (oneSwitch) {
        const QImage down(t.path("gfx/save_down.bmp"));
        child.longPress([&] { return shows(x->screenshot(), kSave.translated(origin), down); });
    } else {
        child.keys({"Return"});
    }
    const auto saveDialog = x->waitForWindow("Save");
    ASSERT_NE(saveDialog, 0u) << "the save dialog";
    Child inSave = child;
    inSave.region = x->geometry(saveDialog);
    inSave.keys({"Tab"});
    ASSERT_TRUE(inSave.frameOn(catalogSlot(0).translated(inSave.region.topLeft())));
    inSave.keys({"Return"});
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(saved); })) << qPrintable(run.stderrText());
    ASSERT_TRUE(x->waitForNoWindow("Save"));

    // What was drawn is what was saved: the line over the fill, the rest of the car as it was.
    const QImage painting(saved);
    ASSERT_EQ(painting.size(), QSize(401, 401));
    EXPECT_EQ(rgb(painting.pixel(180, 240)), rgb(kPink)) << "the line";
    EXPECT_EQ(rgb(painting.pixel(160, 262)), rgb(kRed)) << "the fill";
    EXPECT_EQ(rgb(painting.pixel(20, 390)), 0xFFFFFFu) << "outside the car";
    int unchanged = 0, lines = 0;
    for (int y = 0; y < 400; ++y)
        for (int xx = 0; xx < 400; ++xx)
            if (rgb(car.pixel(xx, y)) == 0) {
                ++lines;
                unchanged += rgb(painting.pixel(xx, y)) == 0;
            }
    EXPECT_GT(lines, 1000);
    EXPECT_GE(unchanged, lines - 400) << "the car's lines stay (but where the line crosses them)";

    // 5. Reopened from the Red folder (slot 2, its only picture): the canvas shows the painting.
    openPicture(child, origin, 2, 0);
    if (::testing::Test::HasFatalFailure())
        return;
    EXPECT_TRUE(waitFor([&] { return samePixels(x->screenshot().copy(QRect(canvas, QSize(401, 401))), painting); }))
        << "the reopened painting on the canvas";
    x->screenshot(QDir::temp().filePath(oneSwitch ? "e2e-switch-sitting.png" : "e2e-keyboard-sitting.png"));
}

} // namespace

TEST(AccessEndToEnd, KeyboardOnlySittingEndsWithTheSavedPaintingThatWasDrawn) { sitting(false); }

TEST(AccessEndToEnd, OneSwitchSittingEndsWithTheSavedPaintingThatWasDrawn) { sitting(true); }

TEST(AccessEndToEnd, KeptPaintingComesBackAfterEveryWayOfEndingAndOnlyWithTheKey)
{
    REQUIRE_X();
    struct Way {
        const char* name;
        bool noquit;
        std::function<void(ProgramRun&, QPoint origin)> end;
    };
    const QVector<Way> ways = {
        {"Esc", false, [&](ProgramRun&, QPoint) { x->key("Escape"); }},
        {"the quit button", false, [&](ProgramRun&, QPoint o) { x->click(o + QPoint(164, 396)); }},
        {"the window's close", false, [&](ProgramRun&, QPoint o) { x->click(o + QPoint(641 - 11, -11)); }},
        {"Ctrl+Shift+Q", true, [&](ProgramRun&, QPoint) { x->key("ctrl+shift+q"); }},
        {"SIGTERM", true, [](ProgramRun& run, QPoint) { run.sendSignal(SIGTERM); }},
        {"SIGHUP", false, [](ProgramRun& run, QPoint) { run.sendSignal(SIGHUP); }},
        // A logout that ends the X server before any signal: the connection closes under it.
        {"the display closing", false,
         [&](ProgramRun&, QPoint) { x->run("xkill", {"-id", QString::number(x->windows("Brushbox").value(0))}); }},
    };
    for (int w = 0; w < ways.size(); ++w) {
        const Way& way = ways[w];
        SCOPED_TRACE(way.name);
        ThemeFolder t;
        t.write("zypaint.ini", t.copySampleBrushbox() + "\r\n[classroom]\r\nkeeppainting=1\r\nsingleinstance=0\r\n"
                                   + (way.noquit ? "noquit=1\r\n" : ""));
        QImage before;
        {
            ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
            const auto window = x->waitForWindow("Brushbox");
            ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
            const QPoint origin = x->geometry(window).topLeft(), canvas = origin + kCanvas.topLeft();
            x->focus(window);
            // A stroke of its own for each way, in a colour of the palette's top row (not white).
            const int column[] = {0, 1, 3, 4, 5, 6, 7};
            x->click(origin.x() + 38 + 43 * column[w], origin.y() + 440);
            const int y = 50 + 50 * w;
            x->drag(canvas + QPoint(40, y), canvas + QPoint(360, y + 30));
            ASSERT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(200, y + 15))) != 0xFFFFFFu; }));
            before = x->screenshot().copy(QRect(canvas, QSize(401, 401)));
            way.end(run, origin);
            ASSERT_TRUE(run.waitForExit()) << "the program did not end";
            EXPECT_TRUE(run.endedNormally());
            EXPECT_TRUE(QFileInfo::exists(t.windows() + "/brushbox_kept.bmp")) << qPrintable(run.stderrText());
        }
        ProgramRun again(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        const auto window = x->waitForWindow("Brushbox");
        ASSERT_NE(window, 0u) << qPrintable(again.stderrText());
        const QPoint canvas = x->geometry(window).topLeft() + kCanvas.topLeft();
        EXPECT_TRUE(waitFor([&] { return x->screenshot().copy(QRect(canvas, QSize(401, 401))) == before; }))
            << "the painting is not back as it was";
    }

    // Without the key nothing is kept, and a painting kept before does not come back.
    ThemeFolder t;
    t.write("zypaint.ini", t.copySampleBrushbox());
    QImage old(401, 401, QImage::Format_RGB32);
    old.fill(Qt::blue);
    old.save(t.windows() + "/brushbox_kept.bmp");
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u);
    const QPoint canvas = x->geometry(window).topLeft() + kCanvas.topLeft();
    x->focus(window);
    EXPECT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(200, 200))) == 0xFFFFFFu; }));
    QFile::remove(t.windows() + "/brushbox_kept.bmp");
    x->drag(canvas + QPoint(40, 100), canvas + QPoint(360, 100));
    x->key("Escape");
    ASSERT_TRUE(run.waitForExit());
    EXPECT_FALSE(QFileInfo::exists(t.windows() + "/brushbox_kept.bmp")) << "kept without the key";
}

TEST(AccessEndToEnd, ScreenReaderFindsEveryControlNamedAndPressableAndQtsButtonsInTheDesktopsLanguage)
{
    REQUIRE_X();
    const bool tools = !QStandardPaths::findExecutable("dbus-run-session").isEmpty()
                       && QProcess::execute("/usr/bin/python3", {"-c", "import pyatspi"}) == 0;
    if (!tools && devicesRequired())
        FAIL() << "AT-SPI cannot be had: dbus-run-session or python3-pyatspi is missing";
    if (!tools)
        GTEST_SKIP() << "dbus-run-session or python3-pyatspi is missing";
    auto walk = [&](const QStringList& args, const QString& windows) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", x->display());
        env.remove("QT_QPA_PLATFORM");
        env.insert("WINDIR", windows);
        env.insert("PULSE_SERVER", "unix:/nonexistent");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("dbus-run-session", QStringList{"--", "/usr/bin/python3", SOURCE_DIR "/atspi_walk.py"} + args);
        p.waitForFinished(180000);
        const QString out = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(args.join(' ')) << "\n" << qPrintable(out);
        EXPECT_TRUE(("\n" + out).contains("\n0 findings\n")) << "the walk did not run to its end";
    };

    // Brushbox: the save and open buttons without tooltips are named by their functions.
    ThemeFolder paint;
    QByteArray ini, section;
    for (const QByteArray& line : paint.copySampleBrushbox().split('\n')) {
        if (line.trimmed().startsWith('['))
            section = line.trimmed();
        if ((section == "[save button]" || section == "[open button]") && line.trimmed().toLower().startsWith("tooltiptext"))
            continue;
        ini += line + '\n';
    }
    paint.write("zypaint.ini", ini);
    walk({"brushbox", BRUSHBOX_EXE, paint.path("zypaint.ini")}, paint.windows());

    ThemeFolder game;
    game.copySampleTwinturn();
    walk({"twinturn", TWINTURN_EXE, game.path("memory.ini")}, game.windows());

    // A warning with OK and Cancel, on a German desktop: Qt's own word for Cancel.
    ThemeFolder german;
    german.copySampleTwinturn();
    QDir gfx(german.path("games/gfx"));
    for (const QString& name : gfx.entryList({"bk*"}, QDir::Files))
        gfx.remove(name);
    walk({"message", TWINTURN_EXE, german.path("memory.ini"), "Abbrechen"}, german.windows());
}
