// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "fuzzsupport.h"

#include "platform/files.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QTemporaryDir* g_dir = nullptr;
}

void fuzzInit()
{
    if (g_dir)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    g_dir = new QTemporaryDir;
    QDir::setCurrent(g_dir->path());
    qputenv("WINDIR", g_dir->path().toLocal8Bit());
    setAppFolderForTests(g_dir->path());
    setMsgBoxResponder([](const MsgRecord&) { return MsgResult::Ok; });
}

QString fuzzFolder() { return g_dir->path(); }

QString fuzzWrite(const QString& name, const QByteArray& bytes)
{
    const QString path = g_dir->path() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

QByteArray fuzzConfined(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    bytes.replace('/', '_').replace('\\', '_').replace(':', '_').replace("..", "__");
    return bytes;
}
