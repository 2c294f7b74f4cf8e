// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Pictures that other programs wrote, drawn as reference renderers draw them: bitmaps against
// ImageMagick, metafiles against libwmf (run here) and LibreOffice (its drawings are kept in
// corpus/, made by tools/picturecorpus/make-office-corpus.sh). Every file is shown right, or is
// listed below with what is wrong in the reference; the unit tests check those by their pixels.
#include "bitmapcorpus.h"
#include "metafilecorpus.h"
#include "picturecompare.h"
#include "platform/picture.h"
#include "testsupport/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// A drawing is shown right when it is less than this far from a reference (picturecompare.h).
constexpr double kThreshold = 5.0;

const QString kCorpus = QStringLiteral(PICTURE_CORPUS_DIR);

QString program(const QString& name)
{
    // The packaged program, before anything of the same name earlier on the path.
    const QString packaged = QStringLiteral("/usr/bin/") + name;
    return QFileInfo(packaged).isExecutable() ? packaged : QStandardPaths::findExecutable(name);
}

bool run(const QString& exe, const QStringList& args, QByteArray* output = nullptr, const QProcessEnvironment& env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(exe, args);
    if (!p.waitForFinished(60000))
        return false;
    if (output)
        *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QImage imageMagick(const QString& file, const QString& folder)
{
    const QString out = folder + QLatin1Char('/') + QFileInfo(file).fileName() + QStringLiteral(".im.png");
    // As ImageMagick shows the picture: on white. It warns, and fails, at a run-length bitmap that
    // ends early, but draws it.
    run(program(QStringLiteral("convert")), {file, QStringLiteral("-background"), QStringLiteral("white"),
                                             QStringLiteral("-flatten"), QStringLiteral("PNG24:") + out});
    return QImage(out);
}

QImage libwmf(const QString& file, QSize size)
{
    const QString out = file + QStringLiteral(".gd.png");
    run(program(QStringLiteral("wmf2gd")), {QStringLiteral("--maxwidth=%1").arg(size.width()),
                                            QStringLiteral("--maxheight=%1").arg(size.height()), QStringLiteral("--maxpect"),
                                            QStringLiteral("-o"), out, file});
    return QImage(out);
}

void needReferences()
{
    for (const char* name : {"convert", "wmf2gd"})
        ASSERT_FALSE(program(QLatin1String(name)).isEmpty())
            << name << " is missing: install ImageMagick and libwmf-bin (scripts/setup.sh deps)";
}

// Where ImageMagick 6.9 reads a bitmap wrongly or not at all.
const QMap<QString, QString> kImageMagickWrong{
    {QStringLiteral("mask16-444.bmp"), QStringLiteral("scales 4-bit channels short of white")},
    {QStringLiteral("mask16-4444-v5.bmp"), QStringLiteral("scales 4-bit channels short of white")},
    {QStringLiteral("mask16-664.bmp"), QStringLiteral("scales 4-bit channels short of white")},
    {QStringLiteral("mask32-2101010-v5.bmp"), QStringLiteral("scales a 2-bit alpha short of opaque")},
    {QStringLiteral("im-argb4444.bmp"), QStringLiteral("scales 4-bit channels short of white")},
    {QStringLiteral("im-argb1555.bmp"), QStringLiteral("takes a 1-bit alpha of 1 for half opaque")},
    {QStringLiteral("mask16-1555.bmp"), QStringLiteral("does not read colour masks with alpha (compression 6)")},
    {QStringLiteral("mask32-8888-alphabitfields.bmp"), QStringLiteral("does not read compression 6")},
    {QStringLiteral("mask32-8888-v3.bmp"), QStringLiteral("does not read compression 6")},
    {QStringLiteral("os2v2-16-pal8.bmp"), QStringLiteral("does not read short OS/2 2.x headers")},
    {QStringLiteral("os2v2-16-rgb24.bmp"), QStringLiteral("does not read short OS/2 2.x headers")},
    {QStringLiteral("os2v2-24-pal4.bmp"), QStringLiteral("does not read short OS/2 2.x headers")},
    {QStringLiteral("os2v2-64-pal8.bmp"), QStringLiteral("reads the OS/2 2.x colour table wrongly")},
    {QStringLiteral("os2v2-64-rle8.bmp"), QStringLiteral("reads the OS/2 2.x colour table wrongly")},
};

// Where neither libwmf 0.2 nor LibreOffice 7.4 draws a writer's sample right.
const QMap<QString, QString> kMetafileReferencesWrong{
    {QStringLiteral("rop2.wmf"), QStringLiteral("neither mixes the pen with the picture")},
    {QStringLiteral("bitmap-rops.wmf"), QStringLiteral("neither applies raster operations to bitmaps")},
    {QStringLiteral("patblt.wmf"), QStringLiteral("neither inverts or mixes with PATBLT")},
    {QStringLiteral("bitmap16.wmf"), QStringLiteral("libwmf skips Windows 3 bitmaps, LibreOffice misreads their rows")},
    {QStringLiteral("patterns.wmf"), QStringLiteral("neither draws two-colour pattern brushes")},
    {QStringLiteral("regions.wmf"), QStringLiteral("neither plays all four region records")},
    {QStringLiteral("clip-region.wmf"), QStringLiteral("neither clips to regions")},
    {QStringLiteral("floodfill.wmf"), QStringLiteral("neither plays flood fills")},
    {QStringLiteral("blt-fills.wmf"), QStringLiteral("libwmf fills the whole picture, LibreOffice skips the Windows 3 ones")},
    {QStringLiteral("viewport.wmf"), QStringLiteral("neither maps through the viewport as Windows does")},
    {QStringLiteral("polypolygon.wmf"), QStringLiteral("neither fills with the winding rule")},
    {QStringLiteral("hatches.wmf"), QStringLiteral("libwmf ignores the transparent background, LibreOffice fills hatches solid")},
    {QStringLiteral("text-spacing.wmf"), QStringLiteral("neither adds the extra space or the justification")},
    {QStringLiteral("text-height.wmf"), QStringLiteral("the usual size of a font of height 0 differs in both")},
    {QStringLiteral("text-symbols.wmf"), QStringLiteral("LibreOffice draws Symbol in another font; libwmf lacks the signs")},
};

// Where LibreOffice draws its own metafiles wrongly (its Wingdings letters in symbols.wmf are
// too small a part of the picture to count).
const QMap<QString, QString> kOfficeReferenceWrong{};

} // namespace

TEST(PictureCorpus, BitmapsMatchImageMagick)
{
    needReferences();
    TestFolders folders;
    const QString dir = folders.path("bmp");
    QDir().mkpath(dir);
    QStringList files;
    for (const BitmapVariant& v : bitmapVariants()) {
        folders.write("bmp/" + v.name, bmpWrite(v.image, v.kind));
        files << dir + QLatin1Char('/') + v.name;
    }
    // And the kinds ImageMagick itself writes.
    const QString source = dir + QStringLiteral("/source.png");
    colourPicture(true).scaled(61, 37).save(source);
    const QList<QStringList> written{
        {"-type", "bilevel", "BMP3:im-pal1.bmp"},  {"-colors", "16", "BMP3:im-pal4.bmp"},
        {"-colors", "200", "BMP3:im-pal8.bmp"},    {"-colors", "200", "-compress", "RLE", "BMP3:im-rle8.bmp"},
        {"-alpha", "off", "BMP2:im-os2.bmp"},      {"-alpha", "off", "BMP3:im-rgb24.bmp"},
        {"BMP:im-argb32.bmp"},                     {"-define", "bmp:subtype=RGB565", "BMP:im-rgb565.bmp"},
        {"-define", "bmp:subtype=RGB555", "BMP:im-rgb555.bmp"}, {"-define", "bmp:subtype=ARGB4444", "BMP:im-argb4444.bmp"},
        {"-define", "bmp:subtype=ARGB1555", "BMP:im-argb1555.bmp"}};
    for (QStringList args : written) {
        const QString name = args.takeLast();
        const QString target = name.section(QLatin1Char(':'), 1);
        ASSERT_TRUE(run(program(QStringLiteral("convert")), QStringList{source} + args + QStringList{name.section(QLatin1Char(':'), 0, 0) + QLatin1Char(':') + dir + QLatin1Char('/') + target}))
            << qPrintable(target);
        files << dir + QLatin1Char('/') + target;
    }
    int right = 0;
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        QString why;
        const QImage ours = loadPicture(file, &why);
        ASSERT_FALSE(ours.isNull()) << qPrintable(name + ": " + why);
        if (kImageMagickWrong.contains(name))
            continue;
        const QImage reference = imageMagick(file, dir);
        ASSERT_FALSE(reference.isNull()) << qPrintable(name);
        const PixelDifference d = pixelDifference(ours, reference);
        EXPECT_EQ(d.differing, 0) << qPrintable(name) << ": largest difference " << d.largest;
        right += d.differing == 0;
    }
    EXPECT_EQ(right, files.size() - kImageMagickWrong.size());
}

TEST(PictureCorpus, WriterMetafilesMatchAReferenceRenderer)
{
    needReferences();
    TestFolders folders;
    for (const MetafileSample& s : metafileSamples()) {
        folders.write(s.name, s.bytes);
        const QString file = folders.path(s.name);
        QString why;
        const QImage ours = loadPicture(file, &why);
        ASSERT_FALSE(ours.isNull()) << qPrintable(s.name + ": " + why);
        const QImage office(kCorpus + QStringLiteral("/writer/") + QFileInfo(s.name).completeBaseName() + QStringLiteral(".png"));
        const QImage gd = libwmf(file, ours.size());
        double best = 100;
        if (!office.isNull())
            best = std::min(best, pictureDifference(ours, office));
        if (!gd.isNull())
            best = std::min(best, pictureDifference(ours, gd));
        if (!kMetafileReferencesWrong.contains(s.name)) {
            EXPECT_LT(best, kThreshold) << qPrintable(s.name + " (" + s.what + ")");
        }
    }
}

TEST(PictureCorpus, OfficeMetafilesMatchLibreOffice)
{
    const QStringList files = QDir(kCorpus + QStringLiteral("/office")).entryList({QStringLiteral("*.wmf")});
    ASSERT_GE(files.size(), 10);
    for (const QString& name : files) {
        const QString file = kCorpus + QStringLiteral("/office/") + name;
        QString why;
        const QImage ours = loadPicture(file, &why);
        ASSERT_FALSE(ours.isNull()) << qPrintable(name + ": " + why);
        const QImage reference(file.chopped(4) + QStringLiteral(".png"));
        ASSERT_FALSE(reference.isNull()) << qPrintable(name);
        if (!kOfficeReferenceWrong.contains(name)) {
            EXPECT_LT(pictureDifference(ours, reference), kThreshold) << qPrintable(name);
        }
    }
}

// Phone photos as cameras store them: the pixels as the sensor saw them and the EXIF
// orientation that turns them upright (ImageMagick writes the JPEG, exiftool the tag). Each
// must come out as the upright picture, at its own size and at a shown size.
TEST(PictureCorpus, PhotosOfEveryExifOrientationComeOutUpright)
{
    const QString exiftool = program(QStringLiteral("exiftool")), convert = program(QStringLiteral("convert"));
    ASSERT_FALSE(exiftool.isEmpty()) << "exiftool is missing: install libimage-exiftool-perl (scripts/setup.sh deps)";
    ASSERT_FALSE(convert.isEmpty()) << "convert is missing: install ImageMagick (scripts/setup.sh deps)";
    TestFolders folders;
    // Upright: 96 x 64, four blocks of colour on the 8 x 8 grid JPEG keeps.
    QImage upright(96, 64, QImage::Format_RGB32);
    upright.fill(Qt::white);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            upright.setPixel(x, y, x < 48 ? (y < 32 ? 0xFFFF0000 : 0xFF0000FF) : (y < 32 ? 0xFF00C000 : x < 72 ? 0xFF000000 : 0xFFFFFFFF));
    for (int orientation = 1; orientation <= 8; ++orientation) {
        // Where the stored pixel (x, y) of a w x h picture is shown.
        const bool turned = orientation >= 5;
        const int w = turned ? 64 : 96, h = turned ? 96 : 64;
        auto shownAt = [&](int x, int y) {
            switch (orientation) {
            case 2: return QPoint(w - 1 - x, y);
            case 3: return QPoint(w - 1 - x, h - 1 - y);
            case 4: return QPoint(x, h - 1 - y);
            case 5: return QPoint(y, x);
            case 6: return QPoint(h - 1 - y, x);
            case 7: return QPoint(h - 1 - y, w - 1 - x);
            case 8: return QPoint(y, w - 1 - x);
            default: return QPoint(x, y);
            }
        };
        QImage stored(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                stored.setPixel(x, y, upright.pixel(shownAt(x, y)));
        const QString png = folders.path(QStringLiteral("stored%1.png").arg(orientation));
        const QString jpg = folders.path(QStringLiteral("photo%1.jpg").arg(orientation));
        ASSERT_TRUE(stored.save(png));
        ASSERT_TRUE(run(convert, {png, QStringLiteral("-quality"), QStringLiteral("95"), jpg}));
        ASSERT_TRUE(run(exiftool, {QStringLiteral("-q"), QStringLiteral("-overwrite_original"),
                                   QStringLiteral("-Orientation=%1").arg(orientation), QStringLiteral("-n"), jpg}));
        QString why;
        const QImage whole = loadPicture(jpg, &why);
        ASSERT_EQ(whole.size(), upright.size()) << orientation << ": " << qPrintable(why);
        // A turned or mirrored picture differs in half of its pixels; JPEG's edges in a few.
        EXPECT_LT(pixelDifference(whole, upright, 24).differing, 6144 / 10) << orientation;
        // Shown at half its size: decoded smaller, and still upright.
        const QImage half = loadPicture(jpg, &why, QSize(48, 32));
        ASSERT_EQ(half.size(), QSize(48, 32)) << orientation << ": " << qPrintable(why);
        EXPECT_LT(pixelDifference(half, upright.scaled(48, 32), 48).differing, 1536 / 10) << orientation;
    }
}

TEST(PictureCorpus, EveryProcessDrawsTheSamePixels)
{
    // Two runs whose fresh memory is filled differently: a pixel left unwritten by a decoder or
    // the player shows as a difference.
    TestFolders folders;
    const QString dir = folders.path("all");
    ASSERT_TRUE(run(QStringLiteral(PICTURECORPUS_TOOL), {QStringLiteral("write"), dir}));
    QStringList files;
    for (const QString& name : QDir(dir).entryList(QDir::Files))
        files << dir + QLatin1Char('/') + name;
    for (const QString& name : QDir(kCorpus + QStringLiteral("/office")).entryList({QStringLiteral("*.wmf")}))
        files << kCorpus + QStringLiteral("/office/") + name;
    QByteArray first, second;
    for (const auto& [perturb, out] : {std::pair{"85", &first}, std::pair{"170", &second}}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.perturb=%1").arg(QLatin1String(perturb)));
        env.insert(QStringLiteral("MALLOC_PERTURB_"), QLatin1String(perturb));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        ASSERT_TRUE(run(QStringLiteral(PICTURECORPUS_TOOL), QStringList{QStringLiteral("hash")} + files, out, env));
    }
    EXPECT_EQ(first.count('\n'), files.size());
    EXPECT_FALSE(first.contains("refused")) << first.constData();
    EXPECT_EQ(first, second);
}
