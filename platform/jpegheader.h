// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QSize>

class QIODevice;

// What the markers of a JPEG file say, read before it is decoded. A progressive JPEG is drawn
// again by every scan it holds, so a small file that repeats its last scan thousands of times
// keeps a decoder busy for minutes; its scans are counted here first.
struct JpegHeader {
    bool isJpeg = false;      // starts with the start-of-image marker
    QSize size;               // from the first frame header; invalid when there is none
    bool progressive = false;
    int scans = 0;            // start-of-scan markers, counted up to kMaxJpegScans + 1
};

// More scans than any encoder writes (a progressive photo has about ten).
constexpr int kMaxJpegScans = 100;

// Walks the markers and the scans between them from the device's start; leaves the device at
// its start again.
JpegHeader readJpegHeader(QIODevice& device);
