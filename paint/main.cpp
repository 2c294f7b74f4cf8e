#include "common/commandline.h"
#include "paint/brushbox.h"
#include "paint/checkpaint.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    // Answered before any window system is needed.
    switch (command.action) {
    case CommandLine::Help:
        std::fputs(qUtf8Printable(helpText(QStringLiteral("brushbox"), QStringLiteral("zypaint.ini"),
                                           QStringLiteral("Brushbox, a paint program for children."))),
                   stdout);
        return 0;
    case CommandLine::Version:
        std::fputs(qUtf8Printable(versionText(QStringLiteral("brushbox"))), stdout);
        return 0;
    case CommandLine::Usage:
        std::fprintf(stderr, "brushbox: %s\n%s", qUtf8Printable(command.error), qUtf8Printable(usageText(QStringLiteral("brushbox"))));
        return 2;
    case CommandLine::Check: {
        // No window and no sound: the checker only reads.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Brushbox"));
        return runPaintCheck(command.configuration);
    }
    case CommandLine::Run:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brushbox"));
    return Main(command.configuration);
}
