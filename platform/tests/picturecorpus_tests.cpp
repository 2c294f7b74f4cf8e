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
