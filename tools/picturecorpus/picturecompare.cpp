// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "picturecompare.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr int kCompareSide = 64;

// Each pixel the mean of its 3 x 3 neighbourhood, so that a shift by a pixel counts little.
QImage softened(const QImage& img)
{
    QImage out(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = std::clamp(x + dx, 0, img.width() - 1), sy = std::clamp(y + dy, 0, img.height() - 1);
                    const QRgb c = img.pixel(sx, sy);
                    r += qRed(c), g += qGreen(c), b += qBlue(c), ++n;
                }
            out.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    return out;
}
}

QImage onWhite(const QImage& image)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

QRect contentRect(const QImage& image)
{
    const QImage flat = onWhite(image);
    int left = flat.width(), right = -1, top = flat.height(), bottom = -1;
    for (int y = 0; y < flat.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb c = row[x];
            if (255 - std::min({qRed(c), qGreen(c), qBlue(c)}) > 24) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

double pictureDifference(const QImage& ours, const QImage& reference)
{
    const QRect a = contentRect(ours), b = contentRect(reference);
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (a.isEmpty() || b.isEmpty())
        return 100;
    const QSize size = b.size().scaled(kCompareSide, kCompareSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage x = softened(onWhite(ours).copy(a).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    const QImage y = softened(onWhite(reference).copy(b).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    double sum = 0;
    for (int row = 0; row < size.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < size.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return 100.0 * sum / (3.0 * 255 * size.width() * size.height());
}

PixelDifference pixelDifference(const QImage& ours, const QImage& reference, int tolerance)
{
    PixelDifference d;
    d.pixels = qint64(reference.width()) * reference.height();
    if (ours.size() != reference.size()) {
        d.largest = 255;
        d.differing = d.pixels;
        return d;
    }
    const QImage a = onWhite(ours), b = onWhite(reference);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int m = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
            d.largest = std::max(d.largest, m);
            d.differing += m > tolerance;
        }
    return d;
}
