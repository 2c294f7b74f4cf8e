// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

// Qt reads most bitmaps right. What it gets wrong is handled here: the OS/2 headers (16-bit sizes,
// headers of any length from 16 to 64 bytes), colour masks (any width, scaled so that a full
// channel is 255), and pixels that run-length coding skips (Qt leaves them as whatever memory
// held; here they take the first colour of the colour table, as in a bitmap Windows makes).

// What a BMP file's header says, read before decoding.
struct BmpHeader {
    bool isBmp = false;        // the file starts with "BM"
    QSize size;                // in pixels; invalid when the header is too short to say
    QString problem;           // why no bitmap looks like this, in words; empty when one can
    qint64 promisedBytes = 0;  // bytes the file must hold to have all its pixels

    int headerSize = 0;
    int bits = 0;
    quint32 compression = 0;
    bool topDown = false;
    bool os2 = false;          // an OS/2 2.x header (16 to 64 bytes)
    quint32 masks[4] = {};     // red, green, blue, alpha, for 16 and 32 bits per pixel
    qint64 tableAt = 0;        // where the colour table begins
    int tableEntries = 0;
    int entrySize = 4;
    qint64 pixelsAt = 0;       // where the pixels begin
};

// Enough of a file to read every kind of header with its colour masks.
constexpr int kBmpHeadBytes = 14 + 124 + 16;

BmpHeader bmpHeader(const QByteArray& head);

// Reads the bitmap that reader is set up for (its device at the start of a file whose header is
// header, its scaled size if any). A null image when it cannot.
QImage bmpRead(QImageReader& reader, const BmpHeader& header);

// A whole BMP file held in memory; null with why set when it is not a readable bitmap.
QImage bmpFromBytes(const QByteArray& file, QString* why = nullptr);

// A bitmap as programs embed it (header, colour table, pixels) made into a BMP file: the file
// header says where the pixels begin. Empty when the header cannot be read.
QByteArray bmpFileFromDib(const QByteArray& dib);
