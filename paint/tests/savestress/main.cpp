// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Saves count paintings into the catalog folder as fast as it can, as one computer of a class
// does: each painting and its thumbnail are filled with a colour that names this process and the
// save, so the test can tell every painting apart and pair it with its thumbnail.
//   savestress FOLDER ID COUNT
#include "paint/paintsettings.h"
#include "paint/savedialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QFileInfo folder(QString::fromLocal8Bit(argv[1]));
    const int id = std::atoi(argv[2]), count = std::atoi(argv[3]);
    PaintSettings.catalog.expanded = folder.path() + QLatin1Char('/');
    PaintSettings.catalogs = {{folder.fileName(), false}, {}};
    SaveDialog dialog;
    if (!dialog.chooseCatalog(0))
        return 3;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const QColor colour(id * 40 + 10, i, 200);
        QImage painting(401, 401, QImage::Format_RGB32), thumb(33, 33, QImage::Format_RGB32);
        painting.fill(colour);
        thumb.fill(colour);
        QString error;
        if (dialog.save(painting, thumb, nullptr, &error) != SaveDialog::Result::Saved) {
            std::fprintf(stderr, "save %d of %d failed: %s\n", i, id, qPrintable(error));
            ++failed;
        }
    }
    return failed ? 1 : 0;
}
