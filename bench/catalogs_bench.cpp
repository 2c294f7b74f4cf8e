// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
// Opening a catalog of 256 pictures in the open dialog, and finding the next free number in a
// catalog of 10,000 files. Prints the median, best and 90th percentile of each.
#include "paint/opendialog.h"
#include "paint/savedialog.h"
#include "platform/files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
void report(const char* what, int runs, const std::function<void()>& work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %8.3f ms  best %8.3f ms  90%% %8.3f ms\n", what, ms[ms.size() / 2], ms.front(),
                ms[ms.size() * 9 / 10]);
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString catalog = dir.path() + "/catalog/";
    QDir().mkpath(catalog);
    QImage thumb(33, 33, QImage::Format_RGB32);
    thumb.fill(Qt::green);
    for (int i = 0; i < 256; ++i) {
        const QString base = catalog + QString::number(i);
        write(base + ".bmp", "a painting is not read when listing");
        thumb.save(base + "_.bmp");
        write(base + ".dat", "Picture " + QByteArray::number(i) + "\r\n");
    }
    report("open a catalog of 256 pictures", 50, [&] {
        if (opnListPictures(catalog).size() != 256)
            std::abort();
    });

    const QString big = dir.path() + "/big/";
    QDir().mkpath(big);
    for (int i = 0; i < 10000; ++i)
        write(big + (i < 5000 ? QString::number(i) + ".bmp" : QString::number(i - 5000) + "_.bmp"), "");
    report("free number among 10,000 files", 50, [&] {
        if (pntFreeNumber(pntFolderNames(big)) != 5000)
            std::abort();
    });
    return 0;
}
