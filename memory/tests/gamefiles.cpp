// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "gamefiles.h"

#include <QDataStream>
#include <QDir>

QByteArray GameFiles::wavBytes()
{
    // 0.05 s of silence, 8 kHz mono 8-bit.
    const int samples = 400;
    QByteArray b;
    QDataStream out(&b, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(8000) << quint16(1) << quint16(8);
    out.writeRawData("data", 4);
    out << quint32(samples);
    b.append(QByteArray(samples, char(0x80)));
    return b;
}

QStringList sampleGames()
{
    QStringList games = {QStringLiteral(SAMPLE_DIR "/memory.ini")};
    const QDir folder(QStringLiteral(SAMPLE_DIR "/games"));
    for (const QString& game : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (QFileInfo::exists(folder.filePath(game + QStringLiteral("/memory.ini"))))
            games << folder.filePath(game + QStringLiteral("/memory.ini"));
    return games;
}
