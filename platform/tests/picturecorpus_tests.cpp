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

const QString kCorpus = PICTURE_CORPUS_DIR;

QString program(const QString& name)
{
    // The packaged program, before anything of the same name earlier on the path.
    const QString packaged = "/usr/bin/" + name;
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

// As ImageMagick shows the picture: on white. It warns, and fails, at a run-length bitmap that
// ends early, but draws it.
QImage imageMagick(const QString& file)
{
    run(program("convert"), {file, "-background", "white", "-flatten", "PNG24:" + file + ".im.png"});
    return QImage(file + ".im.png");
}

QImage libwmf(const QString& file, QSize size)
{
    run(program("wmf2gd"), {QString("--maxwidth=%1").arg(size.width()), QString("--maxheight=%1").arg(size.height()),
                            "--maxpect", "-o", file + ".gd.png", file});
    return QImage(file + ".gd.png");
}

void needReferences()
{
    for (const char* name : {"convert", "wmf2gd"})
        ASSERT_FALSE(program(name).isEmpty())
            << name << " is missing: install ImageMagick and libwmf-bin (scripts/setup.sh deps)";
}

// Where ImageMagick 6.9 reads a bitmap wrongly or not at all.
const QMap<QString, QString> kImageMagickWrong{
    {"mask16-444.bmp", "scales 4-bit channels short of white"},
    {"mask16-4444-v5.bmp", "scales 4-bit channels short of white"},
    {"mask16-664.bmp", "scales 4-bit channels short of white"},
    {"mask32-2101010-v5.bmp", "scales a 2-bit alpha short of opaque"},
    {"im-argb4444.bmp", "scales 4-bit channels short of white"},
    {"im-argb1555.bmp", "takes a 1-bit alpha of 1 for half opaque"},
    {"mask16-1555.bmp", "does not read colour masks with alpha (compression 6)"},
    {"mask32-8888-alphabitfields.bmp", "does not read compression 6"},
    {"mask32-8888-v3.bmp", "does not read compression 6"},
    {"os2v2-16-pal8.bmp", "does not read short OS/2 2.x headers"},
    {"os2v2-16-rgb24.bmp", "does not read short OS/2 2.x headers"},
    {"os2v2-24-pal4.bmp", "does not read short OS/2 2.x headers"},
    {"os2v2-64-pal8.bmp", "reads the OS/2 2.x colour table wrongly"},
    {"os2v2-64-rle8.bmp", "reads the OS/2 2.x colour table wrongly"},
};

// Where neither libwmf 0.2 nor LibreOffice 7.4 draws a writer's sample right.
const QMap<QString, QString> kMetafileReferencesWrong{
    {"rop2.wmf", "neither mixes the pen with the picture"},
    {"bitmap-rops.wmf", "neither applies raster operations to bitmaps"},
    {"patblt.wmf", "neither inverts or mixes with PATBLT"},
    {"bitmap16.wmf", "libwmf skips Windows 3 bitmaps, LibreOffice misreads their rows"},
    {"patterns.wmf", "neither draws two-colour pattern brushes"},
    {"regions.wmf", "neither plays all four region records"},
    {"clip-region.wmf", "neither clips to regions"},
    {"floodfill.wmf", "neither plays flood fills"},
    {"blt-fills.wmf", "libwmf fills the whole picture, LibreOffice skips the Windows 3 ones"},
    {"viewport.wmf", "neither maps through the viewport as Windows does"},
    {"polypolygon.wmf", "neither fills with the winding rule"},
    {"hatches.wmf", "libwmf ignores the transparent background, LibreOffice fills hatches solid"},
    {"text-spacing.wmf", "neither adds the extra space or the justification"},
    {"text-height.wmf", "the usual size of a font of height 0 differs in both"},
    {"text-symbols.wmf", "LibreOffice draws Symbol in another font; libwmf lacks the signs"},
};

} // namespace

TEST(PictureCorpus, BitmapsMatchImageMagick)
{
    needReferences();
    TestFolders folders;
    QStringList files;
    for (const BitmapVariant& v : bitmapVariants()) {
        folders.write(v.name, bmpWrite(v.image, v.kind));
        files << folders.path(v.name);
    }
    // And the kinds ImageMagick itself writes.
    const QString source = folders.path("source.png");
    colourPicture(true).scaled(61, 37).save(source);
    const QList<QStringList> written{
        {"-type", "bilevel", "BMP3:im-pal1.bmp"},  {"-colors", "16", "BMP3:im-pal4.bmp"},
        {"-colors", "200", "BMP3:im-pal8.bmp"},    {"-colors", "200", "-compress", "RLE", "BMP3:im-rle8.bmp"},
        {"-alpha", "off", "BMP2:im-os2.bmp"},      {"-alpha", "off", "BMP3:im-rgb24.bmp"},
        {"BMP:im-argb32.bmp"},                     {"-define", "bmp:subtype=RGB565", "BMP:im-rgb565.bmp"},
        {"-define", "bmp:subtype=RGB555", "BMP:im-rgb555.bmp"}, {"-define", "bmp:subtype=ARGB4444", "BMP:im-argb4444.bmp"},
        {"-define", "bmp:subtype=ARGB1555", "BMP:im-argb1555.bmp"}};
    for (QStringList args : written) {
        const QString kind = args.takeLast(), target = folders.path(kind.section(':', 1));
        ASSERT_TRUE(run(program("convert"), QStringList{source} + args + QStringList{kind.section(':', 0, 0) + ':' + target}))
            << qPrintable(target);
        files << target;
    }
    int right = 0;
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        QString why;
        const QImage ours = loadPicture(file, &why);
        ASSERT_FALSE(ours.isNull()) << qPrintable(name + ": " + why);
        if (kImageMagickWrong.contains(name))
            continue;
        const QImage reference = imageMagick(file);
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
        double best = 100;
        for (const QImage& reference : {QImage(kCorpus + "/writer/" + QFileInfo(s.name).completeBaseName() + ".png"),
                                        libwmf(file, ours.size())})
            if (!reference.isNull())
                best = std::min(best, pictureDifference(ours, reference));
        if (!kMetafileReferencesWrong.contains(s.name)) {
            EXPECT_LT(best, kThreshold) << qPrintable(s.name + " (" + s.what + ")");
        }
    }
}

TEST(PictureCorpus, OfficeMetafilesMatchLibreOffice)
{
    // (Its Wingdings letters in symbols.wmf are too small a part of the picture to count.)
    const QStringList files = QDir(kCorpus + "/office").entryList({"*.wmf"});
    ASSERT_GE(files.size(), 10);
    for (const QString& name : files) {
        const QString file = kCorpus + "/office/" + name;
        QString why;
        const QImage ours = loadPicture(file, &why);
        ASSERT_FALSE(ours.isNull()) << qPrintable(name + ": " + why);
        const QImage reference(file.chopped(4) + ".png");
        ASSERT_FALSE(reference.isNull()) << qPrintable(name);
        EXPECT_LT(pictureDifference(ours, reference), kThreshold) << qPrintable(name);
    }
}

// Phone photos as cameras store them: the pixels as the sensor saw them and the EXIF
// orientation that turns them upright (ImageMagick writes the JPEG, exiftool the tag). Each
// must come out as the upright picture, at its own size and at a shown size.
TEST(PictureCorpus, PhotosOfEveryExifOrientationComeOutUpright)
{
    const QString exiftool = program("exiftool"), convert = program("convert");
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
        const QString png = folders.path(QString("stored%1.png").arg(orientation));
        const QString jpg = folders.path(QString("photo%1.jpg").arg(orientation));
        ASSERT_TRUE(stored.save(png));
        ASSERT_TRUE(run(convert, {png, "-quality", "95", jpg}));
        ASSERT_TRUE(run(exiftool, {"-q", "-overwrite_original", QString("-Orientation=%1").arg(orientation), "-n", jpg}));
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
    ASSERT_TRUE(run(PICTURECORPUS_TOOL, {"write", dir}));
    QStringList files;
    for (const QString& name : QDir(dir).entryList(QDir::Files))
        files << dir + '/' + name;
    for (const QString& name : QDir(kCorpus + "/office").entryList({"*.wmf"}))
        files << kCorpus + "/office/" + name;
    QByteArray first, second;
    for (const auto& [perturb, out] : {std::pair{"85", &first}, std::pair{"170", &second}}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("GLIBC_TUNABLES", QString("glibc.malloc.perturb=") + perturb);
        env.insert("MALLOC_PERTURB_", perturb);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        ASSERT_TRUE(run(PICTURECORPUS_TOOL, QStringList{"hash"} + files, out, env));
    }
    EXPECT_EQ(first.count('\n'), files.size());
    EXPECT_FALSE(first.contains("refused")) << first.constData();
    EXPECT_EQ(first, second);
}
