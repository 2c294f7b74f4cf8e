#include "picturecompare.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr int kCompareSide = 96;
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
    const QImage x = onWhite(ours).copy(a).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = onWhite(reference).copy(b).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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
