// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "art.h"
#include "gifwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "themegen: %s\n", qPrintable(what));
    std::exit(1);
}
}

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        fail(QStringLiteral("cannot create folder ") + path);
}

void saveImage(const QString& path, const QImage& image)
{
    makeFolder(QFileInfo(path).path());
    const QString ext = QFileInfo(path).suffix().toUpper();
    QImage out = image;
    if (ext == QLatin1String("BMP") || ext == QLatin1String("JPG"))
        out = image.convertToFormat(QImage::Format_RGB32);
    if (ext == QLatin1String("GIF")) {
        writeText(path, gifBytes(out));
        return;
    }
    if (!out.save(path, nullptr, ext == QLatin1String("JPG") ? 95 : -1))
        fail(QStringLiteral("cannot write ") + path);
}

void savePicture(const QString& path, int w, int h, const QColor& background,
                 const std::function<void(QPainter&)>& draw)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(background);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    saveImage(path, img);
}

QImage buttonFace(int w, int h, const QColor& base, const QString& caption, Face face,
                  const std::function<void(QPainter&, QRect)>& icon)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(QColor(0xF4, 0xE9, 0xD0));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor top = base.lighter(140), bottom = base.darker(115);
    if (face == Face::Highlight) {
        top = base.lighter(170);
        bottom = base.lighter(105);
    } else if (face == Face::Down) {
        std::swap(top, bottom);
    } else if (face == Face::Inactive) {
        const int g = qGray(base.rgb());
        top = QColor(g, g, g).lighter(150);
        bottom = QColor(g, g, g).lighter(110);
    }
    const QRectF r = QRectF(2, 2, w - 4, h - 4).translated(face == Face::Down ? 1 : 0, face == Face::Down ? 1 : 0);
    QLinearGradient grad(r.topLeft(), r.bottomLeft());
    grad.setColorAt(0, top);
    grad.setColorAt(1, bottom);
    p.setBrush(grad);
    p.setPen(QPen(face == Face::Current ? QColor(0xE0, 0x20, 0x20) : base.darker(160), face == Face::Current ? 4 : 2));
    p.drawRoundedRect(r, 12, 12);
    const QColor ink = face == Face::Inactive ? QColor(0x90, 0x90, 0x90) : QColor(0x20, 0x20, 0x30);
    QRect iconRect = r.toRect().adjusted(8, 6, -8, caption.isEmpty() ? -6 : -22);
    if (icon && h > 50)
        icon(p, iconRect);
    if (!caption.isEmpty()) {
        // Under its icon on a large face; alone, in the middle, so no half of the face is empty.
        const bool underIcon = icon && h > 50;
        QFont f(QStringLiteral("Liberation Sans"), underIcon ? 11 : 13, QFont::Bold);
        p.setFont(f);
        p.setPen(ink);
        const QRect textRect = underIcon ? QRect(0, h - 26, w, 22) : QRect(0, 0, w, h);
        p.drawText(textRect.translated(face == Face::Down ? 1 : 0, face == Face::Down ? 1 : 0), Qt::AlignCenter, caption);
    }
    return img;
}

void saveWav(const QString& path, const std::vector<Note>& notes, double volume)
{
    const int rate = 22050;
    QByteArray pcm;
    for (const Note& n : notes) {
        const int samples = rate * n.ms / 1000;
        const int fade = std::min(samples / 4, rate / 200);
        for (int i = 0; i < samples; ++i) {
            double env = 1.0;
            if (i < fade)
                env = double(i) / fade;
            else if (i > samples - fade)
                env = double(samples - i) / fade;
            const double t = double(i) / rate;
            const double v = n.hz > 0 ? volume * env * (std::sin(2 * M_PI * n.hz * t) + 0.3 * std::sin(4 * M_PI * n.hz * t)) / 1.3 : 0;
            const qint16 s = qint16(std::lround(v * 32767));
            pcm.append(char(s & 0xFF));
            pcm.append(char((s >> 8) & 0xFF));
        }
    }
    auto le32 = [](QByteArray& b, quint32 v) { for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF)); };
    auto le16 = [](QByteArray& b, quint16 v) { b.append(char(v & 0xFF)); b.append(char(v >> 8)); };
    QByteArray wav("RIFF");
    le32(wav, 36 + pcm.size());
    wav.append("WAVEfmt ");
    le32(wav, 16);
    le16(wav, 1);
    le16(wav, 1);
    le32(wav, rate);
    le32(wav, rate * 2);
    le16(wav, 2);
    le16(wav, 16);
    wav.append("data");
    le32(wav, pcm.size());
    wav.append(pcm);
    writeText(path, wav);
}

void writeText(const QString& path, const QByteArray& bytes)
{
    makeFolder(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
}
