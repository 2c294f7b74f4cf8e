// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "testsupport/testsupport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A small game on disk: memory.ini naming folders gfx, sfx, data and card under the test folder,
// and main, global and card files the test fills in.
struct GameFiles {
    TestFolders folders;
    QByteArray memoryIni;
    QByteArray main = "[players]\r\nplayers=2\r\ndefaultname=Player\r\n";
    QByteArray global = "cardsx=2\r\ncardsy=2\r\ncardwidth=40\r\ncardheight=40\r\n";
    QByteArray cards = "a\tc0.bmp\r\nb\tc1.bmp\r\nc\tc2.bmp\r\nd\tc3.bmp\r\n";

    GameFiles()
    {
        memoryIni = "app=memory\r\n[paths]\r\ngfx=" + dir("gfx") + "\r\nsfx=" + dir("sfx") + "\r\ndata=" + dir("data")
                    + "\r\ncard=" + dir("card") + "\r\n[gamefiles]\r\nmain=main.ini\r\nglobal=global.ini\r\ncards=cards.txt\r\n";
        for (const char* f : {"gfx", "sfx", "data", "card"})
            folders.mkdir(QString::fromLatin1(f));
        for (int i = 0; i < 4; ++i)
            folders.write(QStringLiteral("card/c%1.bmp").arg(i), pictureBytes("BMP"));
    }
    QByteArray dir(const char* name) const { return (folders.path(QString::fromLatin1(name)) + QLatin1Char('/')).toUtf8(); }
    QString ini() const { return folders.path(QStringLiteral("memory.ini")); }
    void write()
    {
        folders.write(QStringLiteral("memory.ini"), memoryIni);
        folders.write(QStringLiteral("data/main.ini"), main);
        folders.write(QStringLiteral("data/global.ini"), global);
        folders.write(QStringLiteral("data/cards.txt"), cards);
    }
    void wav(const QString& relative) { folders.write(relative, wavBytes()); }
    static QByteArray wavBytes();
};

// The sample games as they are installed: the default memory.ini and each game under games/.
QStringList sampleGames();
