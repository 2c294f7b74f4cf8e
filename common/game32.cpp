#include "common/game32.h"

#include "common/fileio.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString gamGetFilePath(const QString& name, const QStringList& arguments)
{
    if (!arguments.isEmpty()) {
        const QString arg = toPlatformSeparators(arguments.join(QLatin1Char(' ')));
        if (fioIsFullPath(arg))
            return arg;
        const QString inProgramFolder = fioWithBackslash(fioGetAppPath()) + arg;
        // Started from a shell, a relative path means the current folder.
        if (!fioFileExists(inProgramFolder) && fioFileExists(arg))
            return QFileInfo(arg).absoluteFilePath();
        return inProgramFolder;
    }
    const QString app = fioWithBackslash(fioGetAppPath()) + name;
    if (fioFileExists(app))
        return app;
    const QString windows = fioGetWindowsDir();
    if (!windows.isEmpty()) {
        // The system folder already ends in a separator; the joined path doubles it, which the
        // memory game's log shows.
        const QString sys = windows + QLatin1Char('/') + name;
        if (fioFileExists(sys))
            return sys;
    }
    return {};
}

QString gamGetFilePath(const QString& name)
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return gamGetFilePath(name, args);
}
