#include "gifwriter.h"

#include <QHash>
#include <QVector>

namespace {
void le16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

// Index of the nearest palette colour.
int nearest(const QVector<QRgb>& palette, QRgb c)
{
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]), db = qBlue(c) - qBlue(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}
}

QByteArray gifBytes(const QImage& source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    QVector<QRgb> palette;
    QHash<QRgb, int> index;
    bool fits = true;
    for (int y = 0; y < h && fits; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            if (!index.contains(c)) {
                if (palette.size() == 256) {
                    fits = false;
                    break;
                }
                index.insert(c, palette.size());
                palette.push_back(c);
            }
        }
    if (!fits) {
        palette.clear();
        index.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(qRgb(r * 51, g * 255 / 6, b * 51));
    }
    while (palette.size() < 256)
        palette.push_back(qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    le16(out, w);
    le16(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(',');
    le16(out, 0);
    le16(out, 0);
    le16(out, w);
    le16(out, h);
    out.append(char(0));
    out.append(char(8)); // minimum code size

    // LZW without compression: a clear code before every 254 pixels keeps codes at 9 bits.
    QByteArray codes;
    quint32 bits = 0;
    int nbits = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << nbits;
        nbits += 9;
        while (nbits >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            nbits -= 8;
        }
    };
    int run = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (run == 0)
                put(256);
            const QRgb c = img.pixel(x, y) | 0xFF000000;
            put(fits ? index.value(c) : nearest(palette, c));
            run = (run + 1) % 254;
        }
    put(257);
    if (nbits > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}
