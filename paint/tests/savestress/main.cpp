// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Saves count paintings into the catalog folder as fast as it can, as one computer of a class
// does: each painting and its thumbnail are filled with a colour that names this process and the
// save, so the test can tell every painting apart and pair it with its thumbnail. Prints its
// process ID, then one line for each save: "saved NUMBER I" or "failed I REASON", then
// "ms MILLISECONDS" for all the saves.
//   savestress FOLDER ID COUNT
#include "paint/paintsettings.h"
#include "paint/savedialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

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
    std::printf("pid %d\n", int(::getpid()));
    int failed = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        const QColor colour(id * 40 + 10, i % 256, i / 256 * 8 + 100);
        QImage painting(401, 401, QImage::Format_RGB32), thumb(33, 33, QImage::Format_RGB32);
        painting.fill(colour);
        thumb.fill(colour);
        QString error;
        int n = -1;
        if (dialog.save(painting, thumb, &n, &error) == SaveDialog::Result::Saved) {
            std::printf("saved %d %d\n", n, i);
        } else {
            std::printf("failed %d %s\n", i, qPrintable(error));
            ++failed;
        }
    }
    std::printf("ms %lld\n", qlonglong(clock.elapsed()));
    return failed ? 1 : 0;
}
