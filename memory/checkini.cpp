// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checker.h"

#include "common/math32.h"
#include "memory/memerrors.h"

namespace memcheck {

bool MemoryChecker::readIni()
{
    QVector<Item> items;
    if (!fioFileExists(m_files[m_ini])) {
        // Start-up names no file in this box; the finding's own path does.
        const QString cause = fileProblem(m_files[m_ini]);
        problem({m_ini, 0}, startupFinding(QString(), memErrorText(1).message, true, 1,
                                           cause == QLatin1String("is missing") ? QString() : QStringLiteral("the file ") + cause));
        return false;
    }
    if (QString why; !readFile(m_files[m_ini], items, INT_MAX, &why)) {
        problem({m_ini, 0}, why);
        return false;
    }
    readDeclaration(items);
    walk(
        m_ini, items,
        [this](const At& at, const QString& name) {
            if (!is(name, "paths") && !is(name, "gamefiles") && !is(name, "classroom"))
                problem(at, QStringLiteral("unknown section [%1]%2")
                                .arg(name, suggestion(name, {QStringLiteral("paths"), QStringLiteral("gamefiles"),
                                                             QStringLiteral("classroom")})));
        },
        [](const QString& section) {
            if (section.isEmpty())
                return Scope{&kIniAnywhere, QString(), Scope::BeforeSection};
            if (is(section, "paths"))
                return Scope{&kIniPaths, QStringLiteral("[paths]"), Scope::Report};
            if (is(section, "gamefiles"))
                return Scope{&kIniFiles, QStringLiteral("[gamefiles]"), Scope::Report};
            if (is(section, "classroom"))
                return Scope{&kIniClassroom, QStringLiteral("[classroom]"), Scope::Report};
            return Scope{&kIniAnywhere, QStringLiteral("[%1]").arg(section), Scope::Silent};
        },
        [this](const At& at, const QString& section, const QString& key, const QString& value, const QString&) {
            const Ref ref{value, at, true};
            if (key == QLatin1String("debug")) {
                m_debug = ref;
            } else if (section == QLatin1String("paths")) {
                const Ref folder{fioExpandMacro(value), at, true};
                if (const QString w = programFolderWarning(m_files[m_ini], QStringLiteral("%1 in [paths]").arg(key), value); !w.isEmpty())
                    problem(at, w);
                if (key == QLatin1String("gfx"))
                    m_gfx = folder;
                else if (key == QLatin1String("sfx"))
                    m_sfx = folder;
                else if (key == QLatin1String("data"))
                    m_data = folder;
                else if (key == QLatin1String("card"))
                    m_card = folder;
            } else if (section == QLatin1String("gamefiles")) {
                if (key == QLatin1String("main"))
                    m_main = ref;
                else if (key == QLatin1String("global"))
                    m_global = ref;
                else if (key == QLatin1String("cards"))
                    m_cards = ref;
                else if (key == QLatin1String("listfile"))
                    m_list = ref;
                else if (key == QLatin1String("special"))
                    m_special = ref;
            }
        });
    if (m_debug.set && mathToBool(m_debug.value))
        problem(m_debug.at, QStringLiteral("debug is on: every card is shown face up and memory.log is written at every start"));
    checkFolder(m_gfx, "gfx", "the window pictures and the card back");
    checkFolder(m_sfx, "sfx", "the turn, result, end and text list sounds");
    checkFolder(m_data, "data", "the main, global, card, list and special files");
    checkFolder(m_card, "card", "the card pictures and sounds");
    return true;
}

// As memCheckINI: the first item with the key app, in any section.
void MemoryChecker::readDeclaration(const QVector<Item>& items)
{
    int first = 0;
    for (const Item& it : items) {
        if (fioIsSection(it.raw) || !is(fioGetKey(it.raw), "app"))
            continue;
        const At at{m_ini, it.line};
        if (first) {
            problem(at, QStringLiteral("app has no effect: only the first app line (line %1) counts").arg(first));
            continue;
        }
        first = it.line;
        const QString value = fioGetValue(it.raw);
        if (is(value, "memory")) {
            m_appType = 0;
        } else if (is(value, "match")) {
            m_appType = 1;
        } else {
            const QString t = value.trimmed();
            const bool blanks = is(t, "memory") || is(t, "match");
            startup(at, QStringLiteral("app '%1'%2").arg(value, blanks ? QStringLiteral(" (the blanks count)") : QString()), 4);
        }
    }
    if (!first)
        startup({m_ini, 0}, QString(), 3);
}

void MemoryChecker::checkFolder(const Ref& folder, const char* key, const char* holds)
{
    if (!folder.set) {
        problem({m_ini, 0}, QStringLiteral("[paths] sets no %1 folder (for %2)").arg(QLatin1String(key), QLatin1String(holds)));
        return;
    }
    const QString what = QStringLiteral("%1 in [paths]").arg(QLatin1String(key));
    const QString& path = folder.value;
    if (path.isEmpty()) {
        problem(folder.at, QStringLiteral("%1 is empty: the files are looked for in the current folder").arg(what));
        return;
    }
    if (!path.endsWith(QLatin1Char('/'))) {
        problem(folder.at, QStringLiteral("%1: '%2' does not end in '\\', so file names are joined straight onto it "
                                          "(write '%2\\' or begin it with %apppath%)")
                               .arg(what, shown(path)));
        return;
    }
    if (!fioIsFullPath(path))
        problem(folder.at, QStringLiteral("%1: '%2' is not a full path and is taken from the folder the game is started in")
                               .arg(what, shown(path)));
    else if (!fioDirExists(path)) {
        problem(folder.at, QStringLiteral("%1: folder '%2' does not exist").arg(what, shown(path)));
        m_found.last().folder = path;
        m_report.watchMissingFolder(path);
    }
}

bool MemoryChecker::openData(const Ref& file, const char* key, int missingNumber, int& index, QVector<Item>& items)
{
    const QString path = m_data.value + file.value;
    const At at = file.set ? file.at : At{m_ini, 0};
    if (file.value.isEmpty() || !fioFileExists(path)) {
        startup(at, QStringLiteral("%1 in [gamefiles]").arg(QLatin1String(key)), missingNumber, path);
        return false;
    }
    index = fileIndex(path);
    if (QString why; !readFile(path, items, INT_MAX, &why)) {
        problem({index, 0}, why);
        return false;
    }
    return true;
}

} // namespace memcheck
