// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Themes with files that are not what they claim: FIFOs, devices, megabyte values, thousands of
// catalogs, huge pictures. Each case must end in a message or a skipped item within seconds,
// never a frozen window, and within bounded memory. The table of docs/reliability.md comes from
// e2e-hostile.txt, which these tests write.
#include "harness.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Puts a FIFO (nobody ever writes to it) in the place of a file.
void fifo(const QString& path)
{
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0) << qPrintable(path);
}

void deviceLink(const QString& path)
{
    QFile::remove(path);
    ASSERT_TRUE(QFile::link("/dev/zero", path));
}

// One line of the results table.
void record(const QString& program, const QString& what, const QString& outcome, qint64 ms, qint64 peakMb)
{
    QFile table(QDir::temp().filePath("e2e-hostile.txt"));
    if (table.open(QIODevice::Append))
        table.write(QStringLiteral("%1\t%2\t%3\t%4 ms\t%5 MB\n").arg(program, what, outcome).arg(ms).arg(peakMb).toUtf8());
}

// The program started: its window, answering the boxes on the way.
struct Outcome {
    bool window = false;
    bool ended = false;
    int boxes = 0;
    qint64 ms = 0;
    qint64 peakMb = 0;
};

Outcome start(XServer* x, ProgramRun& run, const QString& program)
{
    const bool paint = program == "Brushbox";
    Outcome o;
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 20 && !o.window && run.running(); ++round) {
        // The program's window, not a message box of the same title.
        const QSize size = x->geometry(x->waitForWindow(program, 1000)).size();
        o.window = paint ? size == QSize(641, 481) : size.width() > 600;
        o.boxes += run.answerMessages(program.toLower() + ": ", 300, 3000);
    }
    o.ms = clock.elapsed();
    o.peakMb = run.peakMegabytes();
    o.ended = !run.running();
    return o;
}

const QPoint kOpenButton(164, 324), kSaveButton(60, 324);
QPoint catalogSlot(int k) { return {24 + 40 * k + 16, 40}; }

} // namespace

TEST(HostileEndToEnd, BrushboxStartsOrEndsInOrderOnFilesThatAreNotFiles)
{
    REQUIRE_X();
    struct Case {
        const char* what;
        std::function<void(ThemeFolder&, QByteArray&)> sabotage;
        const char* message; // a part of the message the case must give, or null
        bool ends;
    };
    const QList<Case> cases = {
        {"zypaint.ini is a FIFO", [](ThemeFolder& t, QByteArray&) { fifo(t.path("zypaint.ini")); }, "does not exist", true},
        {"zypaint.ini is /dev/zero", [](ThemeFolder& t, QByteArray&) { deviceLink(t.path("zypaint.ini")); }, "does not exist", true},
        {"the background is a FIFO", [](ThemeFolder& t, QByteArray&) { fifo(t.path("gfx/background.bmp")); },
         "Could not load main background picture", false},
        {"the splash picture is a FIFO", [](ThemeFolder& t, QByteArray&) { fifo(t.path("gfx/splash.bmp")); },
         "is missing or invalid", false},
        {"the button pictures are FIFOs", [](ThemeFolder& t, QByteArray&) {
             for (const char* f : {"draw.bmp", "spray_hi.bmp", "fill_down.bmp", "smallquit.bmp", "palette.bmp"})
                 fifo(t.path(QStringLiteral("gfx/") + f));
         }, nullptr, false},
        {"the start and click sounds are FIFOs", [](ThemeFolder& t, QByteArray&) {
             fifo(t.path("snd/start.wav"));
             fifo(t.path("snd/click.wav"));
         }, nullptr, false},
        {"a catalog icon to copy is a FIFO", [](ThemeFolder& t, QByteArray&) { fifo(t.path("gfx/Red folder.bmp")); },
         "Bilden", false},
        {"brushbox.log is a FIFO", [](ThemeFolder& t, QByteArray& ini) {
             fifo(t.windows() + "/brushbox.log");
             ini.replace("app=zypaint", "app=zypaint\r\ndebug=1");
         }, "Debug Mode", false},
        {"a megabyte background value", [](ThemeFolder&, QByteArray& ini) {
             ini.replace("background=background.bmp", "background=" + QByteArray(1024 * 1024, 'b'));
         }, "Could not load main background picture", false},
        {"a megabyte catalog name", [](ThemeFolder&, QByteArray& ini) { ini += QByteArray(1024 * 1024, 'c') + "\t0\r\n"; },
         "Could not create the catalog folder", true},
        {"ten thousand catalogs", [](ThemeFolder&, QByteArray& ini) {
             for (int i = 0; i < 10000; ++i)
                 ini += "Class " + QByteArray::number(i) + "\t0\r\n";
         }, "9999 more catalogs have the same problem", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThemeFolder t;
        QByteArray ini = t.copySampleBrushbox();
        c.sabotage(t, ini);
        // A configuration sabotaged as a FIFO or a device stays so.
        if (!QFileInfo(t.path("zypaint.ini")).isSymLink() && !QFileInfo(t.path("zypaint.ini")).exists())
            t.write("zypaint.ini", ini);
        ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
        const Outcome o = start(x, run, "Brushbox");
        if (c.message) {
            EXPECT_TRUE(run.stderrText().contains(c.message)) << qPrintable(run.stderrText().left(2000));
        }
        EXPECT_LT(o.boxes, 4) << "one box for each thing wrong, not one per item";
        if (kMemoryMeasurable) {
            EXPECT_LT(o.peakMb, 300);
        }
        if (c.ends) {
            EXPECT_TRUE(o.ended || run.waitForExit(3000));
            record("Brushbox", c.what, "message, ends", o.ms, o.peakMb);
        } else {
            ASSERT_TRUE(o.window) << qPrintable(run.stderrText().left(2000));
            record("Brushbox", c.what, o.boxes ? QStringLiteral("%1 message(s), starts").arg(o.boxes) : "starts", o.ms, o.peakMb);
            // The save dialog looks through every catalog for its picture, and still comes.
            const QPoint origin = x->geometry(x->waitForWindow("Brushbox")).topLeft();
            x->click(origin + kSaveButton);
            const auto save = x->waitForWindow("Save", 20000);
            EXPECT_NE(save, 0u) << "no save dialog";
            if (save) {
                x->focus(save);
                x->key("Escape");
            }
            EXPECT_TRUE(run.endWithEscape()) << "the window does not answer Esc";
        }
    }
}

// The open dialog on a catalog whose thumbnails, names, figures and sounds are FIFOs, and whose
// thumbnails are huge: the dialog opens, lists what it can and answers.
TEST(HostileEndToEnd, BrushboxOpensACatalogOfFifosAndHugeThumbnails)
{
    REQUIRE_X();
    ThemeFolder t;
    const QByteArray ini = t.copySampleBrushbox();
    t.write("zypaint.ini", ini);
    const QString animals = t.path("pictures/Animals/");
    QStringList bases;
    for (const QString& name : QDir(animals).entryList({"*.dat"}))
        bases << QFileInfo(name).completeBaseName();
    ASSERT_GE(bases.size(), 4);
    fifo(animals + bases[0] + ".dat");
    fifo(animals + bases[1] + ".wav");
    fifo(animals + bases[2] + ".INI");
    for (const char* ext : {"_.bmp", "_.gif", "_.jpg"})
        QFile::remove(animals + bases[3] + ext);
    fifo(animals + bases[3] + "_.bmp");
    // The rest get thumbnails of 5600 x 5600 pixels.
    t.write("huge.gif", pictureBytes("GIF", 5600, 5600, Qt::green));
    for (int i = 4; i < bases.size(); ++i) {
        for (const char* ext : {"_.bmp", "_.gif", "_.jpg"})
            QFile::remove(animals + bases[i] + ext);
        ::link(QFile::encodeName(t.path("huge.gif")).constData(), QFile::encodeName(animals + bases[i] + "_.gif").constData());
    }
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows());
    const Outcome o = start(x, run, "Brushbox");
    ASSERT_TRUE(o.window) << qPrintable(run.stderrText());
    const QPoint origin = x->geometry(x->waitForWindow("Brushbox")).topLeft();
    QElapsedTimer clock;
    clock.start();
    x->click(origin + kOpenButton);
    const auto dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u);
    const QPoint at = x->geometry(dialog).topLeft();
    const QImage empty = x->stillScreen();
    clock.restart();
    x->click(at + catalogSlot(0));
    // The catalog is open when its first thumbnail shows in the grid.
    const QPoint cell0 = at + QPoint(24 + 16, 88 + 16);
    EXPECT_TRUE(waitFor([&] { return x->screenshot().pixel(cell0) != empty.pixel(cell0); }, 20000))
        << "the catalog never showed its pictures";
    const qint64 ms = clock.elapsed();
    run.answerMessages("brushbox: ", 500, 5000);
    x->screenshot(QDir::temp().filePath("e2e-hostile-open.png"));
    // The third picture's figure file is a FIFO: it opens as a picture without a figure.
    x->click(at + QPoint(24 + 40 * 2 + 16, 88 + 16));
    x->stillScreen();
    x->click(at + QPoint(72, 300));
    EXPECT_TRUE(x->waitForNoWindow("Open")) << "the dialog does not answer";
    EXPECT_TRUE(run.running());
    const qint64 peak = run.peakMegabytes();
    record("Brushbox", "a catalog of FIFO thumbnails, names, figures, sounds and 5600 x 5600 thumbnails",
           "the catalog opens; the FIFO thumbnail's picture is left out", ms, peak);
    if (kMemoryMeasurable) {
        EXPECT_LT(peak, 500);
    }
    EXPECT_TRUE(run.endWithEscape()) << "the window does not answer Esc";
}

TEST(HostileEndToEnd, TwinturnStartsOrEndsInOrderOnFilesThatAreNotFiles)
{
    REQUIRE_X();
    struct Case {
        const char* what;
        std::function<void(ThemeFolder&)> sabotage;
        const char* message;
        bool ends;
    };
    const QList<Case> cases = {
        {"memory.ini is a FIFO", [](ThemeFolder& t) { fifo(t.path("memory.ini")); }, "(# 1)", true},
        {"the main file is a FIFO", [](ThemeFolder& t) { fifo(t.path("games/pairs/main.ini")); }, "main file", true},
        {"the card file is /dev/zero", [](ThemeFolder& t) { deviceLink(t.path("games/pairs/cards.txt")); }, "(# 7)", true},
        {"a card picture is a FIFO", [](ThemeFolder& t) { fifo(t.path("games/cards/cat.gif")); }, "(# 105)", false},
        {"the turn and match sounds are FIFOs", [](ThemeFolder& t) {
             fifo(t.path("games/sfx/turn.wav"));
             fifo(t.path("games/sfx/match.wav"));
         }, nullptr, false},
        {"memory.log is a FIFO", [](ThemeFolder& t) { fifo(t.windows() + "/memory.log"); }, nullptr, false},
        {"twenty card pictures of 5600 x 5600", [](ThemeFolder& t) {
             t.write("huge.gif", pictureBytes("GIF", 5600, 5600, Qt::yellow));
             for (const QString& name : QDir(t.path("games/cards")).entryList({"*.gif"})) {
                 QFile::remove(t.path("games/cards/") + name);
                 ::link(QFile::encodeName(t.path("huge.gif")).constData(), QFile::encodeName(t.path("games/cards/") + name).constData());
             }
         }, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThemeFolder t;
        t.copySampleTwinturn();
        c.sabotage(t);
        ProgramRun run(TWINTURN_EXE, {t.path("memory.ini")}, t.windows());
        const Outcome o = start(x, run, "Twinturn");
        if (c.message) {
            EXPECT_TRUE(run.stderrText().contains(c.message)) << qPrintable(run.stderrText().left(2000));
        }
        if (kMemoryMeasurable) {
            EXPECT_LT(o.peakMb, 400);
        }
        if (c.ends) {
            EXPECT_TRUE(o.ended || run.waitForExit(3000));
            record("Twinturn", c.what, "message, ends", o.ms, o.peakMb);
        } else {
            EXPECT_TRUE(run.running()) << qPrintable(run.stderrText().left(2000));
            EXPECT_NE(x->waitForWindow("Twinturn", 5000), 0u);
            record("Twinturn", c.what, o.boxes ? QStringLiteral("%1 message(s), starts").arg(o.boxes) : "starts", o.ms, o.peakMb);
        }
    }
}
