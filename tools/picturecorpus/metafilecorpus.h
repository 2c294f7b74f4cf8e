// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Small metafiles written by the project's own writer, one for each record or group of records
// the player plays, each on a page of 2000 x 1500 logical units that is 200 x 150 pixels.
struct MetafileSample {
    QString name; // a file name, "text-align.wmf"
    QString what; // the records it shows
    QByteArray bytes;
};
QList<MetafileSample> metafileSamples();
