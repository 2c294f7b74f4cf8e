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

bool devicesRequired() { return qEnvironmentVariableIsSet("BB_REQUIRE_DEVICES"); }

// Places in the paint window and the small dialogs, from their layouts.
const QRect kDraw(16, 16, 89, 89), kFill(120, 128, 89, 89), kSave(16, 304, 89, 41), kOpen(120, 304, 89, 41),
    kCanvas(224, 16, 401, 401), kPalette(16, 432, 609, 33);
const QPoint kColourBox(130, 60); // inside the current-colour shape, beside the tool's picture
QRect catalogSlot(int k) { return {24 + 40 * k, 24, 33, 33}; }
QRect gridCell(int n) { return {24 + 40 * (n % 8), 88 + 40 * (n / 8), 33, 33}; }
// The sample palette's fields: row 0 column 3, and the one below it.
const QRgb kRed = qRgb(0xD0, 0x10, 0x20), kPink = qRgb(0xFF, 0xA0, 0xA8);

QRgb rgb(QRgb c) { return c & 0xFFFFFF; }

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

    void keys(const QStringList& names) const
    {
        m_x->run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} + names);
    }
    void keys(const QString& name, int times) const { keys(QStringList(times, name)); }
    QRect frame() const { return findFrame(m_x->screenshot(), region); }
    // Steps with Tab until the frame is on control (on the screen).
    bool tabTo(const QRect& control) const
    {
        QRect at = frame();
        for (int i = 0; i < 40 && !frames(at, control); ++i) {
            keys({QStringLiteral("Tab")});
            const QRect before = at;
            waitFor([&] { return (at = frame()) != before; }, 3000);
            if (qEnvironmentVariableIsSet("E2E_FRAME_TRACE"))
                qInfo("frame %d,%d w%d (looking for %d,%d w%d)", at.x(), at.y(), at.width(), control.x(), control.y(), control.width());
        }
        return frames(at, control);
    }
    bool frameOn(const QRect& control, int timeoutMs = 5000) const
    {
        return waitFor([&] { return frames(frame(), control); }, timeoutMs);
    }
    // Presses what the frame is on: Space at the keyboard, the switch's second key.
    void press() const { keys({oneSwitch ? QStringLiteral("Return") : QStringLiteral("space")}); }
    // The switch's one-key press: Tab held until what it is on looks pressed, then let go.
    void longPress(const std::function<bool()>& looksPressed) const
    {
        m_x->run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("Tab")});
        waitFor(looksPressed, 5000);
        m_x->run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("Tab")});
    }
};

bool shows(const QImage& shot, const QRect& place, const QImage& picture)
{
    // The frame lies over the control's outermost pixels: the inside is compared.
    for (int y = 2; y < place.height() - 2 && y < picture.height(); ++y)
        for (int x = 2; x < place.width() - 2 && x < picture.width(); ++x)
            if (rgb(shot.pixel(place.left() + x, place.top() + y)) != rgb(picture.pixel(x, y)))
                return false;
    return true;
}

// Opens picture cell of catalog slot in the open dialog, from the paint window's open button.
void openPicture(const Child& child, const QPoint& origin, int slot, int cell)
{
    XServer* x = child.m_x;
    ASSERT_TRUE(child.tabTo(kOpen.translated(origin)));
    child.keys({QStringLiteral("Return")});
    const auto dialog = x->waitForWindow(QStringLiteral("Open"));
    ASSERT_NE(dialog, 0u);
    Child inDialog = child;
    inDialog.region = x->clientGeometry(dialog);
    const QPoint at = inDialog.region.topLeft();
    if (child.oneSwitch) {
        ASSERT_TRUE(inDialog.tabTo(catalogSlot(slot).translated(at)));
        inDialog.keys({QStringLiteral("Return")});
        ASSERT_TRUE(waitFor([&] { return inDialog.tabTo(gridCell(cell).translated(at)); }));
    } else {
        inDialog.keys({QStringLiteral("Tab")});
        ASSERT_TRUE(inDialog.frameOn(catalogSlot(0).translated(at)));
        inDialog.keys(QStringLiteral("Right"), slot);
        ASSERT_TRUE(inDialog.frameOn(catalogSlot(slot).translated(at)));
        inDialog.keys({QStringLiteral("space")});
        // Down goes into the grid once the catalog's pictures are there.
        ASSERT_TRUE(waitFor([&] {
            inDialog.keys({QStringLiteral("Down")});
            return inDialog.frameOn(gridCell(slot).translated(at), 500) || inDialog.frameOn(gridCell(0).translated(at), 500);
        }));
        const QRect now = inDialog.frame();
        const int from = frames(now, gridCell(0).translated(at)) ? 0 : slot;
        inDialog.keys(cell > from ? QStringLiteral("Right") : QStringLiteral("Left"), std::abs(cell - from));
        ASSERT_TRUE(inDialog.frameOn(gridCell(cell).translated(at)));
    }
    inDialog.keys({QStringLiteral("Return")}); // Enter on a picture opens it
    ASSERT_TRUE(x->waitForNoWindow(QStringLiteral("Open")));
}

// On the canvas from its middle: 40 pixels left and down (the fill), then a line 40 pixels to
// the right in the other colour. The keyboard moves 4 pixels an arrow (20 with Shift) and paints
// with Space; the switch steers with Enter: right, down, left, up, paint, leave.
void paintOnCanvas(const Child& child, const QPoint& origin, bool line)
{
    ASSERT_TRUE(child.tabTo(kCanvas.translated(origin)));
    if (!child.oneSwitch) {
        if (!line) {
            child.keys(QStringLiteral("Left"), 10);
            child.keys(QStringLiteral("shift+Down"), 2);
            child.keys({QStringLiteral("space")});
        } else {
            child.m_x->run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("space")});
            child.keys(QStringLiteral("Right"), 10);
            child.m_x->run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("space")});
        }
        return;
    }
    const QString tab = QStringLiteral("Tab"), enter = QStringLiteral("Return");
    child.keys({enter}); // steering, on "right"
    if (!line) {
        child.keys(tab, 2);   // left
        child.keys(enter, 2); // 40 pixels
        child.keys(tab, 5);   // down
        child.keys(enter, 2);
        child.keys(tab, 3); // paint: the fill
        child.keys({enter});
    } else {
        child.keys(tab, 4);   // paint: the pen goes down
        child.keys({enter});
        child.keys(tab, 2);   // right
        child.keys(enter, 2); // the line
        child.keys(tab, 4);   // paint: the pen comes up
        child.keys({enter});
    }
    child.keys({tab}); // leave
    child.keys({enter});
}

// Picks a colour on the palette: the keyboard's arrows, or the switch's presses (each the next).
void pickColour(const Child& child, const QPoint& origin, const QStringList& arrows, int presses)
{
    ASSERT_TRUE(child.tabTo(kPalette.translated(origin)));
    if (child.oneSwitch)
        child.keys(QStringLiteral("Return"), presses);
    else
        child.keys(arrows);
}

void sitting(bool oneSwitch)
{
    REQUIRE_X();
    WindowManager wm;
    if (!wm.ready())
        GTEST_SKIP() << "openbox is not installed";
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
    child.region = x->clientGeometry(window);
    const QPoint origin = child.region.topLeft();
    x->focus(window);
    auto colourShown = [&](QRgb c) { return waitFor([&] { return rgb(x->screenshot().pixel(origin + kColourBox)) == rgb(c); }); };

    // The frame comes with the first Tab, on the draw button.
    EXPECT_FALSE(findFrame(x->screenshot(), child.region).isValid()) << "a frame before any key";
    child.keys({QStringLiteral("Tab")});
    ASSERT_TRUE(child.frameOn(kDraw.translated(origin))) << qPrintable(run.stderrText()) << "frame at " << child.frame().x() << ","
                                                        << child.frame().y() << " window " << origin.x() << "," << origin.y();

    // 1. The car from Things (slot 1, cell 1).
    openPicture(child, origin, 1, 1);
    if (::testing::Test::HasFatalFailure())
        return;

    // 2. Red, the fill tool, a fill in the car's body.
    pickColour(child, origin, QStringList(3, QStringLiteral("Right")), 3);
    ASSERT_TRUE(colourShown(kRed)) << "the palette's pick";
    ASSERT_TRUE(child.tabTo(kFill.translated(origin)));
    child.press();
    paintOnCanvas(child, origin, false);
    const QPoint canvas = origin + kCanvas.topLeft();
    ASSERT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(160, 262))) == rgb(kRed); })) << "the fill";

    // 3. Pink, the draw tool, a line.
    pickColour(child, origin, {QStringLiteral("Down")}, 14);
    ASSERT_TRUE(colourShown(kPink));
    ASSERT_TRUE(child.tabTo(kDraw.translated(origin)));
    child.press();
    paintOnCanvas(child, origin, true);
    ASSERT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(180, 240))) == rgb(kPink); })) << "the line";

    // 4. Saved into the Red folder: Enter on the catalog chooses it and saves. The switch's
    // press on the save button is a long press of Tab.
    ASSERT_TRUE(child.tabTo(kSave.translated(origin)));
    if (oneSwitch) {
        const QImage down(t.path("gfx/save_down.bmp"));
        child.longPress([&] { return shows(x->screenshot(), kSave.translated(origin), down); });
    } else {
        child.keys({QStringLiteral("Return")});
    }
    const auto saveDialog = x->waitForWindow(QStringLiteral("Save"));
    ASSERT_NE(saveDialog, 0u) << "the save dialog";
    Child inSave = child;
    inSave.region = x->clientGeometry(saveDialog);
    inSave.keys({QStringLiteral("Tab")});
    ASSERT_TRUE(inSave.frameOn(catalogSlot(0).translated(inSave.region.topLeft())));
    inSave.keys({QStringLiteral("Return")});
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(saved); })) << qPrintable(run.stderrText());
    ASSERT_TRUE(x->waitForNoWindow(QStringLiteral("Save")));

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
    const bool same = waitFor([&] {
        const QImage shown = x->screenshot().copy(QRect(canvas, QSize(401, 401)));
        for (int y = 0; y < 401; ++y)
            for (int xx = 0; xx < 401; ++xx)
                if (rgb(shown.pixel(xx, y)) != rgb(painting.pixel(xx, y)))
                    return false;
        return true;
    });
    EXPECT_TRUE(same) << "the reopened painting on the canvas";
    x->screenshot(QDir::temp().filePath(oneSwitch ? QStringLiteral("e2e-switch-sitting.png") : QStringLiteral("e2e-keyboard-sitting.png")));
    run.kill();
}

} // namespace

TEST(AccessEndToEnd, KeyboardOnlySittingEndsWithTheSavedPaintingThatWasDrawn) { sitting(false); }

TEST(AccessEndToEnd, OneSwitchSittingEndsWithTheSavedPaintingThatWasDrawn) { sitting(true); }

TEST(AccessEndToEnd, KeptPaintingComesBackAfterEveryWayOfEndingAndOnlyWithTheKey)
{
    REQUIRE_X();
    WindowManager wm;
    if (!wm.ready())
        GTEST_SKIP() << "openbox is not installed";
    struct Way {
        const char* name;
        bool noquit;
        std::function<void(ProgramRun&, qulonglong window, QPoint origin)> end;
    };
    auto key = [x](const QString& keys) { x->run(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}); };
    const QVector<Way> ways = {
        {"Esc", false, [&](ProgramRun&, qulonglong, QPoint) { key(QStringLiteral("Escape")); }},
        {"the quit button", false, [&](ProgramRun&, qulonglong, QPoint o) { x->click(o.x() + 164, o.y() + 396); }},
        {"the window's close", false, [&](ProgramRun&, qulonglong, QPoint o) { x->click(o.x() + 641 - 11, o.y() - 11); }},
        {"Ctrl+Shift+Q", true, [&](ProgramRun&, qulonglong, QPoint) { key(QStringLiteral("ctrl+shift+q")); }},
        {"SIGTERM", true, [](ProgramRun& run, qulonglong, QPoint) { run.sendSignal(SIGTERM); }},
        {"SIGHUP", false, [](ProgramRun& run, qulonglong, QPoint) { run.sendSignal(SIGHUP); }},
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
            const QPoint origin = x->clientGeometry(window).topLeft(), canvas = origin + kCanvas.topLeft();
            x->focus(window);
            // A stroke of its own for each way, in a colour of the palette's top row (not white).
            const int column[] = {0, 1, 3, 4, 5, 6};
            x->click(origin.x() + 38 + 43 * column[w], origin.y() + 440);
            const int y = 60 + 60 * w;
            x->run(QStringLiteral("xdotool"), {"mousemove", QString::number(canvas.x() + 40), QString::number(canvas.y() + y), "mousedown", "1",
                                               "mousemove", QString::number(canvas.x() + 360), QString::number(canvas.y() + y + 30), "mouseup", "1"});
            ASSERT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(200, y + 15))) != 0xFFFFFFu; }));
            before = x->screenshot().copy(QRect(canvas, QSize(401, 401)));
            way.end(run, window, origin);
            ASSERT_TRUE(run.waitForExit()) << "the program did not end";
            EXPECT_TRUE(run.endedNormally());
            EXPECT_TRUE(QFileInfo::exists(t.windows() + "/brushbox_kept.bmp")) << qPrintable(run.stderrText());
        }
        ProgramRun again(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        const auto window = x->waitForWindow("Brushbox");
        ASSERT_NE(window, 0u) << qPrintable(again.stderrText());
        const QPoint canvas = x->clientGeometry(window).topLeft() + kCanvas.topLeft();
        EXPECT_TRUE(waitFor([&] { return x->screenshot().copy(QRect(canvas, QSize(401, 401))) == before; }))
            << "the painting is not back as it was";
        again.kill();
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
    const QPoint canvas = x->clientGeometry(window).topLeft() + kCanvas.topLeft();
    x->focus(window);
    EXPECT_TRUE(waitFor([&] { return rgb(x->screenshot().pixel(canvas + QPoint(200, 200))) == 0xFFFFFFu; }));
    QFile::remove(t.windows() + "/brushbox_kept.bmp");
    x->run(QStringLiteral("xdotool"), {"mousemove", QString::number(canvas.x() + 40), QString::number(canvas.y() + 100), "mousedown", "1",
                                       "mousemove", QString::number(canvas.x() + 360), QString::number(canvas.y() + 100), "mouseup", "1"});
    key(QStringLiteral("Escape"));
    ASSERT_TRUE(run.waitForExit());
    EXPECT_FALSE(QFileInfo::exists(t.windows() + "/brushbox_kept.bmp")) << "kept without the key";
}

TEST(AccessEndToEnd, ScreenReaderFindsEveryControlNamedAndPressableAndQtsButtonsInTheDesktopsLanguage)
{
    REQUIRE_X();
    const QString script = QStringLiteral(SOURCE_DIR "/atspi_walk.py");
    const bool tools = !QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty()
                       && QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) == 0;
    if (!tools && devicesRequired())
        FAIL() << "AT-SPI cannot be had: dbus-run-session or python3-pyatspi is missing";
    if (!tools)
        GTEST_SKIP() << "dbus-run-session or python3-pyatspi is missing";
    auto walk = [&](const QStringList& args, const QString& windows) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x->display());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("WINDIR"), windows);
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("dbus-run-session"), QStringList{QStringLiteral("--"), QStringLiteral("/usr/bin/python3"), script} + args);
        p.waitForFinished(180000);
        const QString out = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(args.join(' ')) << "\n" << qPrintable(out);
        return out;
    };

    // Brushbox: the save and open buttons without tooltips are named by their functions.
    ThemeFolder paint;
    QByteArray ini;
    QByteArray section;
    for (const QByteArray& line : paint.copySampleBrushbox().split('\n')) {
        if (line.trimmed().startsWith('['))
            section = line.trimmed();
        if ((section == "[save button]" || section == "[open button]") && line.trimmed().toLower().startsWith("tooltiptext"))
            continue;
        ini += line + '\n';
    }
    paint.write("zypaint.ini", ini);
    walk({QStringLiteral("brushbox"), QStringLiteral(BRUSHBOX_EXE), paint.path("zypaint.ini")}, paint.windows());

#ifdef TWINTURN_EXE
    ThemeFolder game;
    game.copySampleTwinturn();
    walk({QStringLiteral("twinturn"), QStringLiteral(TWINTURN_EXE), game.path("memory.ini")}, game.windows());

    // A warning with OK and Cancel, on a German desktop: Qt's own word for Cancel.
    ThemeFolder german;
    german.copySampleTwinturn();
    QDir gfx(german.path("games/gfx"));
    for (const QString& name : gfx.entryList({QStringLiteral("bk*")}, QDir::Files))
        gfx.remove(name);
    walk({QStringLiteral("message"), QStringLiteral(TWINTURN_EXE), german.path("memory.ini"), QStringLiteral("Abbrechen")}, german.windows());
#endif
}
