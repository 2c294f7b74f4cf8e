// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/checkpaint.h"

#include "common/themecheck.h"
#include "platform/files.h"
#include "testsupport/brokenfiles.h"
#include "testsupport/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
QStringList check(const TestFolders& folders, const QByteArray& ini)
{
    folders.write("app/zypaint.ini", ini);
    ThemeReport report;
    checkPaintConfiguration(folders.app() + "/zypaint.ini", report);
    QStringList lines = report.lines();
    for (QString& l : lines)
        l.remove(folders.app() + "/zypaint.ini:");
    return lines;
}

QByteArray wav(int dataBytes)
{
    QByteArray b("RIFF");
    auto le = [&b](quint32 v, int n) { for (int i = 0; i < n; ++i) b.append(char((v >> (8 * i)) & 0xFF)); };
    le(36 + dataBytes, 4);
    b.append("WAVEfmt ");
    le(16, 4); le(1, 2); le(1, 2); le(22050, 4); le(44100, 4); le(2, 2); le(16, 2);
    b.append("data");
    le(dataBytes, 4);
    b.append(QByteArray(dataBytes, '\0'));
    return b;
}
}

TEST(PaintCheck, SampleThemeIsClean)
{
    setAppFolderForTests(QString());
    ThemeReport report;
    checkPaintConfiguration(QStringLiteral(SAMPLE_DIR "/zypaint.ini"), report);
    EXPECT_TRUE(report.clean()) << qPrintable(report.lines().join('\n'));
}

// Qt's own options on the command line reach Qt, and the program's own still work beside them.
TEST(PaintCheck, CommandLineWithQtOptions)
{
    QProcess p;
    p.start(QStringLiteral(BRUSHBOX_EXE), {"-platform", "offscreen", "--check", SAMPLE_DIR "/zypaint.ini"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    EXPECT_TRUE(p.readAllStandardOutput().endsWith("zypaint.ini: no problems found\n"));
}

TEST(PaintCheck, ReportsTyposValuesAndOrderWithLineNumbers)
{
    TestFolders f;
    f.mkdir("app/gfx");
    f.mkdir("app/snd");
    f.write("app/gfx/splash.bmp", pictureBytes("BMP"));
    const QStringList lines = check(f, "app=zypaint\n"
                                       "[splash screen]\n"
                                       "picture=splash.bmp\n"              // 3: before gfx
                                       "[path]\n"
                                       "gfx=%apppath%gfx\n"
                                       "snd=%apppath%snd\n"
                                       "[draw button]\n"
                                       "picnormall=x.bmp\n"               // 8: typo
                                       "; was red, picdown=gone.bmp\n"    // 9: a comma in a comment
                                       "[name text]\n"
                                       "fontsize=big\n"                   // 11: not a number
                                       "fontsize=99999\n"                 // 12: does not fit
                                       "[buttons]\n"                      // 13: ignored section
                                       "[palete]\n"                       // 14: typo section
                                       "[splash screen]\n"
                                       "active=1\n"                       // 16: not last
                                       "text=Hi\n"
                                       "[current]\n"
                                       "; a note, with a comma\n"         // 19
                                       "shape=circel\n");                 // 20
    ASSERT_EQ(lines.size(), 14) << qPrintable(lines.join('\n'));
    // Start-up's box for a window without a background comes first: it concerns the whole file.
    EXPECT_EQ(lines[0], QStringLiteral(" [interface] names no background: Could not load main background picture ''%1/gfx/''. (warning 106)")
                            .arg(f.app()));
    EXPECT_EQ(lines[1], "3: picture in [splash screen] stands before the gfx folder is set in [path] and looks in the current folder");
    EXPECT_EQ(lines[2], "3: picture in [splash screen]: Picture for splash screen (splash.bmp) is missing or invalid. Check also for "
                        "path declaration before splash declaration in INI file. [the file is missing] (warning 101)");
    EXPECT_EQ(lines[3], "8: unknown key 'picnormall' in [draw button] (did you mean 'picnormal'?)");
    EXPECT_EQ(lines[4], "9: a comma in the comment on this line starts a new item: 'picdown=gone.bmp' is read as a setting");
    // The file a key names is checked after the whole file is read, and still reported in place.
    EXPECT_TRUE(lines[5].startsWith("9: picdown in [draw button]: picture '")) << qPrintable(lines[5]);
    EXPECT_EQ(lines.mid(6), QStringList({
                                "11: fontsize in [name text]: 'big' is not a number (it reads as 0)",
                                "12: fontsize in [name text] is set again: the value on line 11 has no effect",
                                "12: fontsize in [name text]: 99999 does not fit (it is held at 32767)",
                                "13: section [buttons] is ignored: it is none of the button sections",
                                "14: unknown section [palete] (did you mean 'palette'?)",
                                "16: 'active' in [splash screen] shows the splash at once; the keys after it (text) come too late",
                                "19: a comma in the comment on this line starts a new item: 'with a comma' is read as a setting",
                                "20: shape in [current]: 'circel' is no shape; 'circle', 'rounded' or a rectangle (any other word) (did you mean 'circle'?)",
                            }));
}

TEST(PaintCheck, ReportsMissingAndBrokenFiles)
{
    TestFolders f;
    f.mkdir("app/gfx");
    f.mkdir("app/snd");
    f.mkdir("app/pics/Zoo");
    f.write("app/gfx/bg.bmp", pictureBytes("BMP").left(40));
    f.write("app/snd/ok.wav", wav(4410));
    f.write("app/snd/text.wav", "this is no sound");
    f.write("app/gfx/Kids.gif", pictureBytes("GIF"));
    // Figure files beside the supplied pictures: one refused for its count, one without [coords].
    f.write("app/pics/Zoo/cat.bmp", pictureBytes("BMP"));
    f.write("app/pics/Zoo/dog.gif", pictureBytes("GIF"));
    f.write("app/pics/Zoo/cat.INI", "[settings]\ncolour=1\n[coords]\n1\n5\t5\n");
    f.write("app/pics/Zoo/dog.ini", "[settings]\nnumeric=1\n");
    const QStringList lines = check(f, "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%snd\npicture=%apppath%pics\n"
                                       "catalog=%apppath%cats\n"
                                       "[interface]\nbackground=bg.bmp\nstartsound=ok.wav\nbuttonsound=text.wav\ngoodsound=none.wav\n"
                                       "[catalogs]\nZoo\t1\nFarm\t1\nKids\t0\nNoIcon\t0\n");
    ASSERT_EQ(lines.size(), 8) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines[0].startsWith("8: background in [interface]: Could not load main background picture ''")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[0].endsWith("is cut off (40 of its 246 bytes).] (warning 106)")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].startsWith("10: buttonsound in [interface]: ")) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[2].startsWith("11: goodsound in [interface]: sound '")) << qPrintable(lines[2]);
    EXPECT_TRUE(lines[3].startsWith("14: supplied catalog 'Farm': folder '")) << qPrintable(lines[3]);
    EXPECT_EQ(lines[4], QStringLiteral("16: catalog 'NoIcon': Bilden '%1/gfx/NoIcon.bmp/.gif/.jpg' för användarkatalogen '%1/cats/NoIcon' "
                                       "saknas. (warning 103)").arg(f.app()));
    const QString zoo = f.app() + "/pics/Zoo/";
    EXPECT_EQ(lines.mid(5), QStringList({zoo + "cat.INI:2: unknown key 'colour' in [settings]",
                                         zoo + "cat.INI:4: the figure's number of points is 1 and it needs at least 2: "
                                               "the picture opens without it",
                                         zoo + "dog.ini: the figure file has no [coords] section with a number of points: "
                                               "the picture opens without its figure"}));
}

// Sounds and pictures that once crashed or stalled the program: each named with its cause and
// with what start-up does with it.
TEST(PaintCheck, FilesTheReadersRefuseAreNamedWithTheCauseAndWhatFollows)
{
    TestFolders f;
    QStringList causes;
    for (const BrokenFile& b : makeBrokenSounds(f.app() + "/snd") + makeBrokenPictures(f.app() + "/gfx"))
        if (b.name == "low-rate.wav" || b.name == "huge-rate.wav" || b.name == "long.wav" || b.name == "empty-chunks.wav"
            || b.name == "scans.jpg")
            causes << b.cause;
    const QStringList lines = check(f, "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%snd\n"
                                       "[interface]\nbackground=scans.jpg\nstartsound=low-rate.wav\nbuttonsound=huge-rate.wav\n"
                                       "goodsound=long.wav\n[open]\nsound=empty-chunks.wav\n[draw button]\npicnormal=scans.jpg\n");
    ASSERT_EQ(lines.size(), 6) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines[0].contains("Could not load main background picture") && lines[0].contains(causes[4])
                && lines[0].endsWith("(warning 106)")) << qPrintable(lines[0]);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(lines[1 + i].contains(causes[i]) && lines[1 + i].endsWith("It is skipped: nothing is heard in its place."))
            << qPrintable(lines[1 + i]);
    EXPECT_TRUE(lines[5].startsWith("13: picnormal in [draw button]: ") && lines[5].contains(causes[4])
                && lines[5].endsWith("Its place stays empty.")) << qPrintable(lines[5]);
}

// A misspelt folder hides every file in it: one line for the folder, with their number.
TEST(PaintCheck, AWrongFolderIsToldOnceWithWhatItHides)
{
    TestFolders f;
    f.mkdir("app/gfx");
    const QStringList lines = check(f, "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%sound\n"
                                       "[interface]\nstartsound=a.wav\nbuttonsound=b.wav\ngoodsound=c.wav\n");
    ASSERT_EQ(lines.size(), 2) << qPrintable(lines.join('\n'));
    EXPECT_EQ(lines[1], QStringLiteral("4: snd in [path]: Bad sound path: '%1/sound/' (error 5); 3 files the theme names lie in it")
                            .arg(f.app()));
}

TEST(PaintCheck, NearestWordOnlyForLikelyTypos)
{
    const QStringList keys = {"picnormal", "pichighlight", "active"};
    EXPECT_EQ(nearestWord("picnormall", keys), "picnormal");
    EXPECT_EQ(nearestWord("PICNORMAL", keys), "picnormal");
    EXPECT_EQ(nearestWord("colour", keys), "");
    EXPECT_TRUE(looksNumeric("&HFF"));
    EXPECT_TRUE(looksNumeric(" -.5"));
    EXPECT_TRUE(looksNumeric(""));
    EXPECT_FALSE(looksNumeric("&H"));
}

TEST(PaintCheck, NamesWhatAFileThatIsNoFileReallyIs)
{
    TestFolders f;
    f.mkdir("app/gfx");
    f.mkdir("app/snd");
    ASSERT_EQ(::mkfifo(QFile::encodeName(f.path("app/gfx/back.bmp")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), f.path("app/snd/click.wav")));
    const QStringList lines = check(f, "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%apppath%snd\n"
                                       "[interface]\nbackground=back.bmp\nbuttonsound=click.wav\n");
    EXPECT_TRUE(lines.contains(QStringLiteral("6: background in [interface]: Could not load main background picture ''%1''. [the file is a FIFO] (warning 106)")
                                    .arg(f.path("app/gfx/back.bmp"))))
        << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("7: buttonsound in [interface]: sound '%1' is a device").arg(f.path("app/snd/click.wav"))))
        << qPrintable(lines.join('\n'));
}

TEST(PaintCheck, ClassroomAndHistoryButtonSections)
{
    TestFolders f;
    const QStringList lines = check(f, "app=zypaint\n"
                                       "[classroom]\n"
                                       "printdelay=-5\n"     // 3: below 0
                                       "[undo button]\n"
                                       "left=700\n"          // 5: off the window
                                       "piccurrent=undo.bmp\n"); // 6: no current look
    EXPECT_EQ(lines.mid(3), QStringList({"3: printdelay in [classroom]: -5 is below 0 and reads as 0, no rest between prints",
                                         "5: left in [undo button]: 700 lies outside the 641 x 481 window, so the button cannot be seen",
                                         "6: unknown key 'piccurrent' in [undo button]"}))
        << qPrintable(lines.join('\n'));
}

// Values a teacher writes as words: the delay is its number alone, and a comma ends a value.
TEST(PaintCheck, ClassroomValuesReadOtherwiseThanWritten)
{
    TestFolders f;
    const QStringList lines = check(f, "app=zypaint\n"
                                       "[classroom]\n"
                                       "printdelay=1 minute\n"                             // 3
                                       "printwait=Wait a little, then try again!\n");      // 4
    EXPECT_TRUE(lines.contains("3: printdelay in [classroom]: '1 minute' reads as 1: the delay is a number of seconds, "
                               "and the words after it count for nothing"))
        << qPrintable(lines.join('\n'));
    const QStringList cut = lines.filter("a comma in the value of");
    ASSERT_EQ(cut.size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(cut[0].startsWith("4: ")) << qPrintable(cut[0]);
    EXPECT_TRUE(cut[0].contains("printwait")) << qPrintable(cut[0]);
    EXPECT_TRUE(lines.filter("unknown key").isEmpty()) << qPrintable(lines.join('\n'));
}

// The undo and redo buttons are made last: one lying over a tool button takes its clicks. The
// finding stands on the line that placed it; a button clear of the others, or over a tool button
// the theme does not show, is not named.
TEST(PaintCheck, HistoryButtonOverAToolButtonIsNamed)
{
    TestFolders f;
    f.mkdir("app/gfx");
    f.write("app/gfx/undo.bmp", pictureBytes("BMP", 40, 20));
    const QStringList lines = check(f, "app=zypaint\n"
                                       "[path]\n"
                                       "gfx=%apppath%gfx\n"
                                       "[draw button]\n"
                                       "active=1\n"
                                       "[undo button]\n"
                                       "picnormal=undo.bmp\n"
                                       "left=90\n"  // 8: the draw button spans 16 to 104
                                       "top=60\n"   // 9
                                       "[redo button]\n"
                                       "picnormal=undo.bmp\n"
                                       "left=120\n" // over the fill button, which is not shown
                                       "top=140\n"
                                       "[clear button]\n"
                                       "active=0\n");
    const QStringList over = lines.filter("lies over");
    EXPECT_EQ(over, QStringList({"9: [undo button] lies over [draw button]: where they meet, a click reaches only the undo button"}))
        << qPrintable(lines.join('\n'));
}

// A theme in the author's own folder that kept the tutorial's %apppath% lines would quietly show
// the sample theme's pictures: the checker says so, and says nothing beside the program.
TEST(PaintCheck, ProgramFolderNamedFromAThemeElsewhere)
{
    TestFolders f;
    for (const char* d : {"app/gfx", "app/snd", "home/theme/gfx"})
        f.mkdir(QString::fromLatin1(d));
    f.write("app/gfx/bg.bmp", pictureBytes("BMP"));
    const QByteArray ini = "app=zypaint\n[path]\ngfx=%apppath%gfx\nsnd=%APPPATH%snd\n[interface]\nbackground=bg.bmp\n";
    f.write("home/theme/zypaint.ini", ini);
    ThemeReport report;
    checkPaintConfiguration(f.path("home/theme/zypaint.ini"), report);
    const QStringList lines = report.lines();
    ASSERT_EQ(lines.size(), 2) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(":3: gfx in [path]: '%apppath%gfx' is in the program's folder (%1/), but this file "
                                                 "lies in %2/: the theme takes the program's own files there; write out the theme's "
                                                 "own folder instead")
                                      .arg(QFileInfo(f.app()).canonicalFilePath(), QFileInfo(f.path("home/theme")).canonicalFilePath())))
        << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].contains(":4: snd in [path]: '%APPPATH%snd' is in the program's folder")) << qPrintable(lines[1]);
    EXPECT_TRUE(check(f, ini).isEmpty()) << qPrintable(check(f, ini).join('\n'));
}
