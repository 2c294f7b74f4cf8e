// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// A whole sitting with Brushbox as a child has it: open, paint, save and save again, help, print,
// on a real sound server (its output recorded) and a real printer (its PDF read back).
#include "harness.h"
#include "printqueue.h"
#include "soundcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Places in the paint window and its small dialogs, from their layouts.
const QPoint kCanvas(224, 16);
const QPoint kDrawButton(60, 60), kFillButton(164, 172), kPrintButton(164, 260), kSaveButton(60, 324),
    kOpenButton(164, 324), kSoundButton(60, 396), kSmallHelp(617, 7);
QPoint catalogSlot(int k) { return {24 + 40 * k + 16, 40}; }
QPoint gridCell(int n) { return {24 + 40 * (n % 8) + 16, 88 + 40 * (n / 8) + 16}; }
const QPoint kDialogOpen(72, 300), kDialogSave(72, 164);
QPoint paletteCell(int row, int column) { return {16 + column * 609 / 14 + 20, 432 + row * 17 + 8}; }

// The sounds of the sitting: one tone each, so the recording tells them apart.
struct Tone {
    const char* file;
    double frequency;
    int ms;
};
const Tone kStart{"start.wav", 600, 600}, kClick{"click.wav", 1400, 80}, kOpen{"open.wav", 2200, 400},
    kSave{"save.wav", 3000, 400}, kGood{"good.wav", 3800, 500}, kBird{"bird.wav", 4600, 700};


// The sample theme, in a folder of its own, with the tones for sounds.
void makeTheme(const ThemeFolder& t)
{
    t.write("zypaint.ini", t.copySampleBrushbox());
    for (const Tone& tone : {kStart, kClick, kOpen, kSave, kGood})
        t.write(QStringLiteral("snd/") + tone.file, toneWav(tone.frequency, tone.ms));
    t.write(QStringLiteral("pictures/Animals/") + kBird.file, toneWav(kBird.frequency, kBird.ms));
}

// How far the page's middle differs from the canvas, as the mean difference per colour channel
// (0 the same, 255 the opposite); the canvas is looked for a few pixels around the middle.
double pageDifference(const QString& pdf, const QImage& canvas, QString* png)
{
    const QString base = QDir::temp().filePath(QStringLiteral("e2e-sitting-") + QFileInfo(pdf).completeBaseName());
    *png = base + ".png";
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, base});
    const QImage page(*png);
    if (page.isNull())
        return 255;
    double best = 255;
    const QPoint centre((page.width() - canvas.width()) / 2, (page.height() - canvas.height()) / 2);
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            double sum = 0;
            for (int y = 0; y < canvas.height(); y += 2)
                for (int x = 0; x < canvas.width(); x += 2) {
                    const QRgb a = canvas.pixel(x, y), b = page.pixel(centre.x() + dx + x, centre.y() + dy + y);
                    sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
                }
            best = std::min(best, sum / (3.0 * ((canvas.width() + 1) / 2) * ((canvas.height() + 1) / 2)));
        }
    return best;
}

bool devicesRequired() { return qEnvironmentVariableIsSet("BB_REQUIRE_DEVICES"); }

} // namespace

TEST(SittingEndToEnd, BrushboxOpenPaintSaveThriceHelpPrintAndEnd)
{
    REQUIRE_X();
    SoundServer* sound = SoundServer::instance();
    if (!sound && devicesRequired())
        FAIL() << "no PulseAudio server could be had";
    PrintQueue queue;
    if (!queue.ready() && devicesRequired())
        FAIL() << "no print queue: " << qPrintable(queue.whyNot());
    const FigurePicture figure = firstFigure(BIN_DIR "/pictures/Things");
    ASSERT_GE(figure.cell, 0);

    ThemeFolder t;
    makeTheme(t);
    QProcessEnvironment env;
    if (sound)
        env.insert(QStringLiteral("PULSE_SERVER"), sound->address());
    if (queue.ready())
        env.insert(QStringLiteral("PRINTER"), queue.name());
    std::unique_ptr<SoundRecording> recording;
    if (sound)
        recording = std::make_unique<SoundRecording>(*sound);
    QVector<ExpectedSound> heard{{"start", kStart.frequency, kStart.ms, -1}};
    auto expect = [&heard](const Tone& tone, double click, bool whole = true) {
        heard.append({QString::fromLatin1(tone.file).section('.', 0, 0), tone.frequency, tone.ms, click, whole});
    };

    // Each step is taken once the screen is still and the sound the last click started has been
    // heard to its end (a click cuts the sound before it).
    auto settle = [&] {
        x->stillScreen();
        if (recording && !heard.isEmpty()) {
            const ExpectedSound& last = heard.back();
            recording->waitForToneEnd(last.frequency, std::max(last.clickMs, 0.0), last.lengthMs + 3000);
        }
    };
    ProgramRun run(BRUSHBOX_EXE, {t.path("zypaint.ini")}, t.windows(), env);
    const auto window = x->waitForWindow("Brushbox");
    ASSERT_NE(window, 0u) << qPrintable(run.stderrText());
    settle();
    const QPoint origin = x->geometry(window).topLeft();
    const QPoint canvas = origin + kCanvas;
    {
        // The dressed window: the buttons have their pictures, the canvas starts white.
        const QImage shot = x->screenshot();
        QSet<QRgb> panel;
        for (int y = 16; y < 417; y += 3)
            for (int xx = 16; xx < 209; xx += 3)
                panel.insert(shot.pixel(origin + QPoint(xx, y)));
        EXPECT_GT(panel.size(), 40);
        EXPECT_EQ(shot.pixel(canvas + QPoint(200, 200)) & 0xFFFFFF, 0xFFFFFFu);
    }
    auto clickAt = [&](QPoint base, QPoint p) { return x->click(base.x() + p.x(), base.y() + p.y()); };
    const QString saved = t.windows() + "/Paintings/Red folder/";

    // 1. Open the figure picture and connect its dots.
    double click = clickAt(origin, kOpenButton);
    expect(kClick, click, false); // the open dialog's own sound cuts it
    expect(kOpen, click);
    auto dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
    settle();
    QPoint at = x->geometry(dialog).topLeft();
    clickAt(at, catalogSlot(1)); // Things
    settle();
    clickAt(at, gridCell(figure.cell));
    settle();
    expect(kClick, clickAt(at, kDialogOpen));
    settle();
    double lastDot = 0;
    QImage dots = x->screenshot();
    // The start is a black dot in a white ring until the figure is complete.
    const QPoint start = canvas + figure.points[0].toPoint();
    EXPECT_EQ(dots.pixel(start) & 0xFFFFFF, 0u);
    EXPECT_EQ(dots.pixel(start + QPoint(3, 0)) & 0xFFFFFF, 0xFFFFFFu);
    for (int i = 1; i < figure.points.size(); ++i) {
        lastDot = clickAt(canvas, figure.points[i].toPoint());
        dots = x->changedScreen(dots);
    }
    expect(kGood, lastDot);
    settle();
    EXPECT_NE(x->screenshot().pixel(start + QPoint(3, 0)) & 0xFFFFFF, 0xFFFFFFu) << "the rings go when the figure is done";

    // 2. Fill in yellow and save into the Red folder.
    clickAt(origin, paletteCell(0, 6));
    expect(kClick, clickAt(origin, kFillButton));
    settle();
    clickAt(canvas, {396, 396});
    click = clickAt(origin, kSaveButton);
    expect(kClick, click, false); // the save dialog's own sound cuts it on its first showing
    expect(kSave, click);
    dialog = x->waitForWindow("Save");
    ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
    settle();
    at = x->geometry(dialog).topLeft();
    clickAt(at, catalogSlot(0));
    x->stillScreen();
    expect(kClick, clickAt(at, kDialogSave));
    settle();
    ASSERT_TRUE(QFileInfo::exists(saved + "0.bmp") && QFileInfo::exists(saved + "0_.bmp")) << qPrintable(run.stderrText());
    const QRgb yellow = qRgb(0xFF, 0xD7, 0x00) & 0xFFFFFF;
    EXPECT_EQ(QImage(saved + "0.bmp").pixel(396, 396) & 0xFFFFFF, yellow);
    EXPECT_EQ(QImage(saved + "0.bmp").size(), QSize(401, 401));
    EXPECT_EQ(QImage(saved + "0_.bmp").size(), QSize(33, 33));

    // 3. Open a picture with a sound, hear it, draw on it, save again with one click.
    click = clickAt(origin, kOpenButton);
    expect(kClick, click, false);
    expect(kOpen, click);
    dialog = x->waitForWindow("Open");
    ASSERT_NE(dialog, 0u);
    settle();
    at = x->geometry(dialog).topLeft();
    clickAt(at, catalogSlot(0)); // Animals
    settle();
    clickAt(at, gridCell(0)); // the bird
    settle();
    expect(kClick, clickAt(at, kDialogOpen));
    settle();
    expect(kBird, clickAt(origin, kSoundButton));
    settle();
    clickAt(origin, paletteCell(0, 10));
    expect(kClick, clickAt(origin, kDrawButton));
    settle();
    x->run(QStringLiteral("xdotool"), {"mousemove", QString::number(canvas.x() + 20), QString::number(canvas.y() + 380), "mousedown",
                                       "1", "mousemove", QString::number(canvas.x() + 380), QString::number(canvas.y() + 380),
                                       "mouseup", "1"});
    settle();
    expect(kClick, clickAt(origin, kSaveButton));
    dialog = x->waitForWindow("Save");
    ASSERT_NE(dialog, 0u) << "the second save: " << qPrintable(run.stderrText());
    settle();
    at = x->geometry(dialog).topLeft();
    expect(kClick, clickAt(at, kDialogSave));
    settle();
    ASSERT_TRUE(QFileInfo::exists(saved + "1.bmp") && QFileInfo::exists(saved + "1_.bmp")) << "the second save";
    const QImage second(saved + "1.bmp");
    EXPECT_EQ(second.pixel(200, 380) & 0xFFFFFF, qRgb(0x10, 0x40, 0xC0) & 0xFFFFFF) << "the stroke is saved";

    // 4. A save cancelled with Esc, then a third one.
    expect(kClick, clickAt(origin, kSaveButton));
    dialog = x->waitForWindow("Save");
    ASSERT_NE(dialog, 0u);
    settle();
    x->focus(dialog);
    x->key("Escape");
    settle();
    EXPECT_FALSE(QFileInfo::exists(saved + "2.bmp"));
    expect(kClick, clickAt(origin, kSaveButton));
    dialog = x->waitForWindow("Save");
    ASSERT_NE(dialog, 0u) << "after a cancelled save";
    settle();
    // Help over the save window, then the save window is still the child's.
    const QList<qulonglong> untitled = x->windows(" ");
    x->focus(dialog);
    x->key("F1");
    qulonglong saveHelp = 0;
    ASSERT_TRUE(waitFor([&] {
        for (const qulonglong w : x->windows(" "))
            saveHelp = untitled.contains(w) ? saveHelp : w;
        return saveHelp != 0;
    })) << "the save window's help";
    settle();
    at = x->geometry(dialog).topLeft();
    clickAt(at, {40, 40});
    EXPECT_TRUE(waitFor([&] { return !x->windows(" ").contains(saveHelp); })) << "the help closes on a click";
    settle();
    expect(kClick, clickAt(at, kDialogSave));
    settle();
    EXPECT_TRUE(QFileInfo::exists(saved + "2.bmp") && QFileInfo::exists(saved + "2_.bmp")) << "the third save";
    EXPECT_EQ(QDir(saved).entryList(QDir::Files).size(), 6);

    // 5. The help screen twice: F1, then the small help button; a click ends each.
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            x->focus(window);
            x->key("F1");
        } else {
            clickAt(origin, kSmallHelp);
        }
        settle();
        const auto help = x->waitForWindow(" ", 3000);
        ASSERT_NE(help, 0u) << "help, showing " << round + 1;
        EXPECT_TRUE(x->geometry(help).contains(x->geometry(window))) << "the help screen covers the whole paint window";
        const QImage shot = x->screenshot(QDir::temp().filePath(QStringLiteral("e2e-sitting-help%1.png").arg(round)));
        EXPECT_NE(shot.pixel(canvas + QPoint(200, 200)), QImage(saved + "2.bmp").pixel(200, 200))
            << "the help screen covers the canvas";
        clickAt(origin, {320, 240});
        settle();
        EXPECT_EQ(x->screenshot().pixel(canvas + QPoint(396, 396)) & 0xFFFFFF, QImage(saved + "2.bmp").pixel(396, 396) & 0xFFFFFF);
    }

    // 6. Print twice; the pages show the painting.
    for (int round = 0; round < 2; ++round) {
        expect(kClick, clickAt(origin, kPrintButton));
        settle();
        if (!queue.ready()) { // no CUPS here: each print says so, and the box is answered
            EXPECT_TRUE(run.waitForStderr(QStringLiteral("There is no printer on this computer."), 10000));
            EXPECT_EQ(run.answerMessages(QStringLiteral("brushbox: ")), 1);
            settle();
        }
    }
    if (queue.ready()) {
        const QStringList pdfs = queue.pdfs(2);
        ASSERT_EQ(pdfs.size(), 2) << qPrintable(run.stderrText());
        EXPECT_TRUE(waitFor([&] {
            for (const QString& pdf : pdfs) {
                QFile f(pdf);
                if (!f.open(QIODevice::ReadOnly) || !f.readAll().trimmed().endsWith("%%EOF"))
                    return false;
            }
            return true;
        })) << "the pages are written to their end";
        for (const QString& pdf : pdfs) {
            QString png;
            const double diff = pageDifference(pdf, QImage(saved + "2.bmp").convertToFormat(QImage::Format_RGB32), &png);
            EXPECT_LT(diff, 8) << qPrintable(png);
            qInfo("printed page %s: mean difference %.2f of 255", qPrintable(png), diff);
        }

        // A queue that refuses jobs, then a stopped one: a message each, and the window is the child's again.
        for (const bool stopped : {false, true}) {
            stopped ? queue.setEnabled(false) : queue.setAccepting(false);
            expect(kClick, clickAt(origin, kPrintButton));
            const QString words = stopped ? QStringLiteral("is stopped.") : QStringLiteral("takes no new jobs just now.");
            EXPECT_TRUE(run.waitForStderr(words, 10000)) << qPrintable(run.stderrText());
            EXPECT_TRUE(run.stderrText().contains(QStringLiteral("Your painting could not be printed. The printer '%1' %2")
                                                      .arg(queue.name(), words)));
            EXPECT_EQ(run.answerMessages(QStringLiteral("brushbox: ")), 1);
            stopped ? queue.setEnabled(true) : queue.setAccepting(true);
            settle();
            const QRgb before = x->screenshot().pixel(canvas + QPoint(396, 396));
            if (!stopped) // then the fill tool is current, and a current tool's button plays nothing
                expect(kClick, clickAt(origin, kFillButton));
            clickAt(origin, paletteCell(0, stopped ? 5 : 3));
            clickAt(canvas, {396, 396});
            settle();
            EXPECT_NE(x->screenshot(QDir::temp().filePath(QStringLiteral("e2e-sitting-refused%1.png").arg(int(stopped))))
                          .pixel(canvas + QPoint(396, 396)),
                      before)
                << "the window takes clicks again";
        }
        EXPECT_EQ(queue.pdfs(3, 2000).size(), 2) << "a refused job came out after all";
    }

    // 7. The end: Esc, and every sound was heard whole, in order, on time.
    x->focus(window);
    x->key("Escape");
    EXPECT_TRUE(run.waitForExit());
    if (recording) {
        recording->stop();
        QStringList table;
        const QStringList failures = checkSounds(*recording, heard, &table);
        QFile report(QDir::temp().filePath(QStringLiteral("e2e-sitting-brushbox-sounds.txt")));
        if (report.open(QIODevice::WriteOnly))
            report.write(("sound\tfile ms\theard ms\tafter click ms\n" + table.join('\n') + '\n').toUtf8());
        EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join('\n')) << "\n" << qPrintable(table.join('\n'));
    }
}
