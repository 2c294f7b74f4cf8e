// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>

// A corpus of broken files, made fresh for each test: truncated and corrupted pictures, lying
// headers, empty files, text named .wav, folders where files should be. Returns the names made
// in folder.
struct BrokenFile {
    QString name;
    QString what;  // a few words for test failures
    QString cause = {}; // words the reader's refusal must hold; empty when the file is read
};
QList<BrokenFile> makeBrokenPictures(const QString& folder);
QList<BrokenFile> makeBrokenSounds(const QString& folder);
// A configuration file of about megabytes MB: a valid first line, then long lines of noise.
void makeHugeConfiguration(const QString& path, const QByteArray& firstLine, int megabytes);
