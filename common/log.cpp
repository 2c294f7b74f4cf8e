// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/log.h"

#include "common/fileio.h"

#include "platform/files.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString logPath(const QString& name) { return fioGetWindowsDir() + name; }

void writeLogLine(const QString& path, const QString& text, qint64 cutAt)
{
    // Only a plain file is written: a FIFO would block the program, and a link could lead the
    // lines into a file that is not the log.
    int fd = openForWriting(path, O_APPEND);
    if (fd < 0)
        return;
    struct stat st {};
    if (cutAt >= 0 && ::fstat(fd, &st) == 0 && st.st_size > cutAt) {
        ::close(fd);
        fd = openForWriting(path, O_TRUNC);
        if (fd < 0)
            return;
    }
    const QByteArray line = text.toUtf8() + "\r\n";
    QFile file;
    file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle);
    file.write(line);
    file.close();
}

void pntWriteLog(const QString& text) { writeLogLine(logPath(QStringLiteral("brushbox.log")), text, 30000); }
void memWriteLog(const QString& text) { writeLogLine(logPath(QStringLiteral("memory.log")), text, -1); }
