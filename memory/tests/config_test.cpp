// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fakes.h"
#include "gamefiles.h"
#include "common/inireader.h"
#include "memory/memconfig.h"
#include "memory/memkeys.h"
#include "memory/twinturn.h"
#include "platform/picture.h"
#include "testsupport/keycases.h"

#include <QHash>
#include <QSet>
#include <gtest/gtest.h>

namespace {
// Reads a whole game as the window's set-up does, up to the layout.
bool readGame(MemState& s, const QString& ini, QSize screen = QSize(1024, 768))
{
    memSetDefaultValues(s);
    return memCheckINI(s, ini) && memOpenINI(s, ini) && memCheckValues(s) && memFixVariabels(s, screen);
}

QString titleOf(const MessageRecorder& boxes, int i) { return boxes.messages.value(i).title; }

// A game read as above, with the number of each box it showed ("end" when the program ended).
struct ReadGame {
    MemState s;
    MessageRecorder boxes;
    bool ok = false, ended = false;
    explicit ReadGame(GameFiles& g, QSize screen = QSize(1024, 768))
    {
        g.write();
        try {
            ok = readGame(s, g.ini(), screen);
        } catch (const MemProgramEnd&) {
            ended = true;
        }
    }
    QString text(int i) const { return boxes.messages.value(i).text; }
    QString numbers() const
    {
        QStringList n;
        for (const MsgRecord& r : boxes.messages)
            n << r.title.section(QLatin1Char('#'), 1).chopped(1).trimmed();
        return (ended ? n << QStringLiteral("end") : n).join(QLatin1Char(','));
    }
};
}

TEST(CheckIni, DeclarationAnywhereFirstOneCountsAndBlankMatters)
{
    ThrowingEnder ender;
    TestFolders f;
    MemState s;
    f.write(QStringLiteral("a.ini"), "APP=Match\r\n[paths]\r\napp=memory\r\n");
    EXPECT_TRUE(memCheckINI(s, f.path(QStringLiteral("a.ini"))));
    EXPECT_EQ(s.intAppType, 1);

    f.write(QStringLiteral("b.ini"), "[x]\r\nApp=MEMORY\r\n");
    EXPECT_TRUE(memCheckINI(s, f.path(QStringLiteral("b.ini"))));
    EXPECT_EQ(s.intAppType, 0);

    MessageRecorder boxes;
    f.write(QStringLiteral("c.ini"), "\"app=memory \"\r\n");
    EXPECT_THROW(memCheckINI(s, f.path(QStringLiteral("c.ini"))), MemProgramEnd);
    EXPECT_EQ(titleOf(boxes, 0), QStringLiteral("Error in application (# 4)"));

    f.write(QStringLiteral("d.ini"), "[paths]\r\ngfx=x\r\n");
    EXPECT_THROW(memCheckINI(s, f.path(QStringLiteral("d.ini"))), MemProgramEnd);
    EXPECT_EQ(titleOf(boxes, 1), QStringLiteral("Error in application (# 3)"));

    EXPECT_THROW(memCheckINI(s, f.path(QStringLiteral("none.ini"))), MemProgramEnd);
    EXPECT_TRUE(boxes.messages[2].text.contains(f.path(QStringLiteral("none.ini"))));
}

TEST(OpenIni, ReadsTheWholeGame)
{
    ThrowingEnder ender;
    GameFiles g;
    g.main = "[splash screen]\r\nactive=0\r\n[interface]\r\npictures=a.bmp\tb.bmp\r\nquitpicture=q.bmp\r\n"
             "[players]\r\nplayers=3\r\ndefaultname=Kid\r\nnamefontsize=30\r\nnamefont=Arial\r\nnamefontbold=1\r\n"
             "[tries left]\r\nfontname=Times\r\nactive=1\r\norder=2\r\nfontname=Courier\r\nfontsize=20\r\n"
             "[nonsense]\r\nactive=1\r\n";
    g.global = "cardsx=3\r\ncardsx=2\r\ncardsy=2\r\ncardwidth=40\r\ncardheight=40\r\npicture=back.bmp\r\n"
               "[text list]\r\nfontname=Times\r\n";
    g.cards = "a\tc0.bmp\tzero\r\nb\tc1.bmp,c\tc2.bmp\r\nd\tc3.bmp\r\n";
    g.folders.write(QStringLiteral("gfx/back.bmp"), pictureBytes("BMP"));
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.numbers(), QString());
    const MemState& s = r.s;
    EXPECT_EQ(QStringList(s.ui.BkPictures.begin(), s.ui.BkPictures.begin() + 3), QStringList({"a.bmp", "b.bmp", ""}));
    // Two cardsx lines: the last counts.
    EXPECT_EQ(s.memCardCount, 4);
    // A comma splits a card line into two cards.
    EXPECT_EQ(s.memCardHolders[0].Text, QStringLiteral("zero"));
    EXPECT_EQ(s.memCardHolders[1].PictureFile, QStringLiteral("c1.bmp"));
    EXPECT_EQ(s.memCardHolders[2].First, QStringLiteral("c"));
    EXPECT_EQ(s.memCardHolders[2].PictureFile, QStringLiteral("c2.bmp"));
    EXPECT_FALSE(s.memCardHolders[0].Picture.isNull());
    EXPECT_FALSE(s.ui.CardBack.isNull());
    // Size before the font name has no effect; bold after it does.
    EXPECT_EQ(s.ui.NameFont.size, 12);
    EXPECT_TRUE(s.ui.NameFont.bold);
    // A counter's font keys before its active key have no effect; after active and order they do.
    const memControl& tl = s.ui.Controls[memTRIESLEFT];
    EXPECT_EQ(tl.Order, 1);
    EXPECT_EQ(s.ui.ControlFonts[1].name, QStringLiteral("Courier"));
    // Text list fonts need the list to be active first.
    EXPECT_EQ(s.ui.TextList.Font.name, QStringLiteral("Arial"));
    ASSERT_EQ(s.memPlayers.size(), 3);
    EXPECT_EQ(s.memPlayers[2].Name, QStringLiteral("Kid 3"));
}

TEST(OpenIni, DebugAsTheLastItemAndFolderMacros)
{
    ThrowingEnder ender;
    GameFiles g;
    g.memoryIni.replace("data=" + g.dir("data"), "data=%apppath%\\..\\data");
    g.memoryIni += "debug=1";
    bolDebug = true;
    EXPECT_TRUE(ReadGame(g).ok);
    EXPECT_TRUE(bolDebug);
    bolDebug = false;
}

TEST(OpenIni, DataFolderWithoutItsSeparatorIsJoinedAsWritten)
{
    ThrowingEnder ender;
    GameFiles g;
    QByteArray folder = g.dir("data");
    folder.chop(1);
    g.memoryIni.replace("data=" + g.dir("data"), "data=" + folder);
    ReadGame r(g);
    EXPECT_EQ(r.numbers(), QStringLiteral("5,end"));
    EXPECT_EQ(r.text(0), QStringLiteral("Could not find main file ''") + QString::fromUtf8(folder) + "main.ini''");
}

TEST(OpenIni, CardSoundsAndSameNameSound)
{
    ThrowingEnder ender;
    GameFiles g;
    g.global += "samenamesound=1\r\n";
    g.cards = "a\tc0.bmp\t\tgone.wav\r\nb\tc1.bmp\r\nc\tc2.bmp\r\nd\tc3.bmp\t\town.wav\r\n";
    g.wav(QStringLiteral("card/c1.wav"));
    g.wav(QStringLiteral("card/own.wav"));
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    const MemState& s = r.s;
    ASSERT_EQ(r.numbers(), QStringLiteral("203"));
    EXPECT_EQ(r.text(0), QStringLiteral("'Wave file ''") + g.folders.path(QStringLiteral("card/gone.wav"))
                                          + QStringLiteral("'' for card number 1 does not exist.\r\rContinue?"));
    EXPECT_EQ(s.memCardHolders[0].Sound, QString());
    EXPECT_EQ(s.memCardHolders[1].Sound, QStringLiteral("c1.wav"));
    EXPECT_EQ(s.memCardHolders[2].Sound, QString());
    EXPECT_EQ(s.memCardHolders[3].Sound, QStringLiteral("own.wav"));
}

TEST(OpenIni, MissingPicturesAndSoundsWarnAndAreLeftOut)
{
    ThrowingEnder ender;
    GameFiles g;
    g.main += "[interface]\r\nendgoodsound=good.wav\r\nmatchsound=m.wav\r\n";
    g.global += "picture=noback.bmp\r\nturnsound=turn.wav\r\n";
    g.wav(QStringLiteral("sfx/m.wav"));
    g.cards.replace("c2.bmp", "nothere.bmp");
    g.folders.write(QStringLiteral("card/c3.bmp"), "not a picture");
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    const MemState& s = r.s;
    EXPECT_EQ(r.numbers(), QStringLiteral("200,202,206,101,105,110"));
    EXPECT_FALSE(s.ui.ResultSounds);
    EXPECT_TRUE(s.ui.EndGoodSound.isEmpty());
    EXPECT_TRUE(s.ui.TurnSound.isEmpty());
    EXPECT_TRUE(s.memCardHolders[2].Picture.isNull());
}

TEST(FixVariables, APictureNamedByBothCardsOfAPairIsReadAndHeldOnce)
{
    ThrowingEnder ender;
    GameFiles g;
    g.cards = "a\tc0.bmp\r\na\tc0.bmp\r\nb\tgone.bmp\r\nb\tgone.bmp\r\n";
    const qint64 before = pictureBytesHeld();
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    const QImage& first = r.s.memCardHolders[0].Picture;
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.constBits(), r.s.memCardHolders[1].Picture.constBits());
    EXPECT_EQ(pictureBytesHeld() - before, first.sizeInBytes());
    EXPECT_EQ(r.numbers(), QStringLiteral("105,105")); // told for each card that names it
}

TEST(OpenIni, BadBoardsAreReportedNotHung)
{
    ThrowingEnder ender;
    auto run = [](const QByteArray& global, const QByteArray& cards, int* count = nullptr) {
        GameFiles g;
        g.global = global;
        g.cards = cards;
        ReadGame r(g);
        if (count)
            *count = r.s.memCardCount;
        return r.numbers();
    };
    const QByteArray four = "a\tc0.bmp\r\nb\tc1.bmp\r\nc\tc2.bmp\r\nd\tc3.bmp\r\n";
    EXPECT_EQ(run("cardsx=0\r\ncardsy=2\r\n", four), QStringLiteral("11,end"));
    EXPECT_EQ(run("cardsy=2\r\n", four), QStringLiteral("11,end"));
    EXPECT_EQ(run("cardsx=40\r\ncardsy=40\r\ncardwidth=80\r\ncardheight=80\r\n", four), QStringLiteral("16,end"));
    EXPECT_EQ(run("cardsx=19\r\ncardsy=19\r\ncardwidth=80\r\ncardheight=80\r\n", four), QStringLiteral("13,14,12,end"));
    int count = 0;
    EXPECT_EQ(run("cardsx=3\r\ncardsy=1\r\ncardwidth=40\r\ncardheight=40\r\n", four, &count), QStringLiteral("13"));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(run("cardsx=4\r\ncardsy=2\r\ncardwidth=40\r\ncardheight=40\r\n", "a\tc0.bmp\r\nb\tc1.bmp\r\nc\tc2.bmp\r\n", &count),
              QStringLiteral("14"));
    EXPECT_EQ(count, 2);
    // An empty card file is told as such, not blamed on cardsx and cardsy.
    EXPECT_EQ(run("cardsx=2\r\ncardsy=2\r\n", ""), QStringLiteral("17,end"));
}

TEST(OpenIni, GarbageAndHugeFilesAreReadWithTheItemRules)
{
    ThrowingEnder ender;
    GameFiles g;
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i)
        garbage.append(char((i * 7919) % 256));
    g.main = garbage;
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "x\tc" + QByteArray::number(i % 4) + ".bmp\r\n";
    g.cards = many;
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.s.memCardCount, 4);
    EXPECT_EQ(r.s.memPlayers.size(), 1);
}

TEST(FixVariables, ResolutionRowsAndLayout)
{
    EXPECT_EQ(memFindResolution(QSize(1024, 768)).Index, 2);
    const memResolution odd = memFindResolution(QSize(1600, 900));
    EXPECT_EQ(odd.Index, 0);
    EXPECT_EQ(odd.Width, 1600);

    ThrowingEnder ender;
    GameFiles g;
    g.main += "[interface]\r\npictures=bk640.bmp\r\n";
    g.write();
    MemState s;
    ASSERT_TRUE(readGame(s, g.ini(), QSize(1600, 900)));
    EXPECT_EQ(s.ui.Layout.Width, 640);
    EXPECT_EQ(s.ui.Layout.Height, 480);
    EXPECT_EQ(s.ui.OffsetX, 480);
    EXPECT_EQ(s.ui.OffsetY, 210);
    EXPECT_EQ(s.ui.BoardLeft, memDesign::ControlLeft + memDesign::ControlWidth + 16);
    EXPECT_EQ(s.ui.BoardWidth, 640 - s.ui.BoardLeft - 16);
    EXPECT_EQ(s.ui.BoardHeight, 480 - 16 - memDesign::PlayerHeight - 8 - 16);
    EXPECT_EQ(s.ui.GapX, int(std::floor((s.ui.BoardWidth - 80) / 5.0 - 1)));

    // 1024 x 768 with pictures only for rows 0 and 1: the layout goes down to row 1.
    MemState t;
    g.main.replace("pictures=bk640.bmp", "pictures=bk640.bmp\tbk800.bmp");
    g.write();
    ASSERT_TRUE(readGame(t, g.ini(), QSize(1024, 768)));
    EXPECT_EQ(t.ui.Layout.Index, 1);
    EXPECT_EQ(t.ui.OffsetX, 112);

    // Less room than the screen (a title bar, a panel): the layout is cut down to the room and
    // centred in it; the row stays the screen's.
    MemState small;
    memSetDefaultValues(small);
    ASSERT_TRUE(memCheckINI(small, g.ini()) && memOpenINI(small, g.ini()) && memCheckValues(small)
                && memFixVariabels(small, QSize(1024, 768), QSize(1022, 580)));
    EXPECT_EQ(small.ui.Layout.Index, 1);
    EXPECT_EQ(small.ui.Layout.Width, 800);
    EXPECT_EQ(small.ui.Layout.Height, 580);
    EXPECT_EQ(small.ui.OffsetX, 111);
    EXPECT_EQ(small.ui.OffsetY, 0);
    EXPECT_EQ(small.ui.BoardHeight, 580 - 16 - memDesign::PlayerHeight - 8 - 16);

    // No picture at all: the screen itself is the layout.
    MemState u;
    g.main.replace("pictures=bk640.bmp\tbk800.bmp", "");
    g.write();
    ASSERT_TRUE(readGame(u, g.ini(), QSize(1600, 900)));
    EXPECT_EQ(u.ui.Layout.Width, 1600);
    EXPECT_EQ(u.ui.OffsetX, 0);
}

TEST(FixVariables, PlayerNamesAndCounts)
{
    ThrowingEnder ender;
    for (auto [players, expected] : {std::pair{0, 1}, {1, 1}, {4, 4}, {-3, 1}}) {
        GameFiles g;
        g.main = "[players]\r\ndefaultname=Player\r\nplayers=" + QByteArray::number(players) + "\r\n";
        ReadGame r(g);
        ASSERT_TRUE(r.ok);
        ASSERT_EQ(r.s.memPlayers.size(), expected);
        EXPECT_EQ(r.s.memPlayers[0].Name, QStringLiteral("Player 1"));
        EXPECT_EQ(r.s.memPlayers.last().Name, QStringLiteral("Player %1").arg(expected));
    }
    GameFiles g;
    g.main = "[players]\r\nplayers=6\r\n";
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.s.memPlayers.size(), 4);
    EXPECT_EQ(r.numbers(), QStringLiteral("15"));
}

TEST(FixVariables, TheDealIsAPermutation)
{
    MemRandom random;
    for (int count : {1, 2, 16, 400}) {
        random.seed(count);
        QVector<memDisplayCard> display;
        memShuffle(random, display, count);
        QSet<int> seen;
        for (const memDisplayCard& d : display) {
            EXPECT_GE(d.Reference, 0);
            EXPECT_LT(d.Reference, count);
            EXPECT_FALSE(d.Turned);
            seen.insert(d.Reference);
        }
        EXPECT_EQ(seen.size(), count);
    }
    // Different seeds deal differently.
    QVector<memDisplayCard> a, b;
    random.seed(1);
    memShuffle(random, a, 16);
    random.seed(2);
    memShuffle(random, b, 16);
    bool same = true;
    for (int i = 0; i < 16; ++i)
        same = same && a[i].Reference == b[i].Reference;
    EXPECT_FALSE(same);
}

TEST(FixVariables, TextListWithTooFewTexts)
{
    ThrowingEnder ender;
    GameFiles g;
    g.memoryIni += "listfile=list.txt\r\n";
    g.global += "[text list]\r\nactive=1\r\nsound=none.wav\r\nfontname=Times\r\nfontsize=18\r\n";
    g.folders.write(QStringLiteral("card/list.txt"), "cat\tcat.wav\r\ndog\r\n");
    ReadGame r(g);
    ASSERT_TRUE(r.ok);
    const MemState& s = r.s;
    EXPECT_EQ(r.numbers(), QStringLiteral("204,9"));
    EXPECT_EQ(s.ui.TextList.Texts[0].Sound, QStringLiteral("cat.wav"));
    EXPECT_EQ(s.ui.TextList.Texts[1].Text, QStringLiteral("dog"));
    EXPECT_EQ(s.ui.TextList.Font.name, QStringLiteral("Times"));
    EXPECT_EQ(s.ui.TextList.Font.size, 18);
    QSet<int> refs;
    for (const memDisplayCard& d : s.ui.TextList.Display)
        refs.insert(d.Reference);
    EXPECT_EQ(refs.size(), 4);

    QFile::remove(g.folders.path(QStringLiteral("card/list.txt")));
    EXPECT_THROW(readGame(r.s, g.ini()), MemProgramEnd);
}

// Each row of the tables of memory.ini and the main, global and special files reaches the game,
// and a value its kind refuses is found on its line of its file.
TEST(OpenIni, EveryRowReachesTheGameAndAWrongValueIsFound)
{
    GameFiles g;
    g.memoryIni += "special=special.ini\r\n";
    g.write();
    MemState scratch;
    IniFiles none;
    MemReader tables(scratch, none, [](const Finding&) { return true; }, true);
    // What a key needs before it to count. In memory.ini app and debug lead (the first app counts).
    QHash<QString, QByteArray> preludes = {{"players", "namefont=Arial\nscorefont=Arial\n"}, {"", "fontname=Arial\n"},
                                           {"text list", "active=1\nfontname=Arial\n"}};
    for (const char* counter : {"timer", "countdown", "cards made", "cards left", "tries made", "tries left"})
        preludes[counter] = "active=1\norder=1\n";
    for (const auto& [file, table] : {std::pair{"memory.ini", tables.iniTable(true)}, {"data/main.ini", tables.mainTable()},
                                      {"data/global.ini", tables.globalTable()}, {"data/special.ini", tables.specialTable()}}) {
        const bool ini = file == std::string("memory.ini");
        QVector<KeyCase> cases = keyCases(table, {g.dir("gfx"), g.dir("sfx")}, {{"app", {"memory", "match"}}});
        cases.removeIf([](const KeyCase& c) { return c.section == "splash screen"; }); // it acts; it fills nothing
        expectEveryRowReads(cases, g.folders.path(file), [&](const KeyCase& c, const QString& value, QVector<Finding>& found, int& line) {
            const QByteArray key = c.lines(value, ini ? QByteArray() : preludes.value(c.section));
            const QByteArray before = ini && !c.section.isEmpty() ? g.memoryIni : QByteArray();
            line = int((before + key).count('\n'));
            g.folders.write(file, before + key + (ini && c.section.isEmpty() ? g.memoryIni : QByteArray()));
            MemState s;
            IniFiles files;
            MemReader r(s, files, [&found](const Finding& f) { return found.append(f), true; }, true);
            r.readIni(g.ini(), true) && r.readMain() && r.readGlobal() && r.readSpecial();
            g.write();
            return std::tuple(s.ui, s.classroom, s.intAppType, r.iniDebug);
        });
    }
}
