// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/commandline.h"

#ifndef BB_VERSION
#define BB_VERSION "0.0"
#endif

namespace {

// Qt's own options (Qt 6 on Linux): its application object takes them out of argv itself, so they
// are passed over here, with their values. Qt accepts each with one dash or two.
bool isQtOption(const QString& argument, bool* takesValue)
{
    static const char* const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "name",
                                            "visual", "geometry", "qwindowgeometry", "title", "qwindowtitle", "icon",
                                            "qwindowicon", "style", "stylesheet", "session"};
    static const char* const alone[] = {"reverse", "widgetcount", "testability", "nograb", "dograb", "qdevel", "qdebug"};
    static const char* const joined[] = {"style=", "stylesheet=", "qmljsdebugger="};
    QStringView name(argument);
    if (name.startsWith(u"--"))
        name = name.mid(2);
    else if (name.startsWith(u'-'))
        name = name.mid(1);
    else
        return false;
    *takesValue = false;
    for (const char* o : joined)
        if (name.startsWith(QLatin1String(o)))
            return true;
    for (const char* o : alone)
        if (name == QLatin1String(o))
            return true;
    *takesValue = true;
    for (const char* o : withValue)
        if (name == QLatin1String(o))
            return true;
    return false;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine c;
    bool check = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) {
            c.configuration += arguments.mid(i + 1);
            break;
        }
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.action = CommandLine::Help;
            return c;
        }
        if (a == QLatin1String("--version")) {
            c.action = CommandLine::Version;
            return c;
        }
        if (a == QLatin1String("--check")) {
            check = true;
            continue;
        }
        if (bool takesValue = false; isQtOption(a, &takesValue)) {
            if (takesValue)
                ++i;
            continue;
        }
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            c.action = CommandLine::Usage;
            c.error = QStringLiteral("unknown option '%1'").arg(a);
            return c;
        }
        c.configuration << a;
    }
    if (check)
        c.action = CommandLine::Check;
    return c;
}

QString helpText(const QString& program, const QString& configName, const QString& summary)
{
    return QStringLiteral(
               "Usage: %1 [CONFIGURATION]\n"
               "       %1 --check [CONFIGURATION]\n"
               "%2\n\n"
               "Without CONFIGURATION, %3 is taken from the program's folder, else from the\n"
               "system folder ($WINDIR, or ~/.config/brushbox-twinturn), else from the class\n"
               "theme in /etc/xdg/brushbox-twinturn, else from the installed sample theme.\n\n"
               "Options:\n"
               "  --check    read the configuration as start-up does and list every problem\n"
               "             (exit status 0 when clean, 1 when not); no window is shown\n"
               "  --help     show this help and exit\n"
               "  --version  show the version and exit\n\n"
               "Qt's own options (-platform, -display, -style, -reverse, -geometry and the others\n"
               "Qt documents) are accepted too and passed to Qt.\n")
        .arg(program, summary, configName);
}

QString versionText(const QString& program)
{
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) 2026 The Brushbox and Twinturn developers\n"
                          "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(program, QStringLiteral(BB_VERSION));
}

QString usageText(const QString& program)
{
    return QStringLiteral("Usage: %1 [--check] [CONFIGURATION]\nTry '%1 --help' for more information.\n").arg(program);
}
