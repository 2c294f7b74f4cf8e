#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Windows metafiles (placeable, or plain with a window extent), played onto a white image with
// QPainter. Records this player does not know are skipped; every size and count in the file is
// checked against the bytes that are really there.
//
// A placeable metafile is painted at 96 pixels to the inch of its bounding box (15 twips a
// pixel); a plain one at one pixel per logical unit of its first window extent.
QImage wmfRead(const QByteArray& bytes, QString* error = nullptr);

// Largest side of a painted metafile, in pixels; larger ones are refused.
constexpr int kWmfMaxSide = 4096;
constexpr int kWmfPixelsPerInch = 96;
