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
#include <QStandardPaths>
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
const Tone kStart{"start.wav", 600, 600}, kClick{"click.wav", 1400, 80}, kOpen{"open.wav", 2200, 400},
    kSave{"save.wav", 3000, 400}, kGood{"good.wav", 3800, 500}, kBird{"bird.wav", 4600, 700};

// The sample theme, in a folder of its own, with the tones for sounds.
void makeTheme(const ThemeFolder& t)
{
    t.write("zypaint.ini", t.copySampleBrushbox());
    for (const Tone& tone : {kStart, kClick, kOpen, kSave, kGood})
        t.write(QString("snd/") + tone.file, toneWav(tone.frequency, tone.ms));
    t.write(QString("pictures/Animals/") + kBird.file, toneWav(kBird.frequency, kBird.ms));
    // Three of them compressed, as old Windows themes keep their sounds, written by sox.
    const QString sox = QStandardPaths::findExecutable("sox");
    EXPECT_TRUE(!sox.isEmpty() || !devicesRequired()) << "sox is needed to write compressed sounds";
    const std::pair<Tone, const char*> compressed[] = {{kOpen, "ima-adpcm"}, {kSave, "u-law"}, {kGood, "ms-adpcm"}};
    for (const auto& [tone, kind] : compressed) {
        const QString path = t.path(QString("snd/") + tone.file);
        if (!sox.isEmpty() && QProcess::execute(sox, {path, "-e", kind, path + ".new.wav"}) == 0)
            QFile::remove(path), QFile::rename(path + ".new.wav", path);
    }
}

// How far the page's middle differs from the canvas, as the mean difference per colour channel
// (0 the same, 255 the opposite); the canvas is looked for a few pixels around the middle.
double pageDifference(const QString& pdf, const QImage& canvas, QString* png)
{
    const QString base = QDir::temp().filePath("e2e-sitting-" + QFileInfo(pdf).completeBaseName());
    *png = base + ".png";
    QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, base});
    const QImage page(*png);
    double best = 255;
    const QPoint centre((page.width() - canvas.width()) / 2, (page.height() - canvas.height()) / 2);
    for (int dy = -3; dy <= 3 && !page.isNull(); ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            best = std::min(best, meanDifference(canvas, page.copy(QRect(centre + QPoint(dx, dy), canvas.size()))));
    return best;
}

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
        env.insert("PULSE_SERVER", sound->address());
    if (queue.ready())
        env.insert("PRINTER", queue.name());
    std::unique_ptr<SoundRecording> recording;
    if (sound)
        recording = std::make_unique<SoundRecording>(*sound);
    QVector<ExpectedSound> heard{{"start", kStart.frequency, kStart.ms, -1}};
    auto expect = [&heard](const Tone& tone, double click, bool whole = true) {
        heard.append({tone.name(), tone.frequency, tone.ms, click, whole});
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
        EXPECT_EQ(rgb(shot.pixel(canvas + QPoint(200, 200))), 0xFFFFFFu);
    }
    const QString saved = t.windows() + "/Paintings/Red folder/";
    qulonglong dialog = 0;
    QPoint at; // the dialog's inside
    // A click that brings a dialog: its sound cut by the dialog's own, when it has one.
    auto dialogFrom = [&](QPoint button, const QString& title, const Tone* own) {
        const double click = x->click(origin + button);
        expect(kClick, click, !own);
        if (own)
            expect(*own, click);
        dialog = x->waitForWindow(title);
        settle();
        at = x->geometry(dialog).topLeft();
    };
    auto openPicture = [&](int slot, int cell) {
        dialogFrom(kOpenButton, "Open", &kOpen);
        ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
        x->click(at + catalogSlot(slot));
        settle();
        x->click(at + gridCell(cell));
        settle();
        expect(kClick, x->click(at + kDialogOpen));
        settle();
    };

    // 1. Open the figure picture (Things) and connect its dots.
    openPicture(1, figure.cell);
    if (HasFatalFailure())
        return;
    double lastDot = 0;
    QImage dots = x->screenshot();
    // The start is a black dot in a white ring until the figure is complete.
    const QPoint start = canvas + figure.points[0].toPoint();
    EXPECT_EQ(rgb(dots.pixel(start)), 0u);
    EXPECT_EQ(rgb(dots.pixel(start + QPoint(3, 0))), 0xFFFFFFu);
    for (int i = 1; i < figure.points.size(); ++i) {
        lastDot = x->click(canvas + figure.points[i].toPoint());
        dots = x->changedScreen(dots);
    }
    expect(kGood, lastDot);
    settle();
    EXPECT_NE(rgb(x->screenshot().pixel(start + QPoint(3, 0))), 0xFFFFFFu) << "the rings go when the figure is done";

    // 2. Fill in yellow and save into the Red folder.
    x->click(origin + paletteCell(0, 6));
    expect(kClick, x->click(origin + kFillButton));
    settle();
    x->click(canvas + QPoint(396, 396));
    dialogFrom(kSaveButton, "Save", &kSave); // the save dialog's own sound only on its first showing
    ASSERT_NE(dialog, 0u) << qPrintable(run.stderrText());
    x->click(at + catalogSlot(0));
    x->stillScreen();
    expect(kClick, x->click(at + kDialogSave));
    settle();
    ASSERT_TRUE(QFileInfo::exists(saved + "0.bmp") && QFileInfo::exists(saved + "0_.bmp")) << qPrintable(run.stderrText());
    EXPECT_EQ(rgb(QImage(saved + "0.bmp").pixel(396, 396)), rgb(qRgb(0xFF, 0xD7, 0x00)));
    EXPECT_EQ(QImage(saved + "0.bmp").size(), QSize(401, 401));
    EXPECT_EQ(QImage(saved + "0_.bmp").size(), QSize(33, 33));

    // 3. Open a picture with a sound (Animals, the bird), hear it, draw on it, save again with one click.
    openPicture(0, 0);
    if (HasFatalFailure())
        return;
    expect(kBird, x->click(origin + kSoundButton));
    settle();
    x->click(origin + paletteCell(0, 10));
    expect(kClick, x->click(origin + kDrawButton));
    settle();
    x->drag(canvas + QPoint(20, 380), canvas + QPoint(380, 380));
    settle();
    dialogFrom(kSaveButton, "Save", nullptr);
    ASSERT_NE(dialog, 0u) << "the second save: " << qPrintable(run.stderrText());
    expect(kClick, x->click(at + kDialogSave));
    settle();
    ASSERT_TRUE(QFileInfo::exists(saved + "1.bmp") && QFileInfo::exists(saved + "1_.bmp")) << "the second save";
    EXPECT_EQ(rgb(QImage(saved + "1.bmp").pixel(200, 380)), rgb(qRgb(0x10, 0x40, 0xC0))) << "the stroke is saved";

    // 4. A save cancelled with Esc, then a third one.
    dialogFrom(kSaveButton, "Save", nullptr);
    ASSERT_NE(dialog, 0u);
    x->focus(dialog);
    x->key("Escape");
    settle();
    EXPECT_FALSE(QFileInfo::exists(saved + "2.bmp"));
    dialogFrom(kSaveButton, "Save", nullptr);
    ASSERT_NE(dialog, 0u) << "after a cancelled save";
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
    x->click(at + QPoint(40, 40));
    EXPECT_TRUE(waitFor([&] { return !x->windows(" ").contains(saveHelp); })) << "the help closes on a click";
    settle();
    expect(kClick, x->click(at + kDialogSave));
    settle();
    EXPECT_TRUE(QFileInfo::exists(saved + "2.bmp") && QFileInfo::exists(saved + "2_.bmp")) << "the third save";
    EXPECT_EQ(QDir(saved).entryList(QDir::Files).size(), 6);
    const QImage third(saved + "2.bmp");

    // 5. The help screen twice: F1, then the small help button; a click ends each.
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            x->focus(window);
            x->key("F1");
        } else {
            x->click(origin + kSmallHelp);
        }
        settle();
        const auto help = x->waitForWindow(" ", 3000);
        ASSERT_NE(help, 0u) << "help, showing " << round + 1;
        EXPECT_TRUE(x->geometry(help).contains(x->geometry(window))) << "the help screen covers the whole paint window";
        const QImage shot = x->screenshot(QDir::temp().filePath(QStringLiteral("e2e-sitting-help%1.png").arg(round)));
        EXPECT_NE(shot.pixel(canvas + QPoint(200, 200)), third.pixel(200, 200)) << "the help screen covers the canvas";
        x->click(origin + QPoint(320, 240));
        settle();
        EXPECT_EQ(rgb(x->screenshot().pixel(canvas + QPoint(396, 396))), rgb(third.pixel(396, 396)));
    }

    // 6. Print twice; the pages show the painting.
    for (int round = 0; round < 2; ++round) {
        expect(kClick, x->click(origin + kPrintButton));
        settle();
        if (!queue.ready()) { // no CUPS here: each print says so, and the box is answered
            EXPECT_TRUE(run.waitForStderr("There is no printer on this computer.", 10000));
            EXPECT_EQ(run.answerMessages("brushbox: "), 1);
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
            const double diff = pageDifference(pdf, third.convertToFormat(QImage::Format_RGB32), &png);
            EXPECT_LT(diff, 8) << qPrintable(png);
            qInfo("printed page %s: mean difference %.2f of 255", qPrintable(png), diff);
        }

        // A queue that refuses jobs, then a stopped one: a message each, and the window is the child's again.
        for (const bool stopped : {false, true}) {
            stopped ? queue.setEnabled(false) : queue.setAccepting(false);
            expect(kClick, x->click(origin + kPrintButton));
            const QString words = stopped ? "is stopped." : "takes no new jobs just now.";
            EXPECT_TRUE(run.waitForStderr(words, 10000)) << qPrintable(run.stderrText());
            EXPECT_TRUE(run.stderrText().contains(QStringLiteral("Your painting could not be printed. The printer '%1' %2")
                                                      .arg(queue.name(), words)));
            EXPECT_EQ(run.answerMessages("brushbox: "), 1);
            stopped ? queue.setEnabled(true) : queue.setAccepting(true);
            settle();
            const QRgb before = x->screenshot().pixel(canvas + QPoint(396, 396));
            if (!stopped) // then the fill tool is current, and a current tool's button plays nothing
                expect(kClick, x->click(origin + kFillButton));
            x->click(origin + paletteCell(0, stopped ? 5 : 3));
            x->click(canvas + QPoint(396, 396));
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
        expectSounds(*recording, heard, "e2e-sitting-brushbox-sounds.txt");
    }
}
