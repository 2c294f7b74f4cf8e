#include "art.h"
#include "themes.h"

#include <QPainterPath>

namespace {

const QColor kWall(0xF4, 0xE9, 0xD0);

void drawSun(QPainter& p, QPointF c, double r)
{
    p.setPen(QPen(QColor(0xF0, 0xA0, 0x10), 3));
    for (int i = 0; i < 12; ++i) {
        QLineF ray(c, c + QPointF(r * 1.6, 0));
        ray.setAngle(i * 30);
        p.drawLine(ray);
    }
    p.setBrush(QColor(0xFF, 0xD2, 0x30));
    p.drawEllipse(c, r, r);
}

void background(const QString& gfx)
{
    // The window's face: panels behind the buttons, canvas and palette.
    savePicture(gfx + QStringLiteral("background.bmp"), 641, 481, kWall, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE2, 0xCF, 0xA8));
        p.drawRoundedRect(QRectF(6, 6, 212, 464), 16, 16);
        p.drawRoundedRect(QRectF(216, 6, 419, 420), 16, 16);
        p.setBrush(QColor(0x6E, 0x4B, 0x2A));
        p.drawRect(QRectF(221, 13, 407, 407)); // frame around the canvas
    });
}

void splashAndHelp(const QString& gfx)
{
    savePicture(gfx + QStringLiteral("splash.bmp"), 145, 81, QColor(0x30, 0x60, 0xC0), [](QPainter& p) {
        drawSun(p, QPointF(40, 40), 18);
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(80, 65), QPointF(130, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE0, 0x30, 0x30));
        p.drawEllipse(QPointF(80, 65), 7, 7);
    });
    auto help = [](const QString& title, const QStringList& lines) {
        return [title, lines](QPainter& p) {
            p.setPen(QColor(0x20, 0x30, 0x60));
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 28, QFont::Bold));
            p.drawText(QRect(0, 20, 640, 60), Qt::AlignCenter, title);
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 17));
            for (int i = 0; i < lines.size(); ++i)
                p.drawText(QRect(60, 110 + i * 42, 560, 40), Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
            p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Normal, true));
            p.drawText(QRect(0, 430, 640, 30), Qt::AlignCenter, QStringLiteral("Click anywhere to go back."));
        };
    };
    savePicture(gfx + QStringLiteral("help.bmp"), 640, 480, QColor(0xFF, 0xF8, 0xE0),
                help(QStringLiteral("How to paint"),
                     {QStringLiteral("Pick a colour from the paint box at the bottom."),
                      QStringLiteral("Draw with the brush, spray with the can,"),
                      QStringLiteral("and fill a shape with the bucket."),
                      QStringLiteral("Open a picture to colour it in."),
                      QStringLiteral("Connect the dots first if it has numbers."),
                      QStringLiteral("Save your painting to find it again later."),
                      QStringLiteral("Print it to take it home.")}));
    savePicture(gfx + QStringLiteral("helpopen.bmp"), 640, 480, QColor(0xE8, 0xF4, 0xFF),
                help(QStringLiteral("Open a picture"),
                     {QStringLiteral("Click a folder at the top."), QStringLiteral("Click a small picture to choose it."),
                      QStringLiteral("Use the arrows to see more pictures."),
                      QStringLiteral("Click Open to paint it, or Cancel to go back.")}));
    savePicture(gfx + QStringLiteral("helpsave.bmp"), 640, 480, QColor(0xEC, 0xFF, 0xE8),
                help(QStringLiteral("Save your painting"),
                     {QStringLiteral("Click the folder to save into."),
                      QStringLiteral("Click Save. Your painting gets the next number."),
                      QStringLiteral("Click Cancel to go back without saving.")}));
}

void catalogIcon(const QString& path, const QColor& color)
{
    savePicture(path, 48, 40, kWall, [color](QPainter& p) {
        p.setPen(QPen(color.darker(150), 2));
        p.setBrush(color);
        QPainterPath folder;
        folder.moveTo(3, 8);
        folder.lineTo(18, 8);
        folder.lineTo(22, 13);
        folder.lineTo(45, 13);
        folder.lineTo(45, 37);
        folder.lineTo(3, 37);
        folder.closeSubpath();
        p.drawPath(folder);
    });
}

void buttons(const QString& gfx)
{
    struct Tool {
        const char* name;
        const char* caption;
        QColor color;
        bool large;
    };
    const Tool tools[] = {{"draw", "Draw", QColor(0x4F, 0x9D, 0xE0), true},   {"spray", "Spray", QColor(0x5C, 0xC0, 0x6B), true},
                          {"fill", "Fill", QColor(0xF0, 0xB0, 0x3A), true},   {"clear", "Clear", QColor(0xE8, 0x6A, 0x6A), false},
                          {"print", "Print", QColor(0xA0, 0x86, 0xD8), false}, {"save", "Save", QColor(0x4C, 0xB8, 0xB0), false},
                          {"open", "Open", QColor(0xE0, 0x90, 0x50), false},   {"quit", "Quit", QColor(0xC0, 0x50, 0x50), false},
                          {"sound", "Sound", QColor(0x70, 0xA0, 0xC0), false}};
    const struct {
        const char* suffix;
        Face face;
    } faces[] = {{"", Face::Normal}, {"_hi", Face::Highlight}, {"_down", Face::Down}, {"_off", Face::Inactive}, {"_cur", Face::Current}};
    for (const Tool& t : tools) {
        const int h = t.large ? 89 : 41;
        for (const auto& f : faces)
            saveImage(gfx + QLatin1String(t.name) + QLatin1String(f.suffix) + QStringLiteral(".bmp"),
                      buttonFace(89, h, t.color, QLatin1String(t.caption), f.face));
        if (t.large)
            saveImage(gfx + QLatin1String(t.name) + QStringLiteral("_mini.bmp"),
                      buttonFace(41, 41, t.color, QString(), Face::Normal));
    }
    saveImage(gfx + QStringLiteral("smallquit.bmp"), buttonFace(16, 14, QColor(0xC0, 0x50, 0x50), QStringLiteral("x"), Face::Normal));
    saveImage(gfx + QStringLiteral("smallhelp.bmp"), buttonFace(16, 14, QColor(0x4F, 0x9D, 0xE0), QStringLiteral("?"), Face::Normal));
}

void palette(const QString& gfx)
{
    const QColor colors[] = {Qt::black, Qt::white, QColor(0x80, 0x80, 0x80), QColor(0xE0, 0x20, 0x20), QColor(0xF8, 0x80, 0x20),
                             QColor(0xF8, 0xE0, 0x20), QColor(0x30, 0xB0, 0x30), QColor(0x10, 0x60, 0x20), QColor(0x30, 0xA0, 0xF0),
                             QColor(0x20, 0x30, 0xC0), QColor(0x90, 0x40, 0xC0), QColor(0xF0, 0x80, 0xC0), QColor(0x8B, 0x50, 0x20),
                             QColor(0xF0, 0xC8, 0x98)};
    auto draw = [&colors](bool active) {
        return [&colors, active](QPainter& p) {
            const int n = int(std::size(colors));
            for (int i = 0; i < n; ++i) {
                QColor c = colors[i];
                if (!active) {
                    const int g = qGray(c.rgb()) / 2 + 100;
                    c = QColor(g, g, g);
                }
                p.setPen(Qt::NoPen);
                p.setBrush(c);
                p.drawRect(QRect(i * 609 / n, 0, (i + 1) * 609 / n - i * 609 / n, 33));
            }
        };
    };
    QImage img(609, 33, QImage::Format_RGB32);
    img.fill(Qt::white);
    { QPainter p(&img); draw(true)(p); }
    saveImage(gfx + QStringLiteral("palette.bmp"), img);
    img.fill(Qt::white);
    { QPainter p(&img); draw(false)(p); }
    saveImage(gfx + QStringLiteral("palette_off.bmp"), img);
}

void sounds(const QString& snd)
{
    saveWav(snd + QStringLiteral("start.wav"), {{523, 120}, {659, 120}, {784, 120}, {1047, 260}});
    saveWav(snd + QStringLiteral("click.wav"), {{880, 40}});
    saveWav(snd + QStringLiteral("good.wav"), {{784, 110}, {988, 110}, {1175, 110}, {1568, 320}});
}

} // namespace

void generateBrushboxTheme(const QString& out)
{
    const QString gfx = out + QStringLiteral("/gfx/");
    const QString snd = out + QStringLiteral("/snd/");
    makeFolder(out + QStringLiteral("/pictures"));
    makeFolder(out + QStringLiteral("/catalogs"));
    background(gfx);
    splashAndHelp(gfx);
    buttons(gfx);
    palette(gfx);
    sounds(snd);
    // Icons of the user catalogs (copied beside each new catalog folder) and of the supplied ones.
    catalogIcon(gfx + QStringLiteral("Red folder.bmp"), QColor(0xE0, 0x50, 0x50));
    catalogIcon(gfx + QStringLiteral("Blue folder.bmp"), QColor(0x40, 0x80, 0xE0));
    makeFolder(out + QStringLiteral("/pictures/Animals"));
    makeFolder(out + QStringLiteral("/pictures/Things"));
    catalogIcon(out + QStringLiteral("/pictures/Animals.bmp"), QColor(0x60, 0xB0, 0x50));
    catalogIcon(out + QStringLiteral("/pictures/Things.bmp"), QColor(0xE0, 0xB0, 0x40));
}
