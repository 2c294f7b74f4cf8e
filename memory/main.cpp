#include "common/commandline.h"
#include "memory/checkmemory.h"
#include "memory/twinturn.h"

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
        std::fputs(qUtf8Printable(helpText(QStringLiteral("twinturn"), QStringLiteral("memory.ini"),
                                           QStringLiteral("Twinturn, a memory card game for children."))),
                   stdout);
        return 0;
    case CommandLine::Version:
        std::fputs(qUtf8Printable(versionText(QStringLiteral("twinturn"))), stdout);
        return 0;
    case CommandLine::Usage:
        std::fprintf(stderr, "twinturn: %s\n%s", qUtf8Printable(command.error), qUtf8Printable(usageText(QStringLiteral("twinturn"))));
        return 2;
    case CommandLine::Check: {
        // No window and no sound: the checker only reads.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("Twinturn"));
        return runMemoryCheck(command.configuration);
    }
    case CommandLine::Run:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Twinturn"));
    return Main(command.configuration);
}
