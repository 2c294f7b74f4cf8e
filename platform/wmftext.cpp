// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/textcodec.h"
#include "platform/wmf.h"
#include "platform/wmfplayer.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringDecoder>
#include <QtMath>
#include <cmath>

namespace wmf {

namespace {

enum : int { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };
enum : int { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_GLYPH_INDEX = 0x0010, ETO_PDY = 0x2000 };

// The Symbol font's bytes from 0x20 on, as Unicode (0: nothing there).
const char16_t kSymbol[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

// Wingdings from 0x20 on: the sign itself where a common font has it, else the nearest sign
// that one has (a plain check mark for the boxed one, arrows for the ornate arrows).
const char32_t kWingdings[224] = {
    0x0020, 0x270E, 0x2702, 0x2701, 0x1F453, 0x1F56D, 0x1F56E, 0x1F56F, 0x260E, 0x2706, 0x2709, 0x1F583, 0x1F4EA, 0x1F4EB, 0x1F4EC, 0x1F4ED,
    0x1F4C1, 0x1F4C2, 0x1F4C4, 0x1F5CF, 0x1F5D0, 0x1F5C4, 0x231B, 0x1F5AE, 0x1F5B0, 0x1F5B2, 0x1F5B3, 0x1F5B4, 0x1F5AB, 0x1F5AC, 0x2707, 0x270D,
    0x1F58E, 0x270C, 0x1F44C, 0x1F44D, 0x1F44E, 0x261C, 0x261E, 0x261D, 0x261F, 0x1F590, 0x263A, 0x1F610, 0x2639, 0x1F4A3, 0x2620, 0x2690,
    0x2691, 0x2708, 0x263C, 0x1F4A7, 0x2744, 0x271D, 0x271E, 0x1F548, 0x2720, 0x2721, 0x262A, 0x262F, 0x0950, 0x2638, 0x2648, 0x2649,
    0x264A, 0x264B, 0x264C, 0x264D, 0x264E, 0x264F, 0x2650, 0x2651, 0x2652, 0x2653, 0x1F670, 0x1F675, 0x25CF, 0x274D, 0x25A0, 0x25A1,
    0x25FB, 0x2751, 0x2752, 0x2B27, 0x29EB, 0x25C6, 0x2756, 0x2B25, 0x2327, 0x2BB9, 0x2318, 0x273F, 0x2740, 0x201C, 0x201D, 0,
    0x24EA, 0x2460, 0x2461, 0x2462, 0x2463, 0x2464, 0x2465, 0x2466, 0x2467, 0x2468, 0x2469, 0x24FF, 0x2776, 0x2777, 0x2778, 0x2779,
    0x277A, 0x277B, 0x277C, 0x277D, 0x277E, 0x277F, 0x2766, 0x2766, 0x2766, 0x2766, 0x2767, 0x2767, 0x2767, 0x2767, 0x00B7, 0x2022,
    0x25AA, 0x25CB, 0x25CB, 0x25CB, 0x25C9, 0x25CE, 0x25CC, 0x25AA, 0x25FB, 0x25B4, 0x2726, 0x2605, 0x2736, 0x2734, 0x2739, 0x2735,
    0x2BD0, 0x2316, 0x27E1, 0x2311, 0x2BD1, 0x272A, 0x2730, 0x25F7, 0x25F7, 0x25F7, 0x25F7, 0x25F7, 0x25F7, 0x25F7, 0x25F7, 0x25F7,
    0x25F7, 0x25F7, 0x25F7, 0x2BB0, 0x2BB1, 0x2BB2, 0x2BB3, 0x2BB4, 0x2BB5, 0x2BB6, 0x2BB7, 0x2766, 0x2766, 0x2766, 0x2766, 0x2766,
    0x2766, 0x2766, 0x2766, 0x2766, 0x2766, 0x232B, 0x2326, 0x25C0, 0x25B6, 0x25B2, 0x25BC, 0x25C0, 0x25B6, 0x25B2, 0x25BC, 0x2190,
    0x2192, 0x2191, 0x2193, 0x2196, 0x2197, 0x2199, 0x2198, 0x2B05, 0x27A1, 0x2B06, 0x2B07, 0x2B09, 0x2B08, 0x2B0B, 0x2B0A, 0x21E6,
    0x21E8, 0x21E7, 0x21E9, 0x2B04, 0x21F3, 0x2B00, 0x2B01, 0x2B03, 0x2B02, 0x25AD, 0x25AF, 0x2717, 0x2714, 0x2612, 0x2611, 0x229E,
};

enum class Signs { None, Symbol, Wingdings };

Signs signsOf(const Font& f)
{
    const QByteArray face = f.face.toLower();
    if (face == "symbol")
        return Signs::Symbol;
    if (face.startsWith("wingdings"))
        return Signs::Wingdings;
    return Signs::None;
}

const char* codecOf(int charset)
{
    switch (charset) {
    case 77: return "macintosh";
    case 128: return "Shift_JIS";
    case 129: return "windows-949";
    case 134: return "GBK";
    case 136: return "Big5";
    case 161: return "windows-1253";
    case 162: return "windows-1254";
    case 163: return "windows-1258";
    case 177: return "windows-1255";
    case 178: return "windows-1256";
    case 186: return "windows-1257";
    case 204: return "windows-1251";
    case 222: return "windows-874";
    case 238: return "windows-1250";
    case 255: return "IBM437";
    default: return nullptr; // ANSI and the rest: Windows-1252
    }
}

bool canDrawText()
{
    // Fonts need a GUI application; a tool that only has a core one gets the picture without text.
    return QCoreApplication::instance() && QCoreApplication::instance()->inherits("QGuiApplication");
}

} // namespace

std::vector<TextUnit> decodeText(const QByteArray& bytes, const Font& f)
{
    std::vector<TextUnit> units;
    const Signs signs = signsOf(f);
    if (signs != Signs::None) {
        for (const char c : bytes) {
            const int i = quint8(c) - 0x20;
            const char32_t u = i < 0 ? 0x20 : signs == Signs::Symbol ? kSymbol[i] : kWingdings[i];
            units.push_back({u ? QString::fromUcs4(&u, 1) : QStringLiteral(" "), 1});
        }
        return units;
    }
    const char* name = codecOf(f.charset);
    QStringDecoder decoder(name ? name : "windows-1252");
    if (!name || !decoder.isValid()) {
        for (const char c : bytes)
            units.push_back({decodeCp1252(QByteArray(1, c)), 1});
        return units;
    }
    // Byte by byte, so that a character of two bytes counts both of their spacings.
    int pending = 0;
    for (const char c : bytes) {
        ++pending;
        const QString out = decoder.decode(QByteArrayView(&c, 1));
        if (!out.isEmpty()) {
            units.push_back({out, pending});
            pending = 0;
        }
    }
    return units;
}

// The Liberation fonts are made to the measures of Arial, Times New Roman and Courier New.
QString familyFor(const Font& f)
{
    static const QStringList installed = QFontDatabase::families();
    static const struct {
        const char* face;
        const char* families[3];
    } kFaces[] = {
        {"arial", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
        {"helvetica", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
        {"helv", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
        {"ms sans serif", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
        {"microsoft sans serif", {"Liberation Sans", "Nimbus Sans", "DejaVu Sans"}},
        {"tahoma", {"Liberation Sans", "DejaVu Sans", "Nimbus Sans"}},
        {"segoe ui", {"Liberation Sans", "DejaVu Sans", "Nimbus Sans"}},
        {"calibri", {"Carlito", "Liberation Sans", "DejaVu Sans"}},
        {"verdana", {"DejaVu Sans", "Liberation Sans", "Nimbus Sans"}},
        {"arial narrow", {"Liberation Sans Narrow", "Nimbus Sans Narrow", "Liberation Sans"}},
        {"times new roman", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif"}},
        {"times", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif"}},
        {"tms rmn", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif"}},
        {"ms serif", {"Liberation Serif", "Nimbus Roman", "DejaVu Serif"}},
        {"cambria", {"Caladea", "Liberation Serif", "DejaVu Serif"}},
        {"georgia", {"Liberation Serif", "DejaVu Serif", "Nimbus Roman"}},
        {"courier new", {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"}},
        {"courier", {"Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono"}},
        {"lucida console", {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS"}},
        {"consolas", {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS"}},
        {"symbol", {"Standard Symbols PS", "DejaVu Sans", "Liberation Serif"}},
        {"wingdings", {"DejaVu Sans", "Liberation Sans", "Nimbus Sans"}},
        {"opensymbol", {"OpenSymbol", "DejaVu Sans", "Liberation Sans"}},
    };
    const QByteArray face = f.face.toLower().trimmed();
    for (const auto& entry : kFaces)
        if (face == entry.face || (signsOf(f) == Signs::Wingdings && QByteArray(entry.face) == "wingdings"))
            for (const char* family : entry.families)
                if (installed.contains(QLatin1String(family)))
                    return QLatin1String(family);
    const QString asIs = QString::fromLatin1(f.face);
    if (!asIs.isEmpty() && installed.contains(asIs, Qt::CaseInsensitive))
        return asIs;
    // By the family the font record names: serif (roman), fixed pitch (modern) or plain.
    const bool fixed = (f.pitchAndFamily & 3) == 1 || (f.pitchAndFamily & 0xF0) == 0x30;
    const bool serif = (f.pitchAndFamily & 0xF0) == 0x10;
    const char* choice = fixed ? "Liberation Mono" : serif ? "Liberation Serif" : "Liberation Sans";
    return installed.contains(QLatin1String(choice)) ? QString::fromLatin1(choice) : QStringLiteral("DejaVu Sans");
}

void Player::textOut(const Bytes& p)
{
    const int length = p.w(0);
    if (length < 0 || !p.has(2, length))
        return;
    const qsizetype after = 2 + length + (length & 1);
    if (!p.has(after, 4))
        return;
    drawText(QPointF(p.s16(after + 2), p.s16(after)), p.bytes(2, length), {}, 0, QRectF());
}

void Player::extTextOut(const Bytes& p)
{
    const int length = p.w(2), options = p.u16(6);
    if (length < 0)
        return;
    qsizetype at = 8;
    QRectF box;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        if (!p.has(at, 8))
            return;
        box = mapRect(p.w(4), p.w(5), p.w(6), p.w(7));
        at += 8;
    }
    if (!p.has(at, length))
        return;
    const QByteArray text = p.bytes(at, length);
    at += length + (length & 1);
    // The spacing array is optional; with ETO_PDY it holds a vertical spacing after each one.
    std::vector<int> dx;
    const int step = options & ETO_PDY ? 4 : 2;
    if (length > 0 && p.has(at, qsizetype(length) * step))
        for (int i = 0; i < length; ++i)
            dx.push_back(p.s16(at + qsizetype(i) * step));
    if (options & ETO_GLYPH_INDEX)
        return drawText(QPointF(p.w(1), p.w(0)), QByteArray(), {}, options, box); // only the box
    drawText(QPointF(p.w(1), p.w(0)), text, dx, options, box);
}

void Player::drawText(QPointF at, const QByteArray& bytes, const std::vector<int>& dx, int options, const QRectF& box)
{
    applyClip();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (options & ETO_OPAQUE) {
        if (!spendOn(box, 1, 0))
            return;
        m_painter.fillRect(box, m_dc.bkColor);
    }
    if (bytes.isEmpty() || !canDrawText())
        return;
    const Font& f = m_dc.font;
    const bool updateCp = m_dc.textAlign & TA_UPDATECP;
    if (updateCp)
        at = m_dc.position;
    const double ax = std::abs(sx()), ay = std::abs(sy());

    QFont font(familyFor(f));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    font.setKerning(false);
    font.setItalic(f.italic);
    font.setWeight(QFont::Weight(f.weight <= 0 ? 400 : std::clamp(f.weight, 1, 1000)));
    // A positive height is the whole cell, a negative one the character without the space
    // above it, and 0 asks for the usual cell of sixteen units. The picture is painted at 72
    // dots to the inch, so a point is a pixel.
    const double cell = f.height == 0 ? 16 * m_frame.pixelScale : std::abs(f.height) * ay;
    double em = cell;
    if (f.height >= 0) {
        font.setPointSizeF(100);
        const QFontMetricsF m(font, &m_image);
        em = cell * 100 / std::max(1.0, m.ascent() + m.descent());
    }
    em = std::clamp(em, 0.5, 4.0 * kWmfMaxSide);
    font.setPointSizeF(em);
    if (f.width > 0) {
        const double natural = QFontMetricsF(font, &m_image).averageCharWidth();
        if (natural > 0)
            font.setStretch(std::clamp(int(std::round(100 * f.width * ax / natural)), 1, 4000));
    }
    const QFontMetricsF metrics(font, &m_image);

    const std::vector<TextUnit> units = decodeText(bytes, f);
    std::vector<double> advance;
    const bool spaced = !dx.empty() || m_dc.charExtra != 0 || (m_dc.breakExtra != 0 && m_dc.breakCount > 0);
    int byte = 0, breaks = 0;
    for (const TextUnit& u : units) {
        double a = 0;
        if (!dx.empty()) {
            for (int i = 0; i < u.bytes && byte + i < int(dx.size()); ++i)
                a += dx[size_t(byte + i)] * ax;
        } else {
            a = metrics.horizontalAdvance(u.text) + m_dc.charExtra * ax;
            // The justification's extra space goes to the break characters, the first ones
            // taking what does not divide evenly.
            if (m_dc.breakCount > 0 && u.text == QLatin1String(" ")) {
                const int rest = std::abs(m_dc.breakExtra) % m_dc.breakCount;
                const int share = m_dc.breakExtra / m_dc.breakCount + (breaks < rest ? (m_dc.breakExtra < 0 ? -1 : 1) : 0);
                a += share * ax;
                ++breaks;
            }
        }
        advance.push_back(a);
        byte += u.bytes;
    }
    QString whole;
    for (const TextUnit& u : units)
        whole += u.text;
    double width = 0;
    if (spaced)
        for (double a : advance)
            width += a;
    else
        width = metrics.horizontalAdvance(whole);

    double startX = 0;
    if ((m_dc.textAlign & TA_CENTER) == TA_CENTER)
        startX = -width / 2;
    else if (m_dc.textAlign & TA_RIGHT)
        startX = -width;
    double baseY = metrics.ascent(); // the reference point is the top of the cell
    if ((m_dc.textAlign & TA_BASELINE) == TA_BASELINE)
        baseY = 0;
    else if (m_dc.textAlign & TA_BOTTOM)
        baseY = -metrics.descent();

    const QPointF origin = map(at.x(), at.y());
    const double angle = f.escapement / 10.0;
    const QRectF run(startX, baseY - metrics.ascent(), width, metrics.ascent() + metrics.descent());
    const QRectF onPicture = QTransform().translate(origin.x(), origin.y()).rotate(-angle).mapRect(run);
    // Each letter costs its square, so a file of endless text cannot keep the player busy.
    const qint64 letters = qint64(units.size()) * qint64(std::max(16.0, em * em / 4));
    const bool near = onPicture.intersects(QRectF(m_image.rect()));
    if (spendOn(onPicture, 0, 0) && spend(letters) && near) {
        m_painter.save();
        if (options & ETO_CLIPPED)
            m_painter.setClipRect(box, m_dc.clipped ? Qt::IntersectClip : Qt::ReplaceClip);
        m_painter.translate(origin);
        m_painter.rotate(-angle);
        if (m_dc.bkOpaque)
            m_painter.fillRect(run, m_dc.bkColor);
        m_painter.setFont(font);
        m_painter.setPen(m_dc.textColor);
        if (!spaced) {
            m_painter.drawText(QPointF(startX, baseY), whole);
        } else {
            // Only the letters that can reach the picture are drawn.
            const QRectF shown = m_painter.transform().inverted().mapRect(QRectF(m_image.rect())).adjusted(-em, -em, em, em);
            double x = startX;
            for (size_t i = 0; i < units.size(); ++i) {
                if (x > shown.left() - std::abs(advance[i]) && x < shown.right())
                    m_painter.drawText(QPointF(x, baseY), units[i].text);
                x += advance[i];
            }
        }
        // Lines under and through the text run across the whole of it, spacing included.
        const double line = std::max(1.0, metrics.lineWidth());
        if (f.underline)
            m_painter.fillRect(QRectF(startX, baseY + metrics.underlinePos(), width, line), m_dc.textColor);
        if (f.strikeOut)
            m_painter.fillRect(QRectF(startX, baseY - metrics.strikeOutPos(), width, line), m_dc.textColor);
        m_painter.restore();
        m_clipApplied = false;
    }
    if (updateCp) {
        // The current position moves along the baseline past the text, or back before it.
        const double along = (m_dc.textAlign & TA_CENTER) == TA_CENTER ? 0 : (m_dc.textAlign & TA_RIGHT) ? -width : width;
        const double rad = qDegreesToRadians(angle);
        m_dc.position += QPointF(along * std::cos(rad) / sx(), -along * std::sin(rad) / sy());
    }
}

} // namespace wmf
