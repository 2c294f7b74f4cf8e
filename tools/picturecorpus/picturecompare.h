#pragma once
#include <QImage>
#include <QRect>

// How far a drawing is from a reference drawing of the same picture, in percent (0 the same,
// 100 as far apart as black from white everywhere). Both are put on white, cut to what they
// show, brought to one small size and compared pixel by pixel: a shift of a pixel or another
// smoothing of a font counts little, a missing, misplaced or wrongly coloured part much. Two
// empty pictures are the same; one empty and one not are 100 apart.
double pictureDifference(const QImage& ours, const QImage& reference);

// The part of a picture that is not white, after putting it on white.
QRect contentRect(const QImage& image);
QImage onWhite(const QImage& image);
