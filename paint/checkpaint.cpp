// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/checkpaint.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/inireader.h"
#include "common/math32.h"
#include "common/string32.h"
#include "common/themecheck.h"
#include "paint/catalogs.h"
#include "paint/paintmessages.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVector>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <functional>

namespace {

// Why making folder (one level) would fail, as the system would say it; empty when it would not.
QString folderCreationProblem(const QString& folder)
{
    const QString path = fioRemoveBackslash(folder);
    const QFileInfo info(path);
    int error = 0;
    if (info.exists() || info.isSymLink())
        error = EEXIST;
    else if (!QFileInfo(info.path()).isDir())
        error = ENOENT;
    else if (::access(QFile::encodeName(info.path()).constData(), W_OK | X_OK) != 0)
        error = EACCES;
    return error ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}

QString startupFinding(const QString& what, PaintMessageNumber number, const QString& info = QString(),
                       const QString& info2 = QString(), const QString& note = QString())
{
    const PaintMessage m = paintMessage(number, info, info2);
    return ::startupFinding(what, m.text, m.fatal, number, note);
}

enum class Kind { Text, Flag, Number, Colour, Picture, Sound, Folder, Shape, Ignored };

struct KeyRule {
    const char* key;
    Kind kind;
};

const QVector<KeyRule> kButtonKeys = {{"active", Kind::Flag},         {"activemade", Kind::Flag},   {"picnormal", Kind::Picture},
                                      {"pichighlight", Kind::Picture}, {"picdown", Kind::Picture},   {"picinactive", Kind::Picture},
                                      {"piccurrent", Kind::Picture},   {"piccurmini", Kind::Picture}, {"tooltiptext", Kind::Text}};

QVector<KeyRule> dialogKeys(bool open)
{
    QVector<KeyRule> keys = {{"background", Kind::Picture}, {"helppicture", Kind::Picture}, {"sound", Kind::Sound},
                             {"helpactive", Kind::Flag},    {"largeicons", Kind::Flag},     {"catalogstooltip", Kind::Text}};
    keys << KeyRule{open ? "filestooltip" : "savecatalogtooltip", Kind::Text};
    static const char* const openButtons[] = {"open", "cancel", "up", "down"};
    static const char* const saveButtons[] = {"save", "cancel"};
    static QList<QByteArray> names; // keeps the composed key texts alive
    auto add = [&keys](const char* prefix, bool inactive) {
        for (const char* state : {"normal", "highlight", "down", "inactive", "tooltip"}) {
            if (QByteArray(state) == "inactive" && !inactive)
                continue;
            names << QByteArray(prefix) + state;
            keys << KeyRule{names.last().constData(), QByteArray(state) == "tooltip" ? Kind::Text : Kind::Picture};
        }
    };
    if (open)
        for (const char* b : openButtons)
            add(b, QByteArray(b) == "up" || QByteArray(b) == "down");
    else
        for (const char* b : saveButtons)
            add(b, false);
    return keys;
}

const QHash<QString, QVector<KeyRule>>& schema()
{
    static const QHash<QString, QVector<KeyRule>> s = [] {
        QHash<QString, QVector<KeyRule>> m;
        m[QStringLiteral("path")] = {{"gfx", Kind::Folder}, {"snd", Kind::Folder}, {"picture", Kind::Folder}, {"catalog", Kind::Folder}};
        m[QStringLiteral("interface")] = {{"background", Kind::Picture}, {"startsound", Kind::Sound}, {"buttonsound", Kind::Sound},
                          {"goodsound", Kind::Sound},     {"paintpicture", Kind::Picture}, {"smallquit", Kind::Picture},
                          {"smallhelp", Kind::Picture}};
        m[QStringLiteral("help")] = {{"picture", Kind::Picture}, {"active", Kind::Flag}};
        m[QStringLiteral("name text")] = {{"fontname", Kind::Text}, {"fontsize", Kind::Number}, {"forecolor", Kind::Colour},
                          {"border", Kind::Flag},   {"active", Kind::Flag}};
        m[QStringLiteral("function")] = {{"lockcolor", Kind::Colour}};
        m[QStringLiteral("current")] = {{"active", Kind::Flag},       {"startcolor", Kind::Colour},  {"shape", Kind::Shape},
                        {"curborder", Kind::Ignored}, {"curbordercol", Kind::Ignored}, {"lockcoloron", Kind::Ignored},
                        {"activemade", Kind::Ignored}};
        m[QStringLiteral("palette")] = {{"active", Kind::Flag}, {"activemade", Kind::Flag}, {"normal", Kind::Picture}, {"inactive", Kind::Picture}};
        m[QStringLiteral("open")] = dialogKeys(true);
        m[QStringLiteral("save")] = dialogKeys(false);
        m[QStringLiteral("classroom")] = {{"fullscreen", Kind::Flag}, {"noquit", Kind::Flag}, {"singleinstance", Kind::Flag},
                          {"mute", Kind::Flag},       {"print", Kind::Flag},  {"printdelay", Kind::Number},
                          {"printwait", Kind::Text},  {"keeppainting", Kind::Flag}};
        m[QStringLiteral("splash screen")] = {{"text", Kind::Text}, {"windowstate", Kind::Text}, {"backcolor", Kind::Colour},
                              {"picture", Kind::Picture}, {"active", Kind::Flag}};
        for (const char* b : {"draw", "spray", "fill", "clear", "print", "save", "open", "quit", "sound"})
            m[QString::fromLatin1(b) + QStringLiteral(" button")] = kButtonKeys;
        const QVector<KeyRule> historyKeys = {{"picnormal", Kind::Picture},   {"pichighlight", Kind::Picture},
                                              {"picdown", Kind::Picture},     {"picinactive", Kind::Picture},
                                              {"tooltiptext", Kind::Text},    {"left", Kind::Number},
                                              {"top", Kind::Number}};
        m[QStringLiteral("undo button")] = historyKeys;
        m[QStringLiteral("redo button")] = historyKeys;
        return m;
    }();
    return s;
}

QStringList keysOf(const QVector<KeyRule>& rules)
{
    QStringList k;
    for (const KeyRule& s : rules)
        k << QString::fromLatin1(s.key);
    return k;
}

// A file key whose file is looked up once the whole configuration is read.
struct FileUse {
    int line;
    QString what;
    QString name;
    bool picture;
};

class PaintChecker {
public:
    PaintChecker(const QString& path, ThemeReport& report) : m_path(path), m_report(report) {}

    void run()
    {
        IniReader reader;
        if (!reader.open(m_path)) {
            m_report.problem(m_path, 0, startupFinding(QString(), pmsUnreadableConfiguration, m_path, QString(),
                                                       QStringLiteral("the file ") + reader.error()));
            return;
        }
        const QString first = reader.readItem();
        const QString declared = fioGetValue(first).trimmed();
        if (declared.compare(QLatin1String("zypaint"), Qt::CaseInsensitive) != 0
            && declared.compare(QLatin1String("brushbox"), Qt::CaseInsensitive) != 0) {
            m_report.problem(m_path, reader.itemLine(),
                             startupFinding(QStringLiteral("the first line must declare the file, as 'app=zypaint'"), pmsWrongDeclaration));
            return;
        }
        int lastLine = 0;
        bool lastComment = false;
        while (!reader.atEnd()) {
            const QString item = reader.readItem();
            m_line = reader.itemLine();
            if (item.trimmed().isEmpty())
                continue;
            // A comma ends a comment's item too: the rest of the line is read as a setting.
            const bool afterComment = m_line == lastLine && lastComment;
            lastComment = afterComment || item.trimmed().startsWith(QLatin1Char(';'));
            lastLine = m_line;
            if (afterComment) {
                problem(QStringLiteral("a comma in the comment on this line starts a new item: '%1' is read as a setting")
                            .arg(item.trimmed()));
                if (!item.contains(QLatin1Char('=')))
                    continue;
            }
            if (fioIsSection(item)) {
                enterSection(fioGetSection(item));
                continue;
            }
            handleItem(item);
        }
        leaveSection();
        finish();
    }

private:
    void problem(const QString& text) { m_report.problem(m_path, m_line, text); }
    QString where(const QString& key) const { return QStringLiteral("%1 in [%2]").arg(key, m_section); }

    void enterSection(const QString& name)
    {
        leaveSection();
        m_section = name;
        m_sectionKey = name.toLower();
        if (m_sectionKey == QLatin1String("catalogs"))
            return;
        if (!schema().contains(m_sectionKey)) {
            if (m_sectionKey.contains(QLatin1String("button")))
                problem(QStringLiteral("section [%1] is ignored: it is none of the button sections%2")
                            .arg(name, suggestion(name, schema().keys())));
            else
                problem(QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, schema().keys() << QStringLiteral("catalogs"))));
        }
    }

    void leaveSection()
    {
        if (m_splashActiveLine > 0 && !m_keysAfterSplashActive.isEmpty())
            m_report.problem(m_path, m_splashActiveLine,
                             QStringLiteral("'active' in [splash screen] shows the splash at once; the keys after it (%1) come too late")
                                 .arg(m_keysAfterSplashActive.join(QStringLiteral(", "))));
        m_splashActiveLine = 0;
        m_keysAfterSplashActive.clear();
    }

    void handleItem(const QString& item)
    {
        if (item.compare(QLatin1String("debug=1"), Qt::CaseInsensitive) == 0) {
            problem(QStringLiteral("debug=1 is on: the children will see \"Debug Mode\" at every start"));
            return;
        }
        if (m_sectionKey == QLatin1String("catalogs")) {
            catalogItem(item);
            return;
        }
        const QString key = fioGetKey(item);
        if (key.isEmpty())
            return;
        const QString value = fioGetValue(item);
        if (m_section.isEmpty()) {
            problem(QStringLiteral("'%1' stands before any section and is ignored").arg(key));
            return;
        }
        const auto section = schema().constFind(m_sectionKey);
        if (section == schema().constEnd())
            return; // the section itself was reported
        const KeyRule* rule = nullptr;
        for (const KeyRule& s : *section)
            if (key.compare(QLatin1String(s.key), Qt::CaseInsensitive) == 0)
                rule = &s;
        if (!rule) {
            problem(QStringLiteral("unknown key '%1' in [%2]%3").arg(key, m_section, suggestion(key, keysOf(*section))));
            return;
        }
        if (m_splashActiveLine > 0)
            m_keysAfterSplashActive << key;
        if (!item.contains(QLatin1Char('=')))
            problem(QStringLiteral("'%1' has no '=' and so no value").arg(key));
        checkValue(*rule, key, value);
    }

    void checkValue(const KeyRule& rule, const QString& key, const QString& value)
    {
        const QString lower = key.toLower();
        switch (rule.kind) {
        case Kind::Flag:
        case Kind::Number:
        case Kind::Colour:
            if (!looksNumeric(value))
                problem(QStringLiteral("%1: '%2' is not a number (it reads as 0)").arg(where(key), value));
            else if (rule.kind == Kind::Number && (mathLeadingNumber(value) > 32767 || mathLeadingNumber(value) < -32768))
                problem(QStringLiteral("%1: %2 does not fit (it is held at %3)").arg(where(key), value).arg(mathToInt16(value)));
            else if (rule.kind == Kind::Colour && !value.trimmed().isEmpty()
                     && (mathLeadingNumber(value) > 0xFFFFFF || mathLeadingNumber(value) < 0))
                problem(QStringLiteral("%1: %2 is no colour between 0 and &HFFFFFF").arg(where(key), value));
            if (m_sectionKey == QLatin1String("splash screen") && lower == QLatin1String("active") && mathToBool(value))
                m_splashActiveLine = m_line;
            if ((lower == QLatin1String("left") || lower == QLatin1String("top")) && looksNumeric(value)) {
                const int limit = lower == QLatin1String("left") ? 641 : 481;
                if (mathToInt16(value) < 0 || mathToInt16(value) >= limit)
                    problem(QStringLiteral("%1: %2 lies outside the 641 x 481 window, so the button cannot be seen")
                                .arg(where(key), value));
            }
            if (lower == QLatin1String("printdelay") && mathLeadingNumber(value) < 0)
                problem(QStringLiteral("%1: %2 is below 0 and reads as 0, no rest between prints").arg(where(key), value));
            break;
        case Kind::Shape:
            if (value.compare(QLatin1String("circle"), Qt::CaseInsensitive) != 0
                && value.compare(QLatin1String("rounded"), Qt::CaseInsensitive) != 0 && !value.isEmpty()
                && value.compare(QLatin1String("rectangle"), Qt::CaseInsensitive) != 0)
                problem(QStringLiteral("%1: '%2' is no shape; 'circle', 'rounded' or a rectangle (any other word)%3")
                            .arg(where(key), value, suggestion(value, {QStringLiteral("circle"), QStringLiteral("rounded")})));
            break;
        case Kind::Folder:
            folderKey(lower, value);
            break;
        case Kind::Picture:
        case Kind::Sound:
            fileKey(rule.kind == Kind::Picture, lower, key, value);
            break;
        case Kind::Text:
            if (m_sectionKey == QLatin1String("splash screen") && lower == QLatin1String("windowstate") && !value.isEmpty()
                && value.compare(QLatin1String("maximized"), Qt::CaseInsensitive) != 0)
                problem(QStringLiteral("%1: only 'maximized' has an effect").arg(where(key)));
            break;
        case Kind::Ignored:
            break;
        }
    }

    static QString folderOf(const QString& value)
    {
        QString f = fioExpandPath(value);
        if (!f.isEmpty())
            fioAddBackslash(f);
        return f;
    }

    void folderKey(const QString& key, const QString& value)
    {
        const QString folder = folderOf(value);
        if (const QString w = programFolderWarning(m_path, where(key), value); !w.isEmpty())
            problem(w);
        if (key == QLatin1String("catalog")) {
            if (value.isEmpty())
                return;
            m_catalog = folder;
            m_catalogWillExist = true;
            if (fioDirExists(folder))
                return;
            if (!fioIsFullPath(folder)) {
                problem(startupFinding(where(key), pmsRelativeCatalogFolder, fioExpandPath(value)));
                m_catalogWillExist = false;
            } else if (const QString why = folderCreationProblem(folder); !why.isEmpty()) {
                problem(startupFinding(where(key), pmsCatalogFolderNotMade, fioRemoveBackslash(folder), why));
                m_catalogWillExist = false;
            }
            return;
        }
        PaintMessageNumber message = pmsBadPicturePath;
        if (key == QLatin1String("gfx")) {
            m_gfx = folder;
            message = pmsBadGraphicsPath;
        } else if (key == QLatin1String("snd")) {
            m_snd = folder;
            message = pmsBadSoundPath;
        } else {
            m_picture = folder;
        }
        if (!fioDirExists(folder))
            m_report.folderProblem(m_path, m_line, folder, startupFinding(where(key), message, fioExpandPath(value)));
    }

    void fileKey(bool picture, const QString& lower, const QString& key, const QString& value)
    {
        if (m_sectionKey == QLatin1String("interface") && lower == QLatin1String("background")) {
            m_background = value;
            m_backgroundLine = m_line;
            return;
        }
        if (value.isEmpty())
            return;
        // These two are looked up the moment they are read.
        const bool atOnce = lower == QLatin1String("paintpicture")
                            || (m_sectionKey == QLatin1String("splash screen") && lower == QLatin1String("picture"));
        if (atOnce) {
            const bool splash = lower == QLatin1String("picture");
            if (m_gfx.isEmpty())
                problem(QStringLiteral("%1 stands before the gfx folder is set in [path] and looks in the current folder").arg(where(key)));
            if (!splash) {
                if (!m_gfx.isEmpty())
                    m_report.checkPicture(m_path, m_line, m_gfx + value, where(key));
            } else if (const QString why = pictureProblem(m_gfx + value); !why.isEmpty() && !m_report.hides(m_gfx + value)) {
                problem(startupFinding(where(key), pmsSplashPicture, m_gfx + value, QString(), why));
            }
            return;
        }
        m_later.push_back(FileUse{m_line, where(key), value, picture});
    }

    void catalogItem(const QString& item)
    {
        const QString trimmed = item.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
            return;
        const QString name = strGetTab(item, 1);
        const QString lockedText = strGetTab(item, 2);
        if (!item.contains(QLatin1Char('\t')))
            problem(QStringLiteral("catalog '%1' has no TAB and locked number; it is taken as a children's catalog").arg(name));
        else if (!looksNumeric(lockedText))
            problem(QStringLiteral("catalog '%1': '%2' is not a number (0 children's catalog, 1 supplied)").arg(name, lockedText));
        m_catalogs.push_back({m_line, name, mathToBool(lockedText)});
    }

    // Why start-up would not show the picture at path; empty when it would.
    static QString pictureProblem(const QString& path)
    {
        if (!fioFileExists(path))
            return QStringLiteral("the file ") + fileProblem(path);
        QString why;
        return loadPicture(path, &why).isNull() ? why : QString();
    }

    void finish()
    {
        if (const QString why = pictureProblem(m_gfx + m_background);
            !why.isEmpty() && (m_background.isEmpty() || !m_report.hides(m_gfx + m_background)))
            m_report.problem(m_path, m_backgroundLine,
                             startupFinding(m_backgroundLine ? QStringLiteral("background in [interface]") : QStringLiteral("[interface] names no background"),
                                            pmsMainBackground, m_gfx + m_background, QString(),
                                            m_background.isEmpty() ? QString() : why));
        if (m_gfx.isEmpty())
            m_report.problem(m_path, 0, QStringLiteral("[path] sets no gfx folder"));
        if (m_snd.isEmpty())
            m_report.problem(m_path, 0, QStringLiteral("[path] sets no snd folder"));
        for (const FileUse& use : m_later) {
            if (use.picture)
                m_report.checkPicture(m_path, use.line, m_gfx + use.name, use.what);
            else
                m_report.checkSound(m_path, use.line, m_snd + use.name, use.what);
        }
        for (const Catalog& c : m_catalogs) {
            if (!c.name.isEmpty() && !pntIsPlainFolderName(c.name)) {
                m_report.problem(m_path, c.line, startupFinding(QString(), pmsCatalogNameNotPlain, c.name));
                continue;
            }
            if (c.locked) {
                if (m_picture.isEmpty())
                    m_report.problem(m_path, c.line, QStringLiteral("supplied catalog '%1': [path] sets no picture folder").arg(c.name));
                else
                    m_report.checkFolder(m_path, c.line, m_picture + c.name, QStringLiteral("supplied catalog '%1'").arg(c.name));
                continue;
            }
            if (fioDirExists(m_catalog + c.name))
                continue;
            if (!m_catalogWillExist) {
                m_report.problem(m_path, c.line, startupFinding(QStringLiteral("catalog '%1'").arg(c.name), pmsNoCatalogFolder, m_catalog, c.name));
                continue;
            }
            if (fioDirExists(m_catalog)) {
                if (const QString why = folderCreationProblem(m_catalog + c.name); !why.isEmpty()) {
                    m_report.problem(m_path, c.line, startupFinding(QStringLiteral("catalog '%1'").arg(c.name), pmsCatalogFolderNotMade,
                                                                    m_catalog + c.name, why));
                    continue;
                }
            }
            QString icon, ext;
            for (const char* e : {".bmp", ".gif", ".jpg"})
                if (icon.isEmpty() && fioFileExists(m_gfx + c.name + QLatin1String(e))) {
                    ext = QLatin1String(e);
                    icon = m_gfx + c.name + ext;
                }
            if (icon.isEmpty())
                m_report.problem(m_path, c.line, startupFinding(QStringLiteral("catalog '%1'").arg(c.name), pmsCatalogIcon, m_gfx + c.name,
                                                                m_catalog + c.name));
            else if (const QFileInfo file(resolvePath(icon)); !file.isReadable() || file.size() > maxFileBytes(FileKind::Picture))
                m_report.problem(m_path, c.line, startupFinding(QStringLiteral("catalog '%1'").arg(c.name), pmsCatalogIconNotCopied,
                                                                resolvePath(icon), m_catalog + c.name + ext));
        }
    }

    struct Catalog {
        int line;
        QString name;
        bool locked;
    };

    QString m_path;
    ThemeReport& m_report;
    int m_line = 0;
    QString m_section, m_sectionKey;
    QString m_gfx, m_snd, m_picture, m_catalog;
    bool m_catalogWillExist = false; // it exists, or start-up can make it
    QString m_background;
    int m_backgroundLine = 0;
    int m_splashActiveLine = 0;
    QStringList m_keysAfterSplashActive;
    QVector<FileUse> m_later;
    QVector<Catalog> m_catalogs;
};

} // namespace

void checkPaintConfiguration(const QString& path, ThemeReport& report)
{
    if (!fioFileExists(path))
        report.problem(path, 0, startupFinding(QString(), pmsNoConfiguration, path, QString(),
                                               fileProblem(path) == QLatin1String("is missing") ? QString()
                                                                                                : QStringLiteral("the file ") + fileProblem(path)));
    else
        PaintChecker(path, report).run();
}

int runPaintCheck(const QStringList& configuration)
{
    const ConfigurationFile found = gamFindConfiguration(QStringLiteral("zypaint.ini"), configuration);
    const QString path = found.path;
    if (!path.isEmpty())
        std::printf("Checking %s (%s)\n", qUtf8Printable(path), qUtf8Printable(found.reason));
    ThemeReport report;
    if (path.isEmpty())
        report.problem(QStringLiteral("zypaint.ini"), 0,
                       QStringLiteral("not found; looked for %1").arg(gamPlacesLookedIn(QStringLiteral("zypaint.ini"))));
    else
        checkPaintConfiguration(path, report);
    for (const QString& line : report.lines())
        std::printf("%s\n", qUtf8Printable(line));
    if (report.clean())
        std::printf("%s: no problems found\n", qUtf8Printable(path));
    return report.clean() ? 0 : 1;
}
