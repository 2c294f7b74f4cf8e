// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include "platform/soundbackend.h"

#include <QtGlobal>

// The kinds of samples a WAV file may store that are played: plain whole numbers and floating
// point, and the compressed kinds every Windows plays without an extra codec (old sound
// recorders and theme collections wrote them to save room). Anything else (MP3, GSM, ...) is
// refused by name.
enum WavFormat : int {
    kWavPcm = 1,
    kWavMsAdpcm = 2,
    kWavFloat = 3,
    kWavALaw = 6,
    kWavMuLaw = 7,
    kWavImaAdpcm = 0x11,
};

// The block-coded kinds keep their samples in blocks that each start afresh; blockAlign is then
// the bytes of a block and samplesPerBlock the frames of a whole one.
bool isBlockCoded(int formatTag);

// The frames a block holds at most, as its size and channels allow; 0 when a block of that size
// cannot hold even its header.
int framesInBlock(int formatTag, int channels, qint64 blockBytes);

// The most coefficient pairs an MS ADPCM header may carry.
constexpr int kMaxAdpcmCoefs = 256;

// Whether the layout can be decoded without reading outside a frame or a block.
bool decodable(const PcmLayout& layout);

// The frames the file's samples hold: whole frames, or the blocks' frames (the last block may
// be cut short) limited by the count the file's "fact" chunk gives.
qint64 storedFrames(const PcmLayout& layout);

// One 8-bit G.711 sample of an A-law or mu-law file, as a 16-bit value.
qint16 g711Sample(int formatTag, uchar byte);

// Decodes one block of an ADPCM file (bytes may be fewer than blockAlign, for the last one) into
// out, frames by channels, interleaved; out holds samplesPerBlock frames. Returns the frames
// decoded; a block whose header is impossible gives none.
int decodeAdpcmBlock(const PcmLayout& layout, const uchar* block, qint64 bytes, qint16* out);

// The name a theme writer knows a compressed kind of samples by, or empty.
QString wavFormatName(int formatTag);
