#include "common/log.h"

#include "common/fileio.h"

#include <QFile>

QString logPath(const QString& name) { return fioGetWindowsDir() + name; }

void writeLogLine(const QString& path, const QString& text, qint64 cutAt)
{
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return;
    if (cutAt >= 0 && file.size() > cutAt) {
        file.close();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
    }
    file.write(text.toUtf8());
    file.write("\r\n", 2);
    file.close();
}

void pntWriteLog(const QString& text) { writeLogLine(logPath(QStringLiteral("brushbox.log")), text, 30000); }
void memWriteLog(const QString& text) { writeLogLine(logPath(QStringLiteral("memory.log")), text, -1); }
