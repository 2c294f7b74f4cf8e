// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "gamefiles.h"
#include "memory/checkmemory.h"
#include "memory/frm_memorygame.h"
#include "memory/twinturn.h"

#include "common/themecheck.h"
#include "platform/files.h"
#include "testsupport/brokenfiles.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

namespace {
// The report on a game, with the test folder left out of the paths.
QStringList check(GameFiles& g)
{
    g.write();
    ThemeReport report;
    checkMemoryConfiguration(g.ini(), report);
    QStringList lines = report.lines();
    for (QString& l : lines)
        l.remove(g.folders.root() + QLatin1Char('/'));
    return lines;
}

// A game whose files are all there and clean, for the tests to break one thing at a time.
GameFiles& cleanGame(GameFiles& g)
{
    g.global += "picture=back.bmp\r\n";
    g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP"));
    return g;
}

struct ProgramOutput {
    int code = -1;
    QString out, err;
};

ProgramOutput runTwinturn(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TWINTURN_EXE), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
}

TEST(MemoryCheck, SampleGamesAreClean)
{
    setAppFolderForTests(QString());
    const QStringList games = sampleGames();
    ASSERT_GE(games.size(), 4);
    for (const QString& game : games) {
        ThemeReport report;
        checkMemoryConfiguration(game, report);
        EXPECT_TRUE(report.clean()) << qPrintable(game) << "\n" << qPrintable(report.lines().join('\n'));
    }
}

TEST(MemoryCheck, GlobalFileBoardAndCardSettings)
{
    GameFiles g;
    g.global = "cardsx=3\r\n"            // 1
               "cardsy=3\r\n"            // 2: odd
               "cardwidth=200\r\n"       // 3: too wide for 640 x 480
               "cardheight=100\r\n"
               "dissapear=7\r\n"         // 5
               "turnsound=turn.wav\r\n"  // 6: missing
               "picture=back.bmp\r\n"    // 7: missing
               "cardsx=3\r\n"            // 8: set again
               "[textlist]\r\n";         // 9: typo
    g.cards += g.cards;
    EXPECT_EQ(check(g), QStringList({
                            "data/global.ini:3: on a 640 x 480 screen: The board of 3 x 3 cards does not fit on the screen. "
                            "There is room for 2 x 3 cards of this size. (error 12)",
                            "data/global.ini:5: dissapear in the card settings: 7 is none of 0 (stay), 1 (vanish), 2 (fly off) and "
                            "3 (shrink); it works as 0",
                            "data/global.ini:6: turnsound in the card settings: ''Turn card sound'' wave file ''sfx/turn.wav does not exist. (warning 202)",
                            "data/global.ini:7: picture in the card settings: Card front picture file ''gfx/back.bmp'' does not exist. (warning 101)",
                            "data/global.ini:8: cardsx in the card settings is set again: the value on line 1 has no effect",
                            "data/global.ini:8: The board has an odd number of cards (9). The last place stays empty, so every card "
                            "has a pair. (warning 13)",
                            "data/global.ini:9: section [textlist] means nothing in the global file: the keys after it are card "
                            "settings (did you mean 'text list'?)",
                        }))
        << qPrintable(check(g).join('\n'));
}

TEST(MemoryCheck, CardAndListFilesLineByLine)
{
    GameFiles g;
    g.memoryIni += "listfile=list.txt\r\n";
    g.global = "cardsx=3\r\ncardsy=2\r\ncardwidth=40\r\ncardheight=40\r\npicture=back.bmp\r\n"
               "[text list]\r\n"
               "fontname=Arial\r\n"   // 7: before active
               "active=1\r\n"
               "fontsize=20\r\n"      // 9: its fontname came too early
               "sound=click.wav\r\n"; // 10: missing
    g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP"));
    g.folders.write(QStringLiteral("card/broken.bmp"), "BM this is no picture");
    g.cards = "a\tc0.bmp\r\n"
              "b\tbroken.bmp\r\n"           // 2
              "c\tnone.bmp\tC\tnone.wav\r\n" // 3
              "d\tc1.bmp,e\tc2.bmp\r\n"      // 4: two cards
              "; a comment\r\n"             // 5: a card
              "f\tc3.bmp\r\n";              // 6: not read
    g.folders.write(QStringLiteral("data/list.txt"), "cat\tcat.wav\r\n\r\ndog\r\n");
    const QStringList lines = check(g).mid(1);
    EXPECT_EQ(check(g).value(0), "data/main.ini:2: players in [players]: in a text-list game a child who misses plays on, "
                                 "so only player 1 ever plays");
    ASSERT_EQ(lines.size(), 13) << qPrintable(lines.join('\n'));
    EXPECT_EQ(lines[0], "data/global.ini:7: fontname in [text list] has no effect: it comes before active=1");
    // The text list's default place, 160 pixels wide from the left edge, reaches under the cards.
    EXPECT_EQ(lines[1], "data/global.ini:8: [text list]: the texts lie over the board of cards, which begins at 148");
    EXPECT_EQ(lines[2], "data/global.ini:9: fontsize in [text list] has no effect: it comes before fontname");
    EXPECT_EQ(lines[3], "data/global.ini:10: sound in [text list]: ''Click text sound'' wave file ''sfx/click.wav does not exist. (warning 204)");
    EXPECT_TRUE(lines[4].startsWith("data/cards.txt:2: card 2: Picture file ''card/broken.bmp'' could not be read. ")) << qPrintable(lines[4]);
    EXPECT_TRUE(lines[4].endsWith("(warning 110)")) << qPrintable(lines[4]);
    EXPECT_EQ(lines[5], "data/cards.txt:3: card 3: Card picture file ''card/none.bmp'' does not exist. (warning 105)");
    EXPECT_EQ(lines[6], "data/cards.txt:3: card 3: 'Wave file ''card/none.wav'' for card number 3 does not exist. (warning 203)");
    EXPECT_EQ(lines[7], "data/cards.txt:4: a comma on this line starts another item: card 5 begins after it");
    EXPECT_EQ(lines[8], "data/cards.txt:5: card 6 is this comment: the file has no comments, every item counts");
    EXPECT_EQ(lines[9], "data/cards.txt:5: card 6 has neither a picture nor a text: it shows nothing when turned");
    EXPECT_EQ(lines[10], "data/cards.txt:6: this line and the ones after it are not read: the board has 6 cards");
    EXPECT_EQ(lines[11], "data/list.txt: 2 texts for 6 cards: Listfile contains to few text strings. (warning 9)");
    EXPECT_EQ(lines[12], "data/list.txt:1: text 1: sound 'card/cat.wav' is missing");
}

// A card sound of 8 samples a second and a card picture of 2000 scans: each named with its
// cause and with what start-up does with it.
TEST(MemoryCheck, FilesTheReadersRefuseAreNamedWithTheCauseAndWhatFollows)
{
    GameFiles g;
    cleanGame(g);
    makeBrokenSounds(g.folders.path("card"));
    makeBrokenPictures(g.folders.path("card"));
    g.cards = "a\tc0.bmp\tA\tlow-rate.wav\r\nb\tscans.jpg\r\nc\tc2.bmp\r\nd\tc3.bmp\r\n";
    const QStringList lines = check(g);
    ASSERT_EQ(lines.size(), 2) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines[0].startsWith("data/cards.txt:1: card 1: Sound '") && lines[0].contains("gives 8 samples a second")
                && lines[0].endsWith("It is skipped: nothing is heard in its place.")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[1].startsWith("data/cards.txt:2: card 2: Picture file ''card/scans.jpg'' could not be read.")
                && lines[1].contains("more than 100 scans") && lines[1].endsWith("(warning 110)")) << qPrintable(lines[1]);
}

TEST(MemoryCheck, SpecialFileAndTextListPlace)
{
    GameFiles g;
    cleanGame(g);
    g.memoryIni += "listfile=list.txt\r\nspecial=extra.ini\r\n";
    g.main += "[interface]\r\npictures=\tbk800.bmp\r\n";
    g.folders.write(QStringLiteral("data/extra.ini"), "[interface]\r\npictures=\t\tbk1024.bmp\r\nbackcolor=1\r\n[players]\r\nplayers=3\r\n");
    g.folders.write(QStringLiteral("gfx/bk1024.bmp"), pictureBytes("BMP"));
    g.global += "[text list]\r\nactive=1\r\nleft=0\r\nwidth=100\r\ntop=10\r\nspace=300\r\n";
    g.folders.write(QStringLiteral("card/list.txt"), "a\r\nb\r\nc\r\nd\r\n");
    const QStringList lines = check(g).mid(1); // the first: only player 1 plays a text-list game
    ASSERT_EQ(lines.size(), 4) << qPrintable(lines.join('\n'));
    EXPECT_EQ(lines[0], "data/main.ini:5: pictures in [interface] has no effect: the special file sets the background pictures again");
    // The smallest layout with a background picture is 1024 x 768.
    EXPECT_TRUE(lines[1].startsWith("data/global.ini:10: [text list] on a 1024 x 768 screen: the 4 texts run off the bottom")) << qPrintable(lines[1]);
    EXPECT_EQ(lines[2], "data/extra.ini:3: 'backcolor' has no effect in the special file: only pictures in [interface] is read");
    EXPECT_EQ(lines[3], "data/extra.ini:4: section [players] has no effect: the special file is read only for pictures in [interface]");
}

TEST(MemoryCheck, GarbageFilesGiveProblemsNotCrashes)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        GameFiles g;
        cleanGame(g);
        QByteArray noise(4000, '\0');
        for (char& c : noise)
            c = char(random.bounded(256));
        // Keep some structure now and then, so the reader gets past the first items.
        if (round % 2)
            noise.replace(char(0), "\r\n[text list]\r\nactive=1\r\ncardsx=");
        g.write();
        g.folders.write(QString::fromLatin1(round % 4 < 2 ? "data/global.ini" : "data/cards.txt"), noise);
        if (round % 5 == 0)
            g.folders.write(QStringLiteral("memory.ini"), noise);
        ThemeReport report;
        checkMemoryConfiguration(g.ini(), report);
        EXPECT_FALSE(report.clean()) << round;
    }
}

TEST(MemoryCheck, CommandLine)
{
    GameFiles g;
    cleanGame(g);
    g.write();
    const ProgramOutput clean = runTwinturn({QStringLiteral("--check"), g.ini()});
    EXPECT_EQ(clean.code, 0) << qPrintable(clean.out);
    EXPECT_EQ(clean.out, QStringLiteral("Checking %1 (named on the command line)\n%1: no problems found\n").arg(g.ini()));

    g.folders.write(QStringLiteral("data/global.ini"), "cardsx=2\r\ncardsy=2\r\ncardwidth=40\r\ncardheigth=40\r\npicture=back.bmp\r\n");
    const ProgramOutput broken = runTwinturn({g.ini(), QStringLiteral("--check")});
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(broken.out.contains(g.folders.path(QStringLiteral("data/global.ini:4: unknown key 'cardheigth'")))) << qPrintable(broken.out);

    // What a file holds reaches the terminal as text, never as its control characters.
    g.folders.write(QStringLiteral("data/global.ini"), QByteArray("cardsx=2\r\ncardsy=2\r\ncardwidth=40\r\ncardheight=40\r\n"
                                                                  "picture=back.bmp\r\nc\x1B]0;x\x07\0d=1\r\n", 80));
    const ProgramOutput controls = runTwinturn({QStringLiteral("--check"), g.ini()});
    EXPECT_TRUE(controls.out.contains(QStringLiteral("unknown key 'c\\x1B]0;x\\x07\\x00d'"))) << qPrintable(controls.out);
    EXPECT_FALSE(controls.out.contains(QChar(0x1B)));
    // Nor does a folder's name.
    const QString odd = g.folders.path(QStringLiteral("t\x1B]0;x\x07"));
    QDir().mkpath(odd);
    QFile::copy(g.ini(), odd + QStringLiteral("/memory.ini"));
    const ProgramOutput folder = runTwinturn({QStringLiteral("--check"), odd + QStringLiteral("/memory.ini")});
    EXPECT_TRUE(folder.out.startsWith(QStringLiteral("Checking ") + g.folders.path(QStringLiteral("t\\x1B]0;x\\x07/memory.ini"))))
        << qPrintable(folder.out);
    EXPECT_FALSE(folder.out.contains(QChar(0x1B)));

    const ProgramOutput missing = runTwinturn({QStringLiteral("--check"), g.folders.path(QStringLiteral("none.ini"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.contains(QStringLiteral("(error 1)"))) << qPrintable(missing.out);

    const ProgramOutput help = runTwinturn({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: twinturn [CONFIGURATION]\n"))) << qPrintable(help.out);
    EXPECT_TRUE(help.out.contains(QStringLiteral("memory.ini")));

    const ProgramOutput version = runTwinturn({QStringLiteral("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("twinturn "))) << qPrintable(version.out);

    const ProgramOutput usage = runTwinturn({QStringLiteral("--chek")});
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(usage.out.isEmpty());
    EXPECT_TRUE(usage.err.startsWith(QStringLiteral("twinturn: unknown option '--chek'\nUsage: twinturn"))) << qPrintable(usage.err);
}

// One mistake in an otherwise clean game, and what the checker says of it.
TEST(MemoryCheck, OneMistakeAndItsFindings)
{
    const struct {
        const char* mistake;
        std::function<void(GameFiles&)> make;
        QStringList findings;
    } cases[] = {
        {"the files start-up cannot find",
         [](GameFiles& g) {
             g.memoryIni.replace("app=memory", "app=memory ");
             g.memoryIni.replace("main=main.ini", "main=mian.ini");
             g.memoryIni += "special=extra.ini\r\n";
         },
         {"memory.ini:1: app 'memory ' (the blanks count): The application type declaration in the INI file is unknown. (error 4)",
          "memory.ini:8: main in [gamefiles]: Could not find main file ''data/mian.ini'' (error 5)",
          "memory.ini:11: special in [gamefiles]: Could not find special file ''data/extra.ini'' (error 10)"}},
        {"no declaration, a misspelt card file and a text list without its file",
         [](GameFiles& g) {
             g.memoryIni.replace("app=memory\r\n", "");
             g.memoryIni.replace("cards=cards.txt", "cards=kort.txt");
             g.global += "[text list]\r\nactive=1\r\n";
         },
         {"memory.ini: There is no application type declaration in the INI file. (error 3)",
          "memory.ini:9: cards in [gamefiles]: Could not find card file ''kort.txt'' (error 7)",
          "data/main.ini:2: players in [players]: in a text-list game a child who misses plays on, so only player 1 ever plays",
          "data/global.ini:7: listfile in [gamefiles]: Could not find list file '''' (error 8)"}},
        {"no global file, and a missing background",
         [](GameFiles& g) {
             g.memoryIni.replace("global=global.ini", "global=");
             g.main += "[interface]\r\npictures=bk640.bmp\tbk800.bmp\r\n";
             g.folders.write(QStringLiteral("gfx/bk800.bmp"), pictureBytes("BMP"));
         },
         {"memory.ini:9: global in [gamefiles]: Could not find global file ''data/'' (error 6)",
          "data/main.ini:5: background 640 x 480 of pictures in [interface]: Background picture file ''gfx/bk640.bmp does not "
          "exist. (warning 100)"}},
        // Twinturn takes the first four keys of [classroom]; the print keys are Brushbox's.
        {"a Brushbox key in [classroom]", [](GameFiles& g) { g.memoryIni += "[classroom]\r\nnoquit=1\r\nprintdelay=5\r\n"; },
         {"memory.ini:13: unknown key 'printdelay' in [classroom]"}},
        // The mistakes of a first game typed by hand, each told once with what to do.
        {"blanks for TABs", [](GameFiles& g) { g.cards = "a    c0.bmp\r\nb\tc1.bmp\r\nc\tc2.bmp\r\nd\tc3.bmp\r\n"; },
         {"data/cards.txt:1: card 1 has neither a picture nor a text: it shows nothing when turned (its fields must be separated "
          "by TABs, and this line has none)"}},
        {"a misspelt card folder", [](GameFiles& g) { g.memoryIni.replace("/card/", "/cards/"); },
         {"memory.ini:6: card in [paths]: folder 'cards/' does not exist; 4 files the theme names lie in it"}},
        {"the program's folder named from a game elsewhere",
         [](GameFiles& g) {
             g.folders.mkdir(QStringLiteral("app/gfx"));
             g.folders.write(QStringLiteral("app/gfx/back.bmp"), pictureBytes("BMP"));
             g.memoryIni.replace("gfx=" + g.dir("gfx"), "gfx=%apppath%gfx\\");
         },
         {"memory.ini:3: gfx in [paths]: '%apppath%gfx\\' is in the program's folder (app/), but this file lies in : the theme "
          "takes the program's own files there; write out the theme's own folder instead"}},
        {"memory.ini's own problems",
         [](GameFiles& g) {
             g.memoryIni = "app=memory\r\n"
                           "debug=1\r\n"
                           "gfx=x\r\n"
                           "[paths]\r\n"
                           "gfx=" + g.dir("gfx") + "\r\n"
                           "sfx=" + g.folders.path(QStringLiteral("sfx")).toUtf8() + "\r\n"
                           "data=" + g.dir("data") + "\r\n"
                           "card=" + g.dir("card") + "\r\n"
                           "[gamefiles]\r\n"
                           "main=main.ini\r\n"
                           "global=global.ini\r\n"
                           "cards=cards.txt\r\n"
                           "listfile=list.txt\r\n"
                           "app=match\r\n";
         },
         {"memory.ini:2: debug is on: every card is shown face up and memory.log is written at every start",
          "memory.ini:3: 'gfx' stands before any section and is ignored",
          "memory.ini:6: sfx in [paths]: 'sfx' does not end in '\\', so file names are joined straight onto it (write 'sfx\\' or "
          "begin it with %apppath%)",
          "memory.ini:13: listfile in [gamefiles] has no effect: the text list is not active in the global file",
          "memory.ini:14: app has no effect: only the first app line (line 1) counts"}},
        {"the main file's order, values and files",
         [](GameFiles& g) {
             g.wav(QStringLiteral("sfx/m.wav"));
             g.main = "[splash screen]\r\n"       // 1
                      "active=1\r\n"              // 2: not last
                      "backcolor=&HFF\r\n"
                      "picture=s.bmp\r\n"         // 4: no effect
                      "[interface]\r\n"
                      "quitpicture=quit.bmp\r\n"  // 6: missing
                      "matchsound=m.wav\r\n"      // 7: no nomatchsound
                      "[players]\r\n"
                      "players=5\r\n"             // 9: too many
                      "namefontsize=20\r\n"       // 10: before namefont
                      "namefont=Arial\r\n"
                      "[timer]\r\n"
                      "fontsize=20\r\n"           // 13: before active
                      "active=1\r\n"
                      "order=9\r\n"               // 15: outside 1 to 6
                      "[countdown]\r\n"
                      "active=1\r\n"              // 17: same place as the timer
                      "order=6\r\n";
         },
         {"data/main.ini:2: active in [splash screen] shows the splash at once; the keys after it (backcolor) come too late",
          "data/main.ini:4: picture in [splash screen] has no effect: the memory game's splash shows no picture",
          "data/main.ini:6: quitpicture in [interface]: Quit button picture file ''gfx/quit.bmp'' does not exist. (warning 103)",
          "data/main.ini:7: matchsound in [interface] without nomatchsound: ''No Match sound'' wave file ''sfx/ does not exist. "
          "(warning 206)",
          "data/main.ini:9: players in [players]: There can be at most four players (5 were asked for). (warning 15)",
          "data/main.ini:10: namefontsize in [players] has no effect: it comes before namefont",
          "data/main.ini:13: fontsize in [timer] has no effect: it comes before active=1 and order",
          "data/main.ini:15: order in [timer]: 9 is outside 1 to 6; the counter takes place 6",
          "data/main.ini:17: [countdown] shows in the same place as [timer] (order 6)"}},
        // With [tries left] active it alone decides who is out, so a countdown beside it never
        // puts a child out; alone, the countdown decides and nothing is said of it.
        {"a countdown beside tries left, and no card width",
         [](GameFiles& g) {
             g.main += "[countdown]\r\nactive=1\r\norder=1\r\n[tries left]\r\nactive=1\r\norder=2\r\n";
             g.global.replace("cardwidth=40\r\n", "");
         },
         {"data/main.ini:5: [countdown] can never put a child out: [tries left] is active, and it alone decides who is out",
          "data/global.ini: cardwidth in the card settings is not set: the cards cannot be seen"}},
        {"a countdown alone", [](GameFiles& g) { g.main += "[countdown]\r\nactive=1\r\norder=1\r\n"; }, {}},
    };
    for (const auto& c : cases) {
        GameFiles g;
        cleanGame(g);
        c.make(g);
        const QStringList findings = check(g);
        EXPECT_EQ(findings, c.findings) << c.mistake << "\n" << qPrintable(findings.join('\n'));
    }
}
