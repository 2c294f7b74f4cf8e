// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/inireader.h"

#include "testsupport/testsupport.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

TEST(IniReader, ItemsSplitAtCommasLineEndsAndQuotes)
{
    using Items = QStringList;
    const std::pair<QByteArray, Items> cases[] = {
        // CR LF, lone CR and lone LF all end a line; blank lines and leading blanks yield nothing.
        {"a=1\r\n\r\n  b=2\rc=3\n\t d = x, y\nx=1,5\n", {"a=1", "b=2", "c=3", "d = x", "y", "x=1", "5"}},
        // A quoted item keeps its commas and drops the rest of its line.
        {"\"text=Hello, world\" trailing, next\nlast=1", {"text=Hello, world", "next", "last=1"}},
        // A quote that never closes takes the rest of the file, but does not hang.
        {"\"open=1\nmore", {"open=1\nmore"}},
        // A NUL byte is data, not an end, in every part of an item.
        {QByteArray("x\n\0y", 4), {"x", QString(QChar(0)) + "y"}},
        {QByteArray("\"a\0b\"", 5), {QString("a") + QChar(0) + "b"}},
        {QByteArray("\"a\" x\0y\nnext", 12), {"a", "next"}},
    };
    for (const auto& [bytes, items] : cases)
        EXPECT_EQ(IniReader::itemsOf(bytes), items) << bytes.toStdString();
}

TEST(IniReader, FileReaderCountsLinesAndDecodesCp1252)
{
    TestFolders folders;
    folders.write("a.ini", QByteArray("[s]\r\nname=\xe5\xe4\xf6\r\n\r\n\r\nlast=\x80"));
    IniReader reader;
    ASSERT_TRUE(reader.open(folders.path("a.ini")));
    EXPECT_EQ(reader.readItem(), "[s]");
    EXPECT_EQ(reader.itemLine(), 1);
    EXPECT_EQ(reader.readItem(), QString::fromUtf8("name=åäö"));
    EXPECT_EQ(reader.itemLine(), 2);
    EXPECT_EQ(reader.readItem(), QString::fromUtf8("last=€"));
    EXPECT_EQ(reader.itemLine(), 5);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readItem(), QString());
}

TEST(IniReader, ValidUtf8WithNonAsciiIsReadAsUtf8)
{
    TestFolders folders;
    folders.write("u.ini", QString::fromUtf8("name=Åsa").toUtf8());
    IniReader reader;
    ASSERT_TRUE(reader.open(folders.path("U.INI"))); // found without regard to case
    EXPECT_EQ(reader.readItem(), QString::fromUtf8("name=Åsa"));
    EXPECT_FALSE(reader.open(folders.path("missing.ini")));
}

// As Notepad's "Unicode" and a spreadsheet's "Unicode text" write them, held and streamed.
TEST(IniReader, Utf16WithAByteOrderMarkIsReadAsItsText)
{
    TestFolders folders;
    const QString text = QString::fromUtf8("[s]\r\nname=Åsa\tdog.gif\r\n\r\nlast=€ 😀");
    const QByteArray pad = "\r\npad=" + QByteArray(3 * 1024 * 1024, 'x');
    for (const auto& [name, encoding] : {std::pair{"le.ini", QStringConverter::Utf16LE}, std::pair{"be.ini", QStringConverter::Utf16BE}})
        for (const bool large : {false, true}) {
            SCOPED_TRACE(std::string(name) + (large ? " streamed" : " held"));
            folders.write(name, QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text + (large ? pad : "")));
            IniReader reader;
            ASSERT_TRUE(reader.open(folders.path(name)));
            EXPECT_EQ(reader.held(), !large);
            EXPECT_EQ(reader.readItem(), "[s]");
            EXPECT_EQ(reader.readItem(), QString::fromUtf8("name=Åsa\tdog.gif"));
            EXPECT_EQ(reader.itemLine(), 2);
            EXPECT_EQ(reader.readItem(), QString::fromUtf8("last=€ 😀"));
            EXPECT_EQ(reader.itemLine(), 4);
            if (large) {
                EXPECT_EQ(reader.readItem().size(), pad.size() - 2);
            }
            EXPECT_TRUE(reader.atEnd());
        }
}

// Files up to 4 MB are held (and kept by IniFiles); larger ones are streamed, an item of ten
// megabytes with NUL and 0xFF in it still read in one pass.
TEST(IniReader, SmallFilesAreHeldAndLongItemsStreamedWhole)
{
    TestFolders folders;
    folders.write("four.ini", "k=" + QByteArray(4 * 1024 * 1024 - 2, 'x'));
    QByteArray line = "key=" + QByteArray(10 * 1024 * 1024, 'x');
    line[5000] = '\0';
    line[6000] = char(0xFF);
    folders.write("long.ini", line + "\r\nnext=1\r\n");
    IniReader reader;
    ASSERT_TRUE(reader.open(folders.path("four.ini")));
    EXPECT_TRUE(reader.held());
    IniFiles files;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(files.open(reader, folders.path("four.ini"))) << i; // the second time from memory
        EXPECT_TRUE(reader.held());
        EXPECT_EQ(reader.readItem().size(), 4 * 1024 * 1024);
    }
    EXPECT_FALSE(files.open(reader, folders.path("missing.ini")));
    ASSERT_TRUE(reader.open(folders.path("long.ini")));
    EXPECT_FALSE(reader.held());
    EXPECT_EQ(reader.readItem().size(), line.size());
    EXPECT_EQ(reader.readItem(), "next=1");

    const QByteArray big = "k=" + QByteArray(10 * 1024 * 1024, 'x') + "\nnext=1";
    const QStringList items = IniReader::itemsOf(big);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].size(), 10 * 1024 * 1024 + 2);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(i * 37));
    EXPECT_NO_FATAL_FAILURE(IniReader::itemsOf(binary));
}

TEST(LineFunctions, SectionsKeysAndValues)
{
    EXPECT_TRUE(fioIsSection("  [paths]  "));
    EXPECT_TRUE(fioIsSection("[]"));
    EXPECT_EQ(fioGetSection("  [paths]"), "paths");
    EXPECT_EQ(fioGetSection("[splash screen]"), "splash screen");
    EXPECT_FALSE(fioIsSection("[paths"));
    EXPECT_EQ(fioGetKey("[paths"), "[paths");
    EXPECT_EQ(fioGetValue("[paths"), "");
    EXPECT_EQ(fioGetSection("[]"), "");

    EXPECT_EQ(fioGetKey("Name Font = Arial"), "NameFont");
    EXPECT_EQ(fioGetValue("Name Font = Arial"), " Arial");
    EXPECT_EQ(fioGetKey("a\tb=1"), "a\tb"); // tabs stay in keys
    EXPECT_EQ(fioGetKey("a=b=c"), "a");
    EXPECT_EQ(fioGetValue("a=b=c"), "b=c");
    EXPECT_EQ(fioGetKey("=x"), "");
    EXPECT_EQ(fioGetValue("=x"), "x");
    EXPECT_EQ(fioGetKey(";comment=1"), "");
    EXPECT_EQ(fioGetKey("no equals here"), "noequalshere");
    EXPECT_EQ(fioGetValue("no equals here"), "");
}
