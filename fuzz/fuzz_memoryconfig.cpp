// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// The memory game's configuration family: memory.ini and the main, global, special, card and list
// files.
// The sample games are copied in once; the first byte chooses which of their files the input
// replaces, so every run reaches the reader of that file with the others intact.
#include "fuzzsupport.h"
#include "memory/memconfig.h"
#include "memory/memerrors.h"
#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {
void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        QFile::copy(file, target);
    }
}

const char* const kTargets[] = {"memory.ini", "games/pairs/main.ini", "games/pairs/global.ini", "games/pairs/cards.txt",
                                "games/words/list.txt", "games/four/main.ini", "games/pairs/special.ini"};
QString root() { return fuzzFolder() + QStringLiteral("/game"); }

constexpr int kSpecial = 6;

// No sample game has a special file, so the pairs game gets one here.
const QByteArray kSpecialFile = "[interface]\r\npictures=\t\tbk1024.bmp\r\nbackcolor=&H804020\r\n";

void writeMemoryIni()
{
    QFile in(QStringLiteral(SAMPLE_GAMES "/memory.ini"));
    QFile out(root() + QStringLiteral("/memory.ini"));
    if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly))
        out.write(in.readAll() + "\r\nspecial=special.ini\r\n");
}

// The sample file the input stood in for, back in place for the next run.
void restore(int which)
{
    const QString target = root() + QLatin1Char('/') + QLatin1String(kTargets[which]);
    if (which == 0) {
        writeMemoryIni();
        return;
    }
    if (which == kSpecial) {
        fuzzWrite(QStringLiteral("game/") + QLatin1String(kTargets[which]), kSpecialFile);
        return;
    }
    const QString source = which == 0 ? QStringLiteral(SAMPLE_GAMES "/memory.ini")
                                      : QStringLiteral(SAMPLE_GAMES) + QLatin1Char('/') + QLatin1String(kTargets[which]).mid(6);
    QFile::remove(target);
    QFile::copy(source, target);
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInit();
    setMemEnder(memThrowingEnder);
    QDir().mkpath(root() + QStringLiteral("/games"));
    copyTree(QStringLiteral(SAMPLE_GAMES), root() + QStringLiteral("/games"));
    writeMemoryIni();
    restore(kSpecial);
    setAppFolderForTests(root());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int which = data[0] % int(std::size(kTargets));
    const QByteArray bytes = fuzzConfined(data + 1, size - 1);
    fuzzWrite(QStringLiteral("game/") + QLatin1String(kTargets[which]), bytes);
    // The list file belongs to the words game, the rest to the game memory.ini names.
    const QString config = which == 4 ? root() + QStringLiteral("/games/words/memory.ini")
                         : which == 5 ? root() + QStringLiteral("/games/four/memory.ini")
                                      : root() + QStringLiteral("/memory.ini");
    MemState s;
    try {
        memSetDefaultValues(s);
        if (memCheckINI(s, config) && memOpenINI(s, config) && memCheckValues(s))
            memFixVariabels(s, QSize(1024, 768));
    } catch (const MemProgramEnd&) {
        // A fatal configuration problem ends the program after its message: an orderly end.
    }
    restore(which);
    return 0;
}
