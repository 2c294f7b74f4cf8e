// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "testsupport/testsupport.h"

#include "platform/files.h"
#include "gifwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

MessageRecorder::MessageRecorder()
{
    setMsgBoxResponder([this](const MsgRecord& r) {
        messages.push_back(r);
        if (answers.isEmpty())
            return MsgResult::Ok;
        return answers.takeFirst();
    });
}

MessageRecorder::~MessageRecorder() { setMsgBoxResponder({}); }

QStringList MessageRecorder::texts() const
{
    QStringList t;
    for (const MsgRecord& r : messages)
        t << r.text;
    return t;
}

TestFolders::TestFolders() : m_oldWindir(qgetenv("WINDIR")), m_oldConfigDirs(qgetenv("XDG_CONFIG_DIRS"))
{
    mkdir(QStringLiteral("windows"));
    mkdir(QStringLiteral("app"));
    qputenv("WINDIR", windows().toLocal8Bit());
    // Class themes of the machine the tests run on are no concern of theirs.
    qputenv("XDG_CONFIG_DIRS", path(QStringLiteral("xdg")).toLocal8Bit());
    setAppFolderForTests(app());
}

TestFolders::~TestFolders()
{
    setAppFolderForTests(QString());
    if (m_oldWindir.isEmpty())
        qunsetenv("WINDIR");
    else
        qputenv("WINDIR", m_oldWindir);
    if (m_oldConfigDirs.isEmpty())
        qunsetenv("XDG_CONFIG_DIRS");
    else
        qputenv("XDG_CONFIG_DIRS", m_oldConfigDirs);
}

void TestFolders::write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(full);
    f.write(bytes);
}

void TestFolders::mkdir(const QString& relative) const { QDir().mkpath(path(relative)); }

QByteArray TestFolders::read(const QString& relative) const
{
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray pictureBytes(const char* format, int width, int height, Qt::GlobalColor color)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(color);
    if (QByteArray(format).toUpper() == "GIF")
        return gifBytes(img);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

qint64 statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').first().toLongLong();
    return 0;
}
