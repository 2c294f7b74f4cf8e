// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "harness.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Where things are in the paint window, from its layout.
const QPoint kCanvas(224, 16);
const QPoint kFillButton(164, 172);
const QPoint kClearButton(60, 260);
// A palette cell of the sample theme, by row and column (14 columns of 609 / 14 pixels).
QPoint paletteCell(int row, int column) { return {16 + column * 609 / 14 + 20, 432 + row * 17 + 8}; }

// The still screen after the stroke has shown.
QImage drag(const XServer& x, const QVector<QPoint>& points)
{
    const QImage before = x.screenshot();
    QStringList args{QStringLiteral("mousemove"), QString::number(points[0].x()), QString::number(points[0].y()),
                     QStringLiteral("mousedown"), QStringLiteral("1")};
    for (int i = 1; i < points.size(); ++i)
        args << QStringLiteral("mousemove") << QString::number(points[i].x()) << QString::number(points[i].y());
    args << QStringLiteral("mouseup") << QStringLiteral("1");
    x.run(QStringLiteral("xdotool"), args);
    return x.changedScreen(before);
}

int countColour(const QImage& shot, const QRect& area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (shot.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return n;
}

} // namespace

// The program as the README starts it: on the sample theme in its own folder.
TEST(PaintWindowEndToEnd, AChildDrawsFillsClearsAndEndsWithEscape)
{
    REQUIRE_X();
    QTemporaryDir windows;
    ProgramRun run(BRUSHBOX_EXE, {}, windows.path());
    const auto window = x->waitForWindow(QStringLiteral("Brushbox"));
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    QImage shot = x->stillScreen();
    const QRect frame = x->geometry(window);
    ASSERT_EQ(frame.size(), QSize(641, 481));
    const QPoint origin = frame.topLeft();
    const QRect canvas(origin + kCanvas, QSize(401, 401));

    // The dressed window: many colours in the tool panel, an empty white canvas.
    shot.save(QDir::temp().filePath(QStringLiteral("e2e-paint-dressed.png")));
    QSet<QRgb> panel;
    for (int y = 16; y < 417; y += 3)
        for (int xx = 16; xx < 209; xx += 3)
            panel.insert(shot.pixel(origin + QPoint(xx, y)));
    EXPECT_GT(panel.size(), 40) << "the buttons have pictures";
    EXPECT_EQ(countColour(shot, canvas, qRgb(255, 255, 255)), 401 * 401);

    // Blue from the palette, then a stroke: it shows in exactly that blue.
    x->click(origin.x() + paletteCell(0, 10).x(), origin.y() + paletteCell(0, 10).y());
    const QRgb blue = qRgb(0x10, 0x40, 0xC0);
    // From the left edge to past the right one (the canvas keeps the mouse while it is held).
    const QPoint a = canvas.topLeft() + QPoint(1, 200), b = canvas.topLeft() + QPoint(430, 200);
    shot = drag(*x, {a, a + QPoint(100, 0), a + QPoint(200, 0), a + QPoint(300, 0), b});
    EXPECT_EQ(shot.pixel(canvas.topLeft() + QPoint(200, 200)) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_GT(countColour(shot, canvas, blue), 401 * 4);

    // Yellow and the fill tool above the stroke: the top half turns yellow, the stroke stays.
    x->click(origin.x() + paletteCell(0, 6).x(), origin.y() + paletteCell(0, 6).y());
    x->click(origin.x() + kFillButton.x(), origin.y() + kFillButton.y());
    x->click(canvas.left() + 200, canvas.top() + 50);
    const QRgb yellow = qRgb(0xFF, 0xD7, 0x00);
    shot = x->changedScreen(shot);
    shot.save(QDir::temp().filePath(QStringLiteral("e2e-paint-filled.png")));
    EXPECT_EQ(shot.pixel(canvas.topLeft() + QPoint(5, 5)) & 0xFFFFFF, yellow & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(canvas.topLeft() + QPoint(200, 200)) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(canvas.topLeft() + QPoint(200, 300)) & 0xFFFFFF, 0xFFFFFFu) << "the fill stops at the stroke";
    EXPECT_GT(countColour(shot, canvas, yellow), 401 * 190);

    // Clear: white again.
    x->click(origin.x() + kClearButton.x(), origin.y() + kClearButton.y());
    shot = x->changedScreen(shot);
    EXPECT_EQ(countColour(shot, canvas, qRgb(255, 255, 255)), 401 * 401);

    x->focus(window);
    x->key(QStringLiteral("Escape"));
    EXPECT_TRUE(run.waitForExit());
}
