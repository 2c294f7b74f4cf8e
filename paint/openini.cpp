// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/openini.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/gfx.h"
#include "common/inireader.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/string32.h"
#include "common/themecheck.h"
#include "paint/catalogs.h"
#include "paint/companions.h"
#include "paint/frm_splash.h"
#include "paint/lineini.h"
#include "paint/paintmessages.h"
#include "platform/files.h"
#include "platform/msgbox.h"
#include "platform/picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRect>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

PaintSettingsRecord PaintSettings;
bool bolDebug = false;
bool bolButtonSound = false;
int16_t intTool = 0;

namespace {

bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

void debugLog(const QString& line)
{
    if (bolDebug)
        pntWriteLog(line);
}

// Makes one folder level (live), or says why making it would fail (checking); empty when it
// is, or would be, made.
QString folderProblem(const QString& folder, bool live)
{
    const QString path = fioRemoveBackslash(folder);
    if (live) {
        // Inside a class folder what is made takes its group bits; one made meanwhile counts.
        QString why;
        return makeFolder(folder, &why) ? QString() : why;
    }
    int error = 0;
    if (const QFileInfo info(path); info.exists() || info.isSymLink()) {
        error = EEXIST;
    } else if (!QFileInfo(info.path()).isDir()) {
        error = ENOENT;
    } else if (::access(QFile::encodeName(info.path()).constData(), W_OK | X_OK) != 0) {
        error = EACCES;
    }
    return error ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}

// A folder value written without its trailing separator still names the folder, so that file
// names are not glued to the folder's own name; spelt as on disk, so catalogs are made inside it.
QString folderPath(const QString& value)
{
    QString folder = fioExpandPath(value);
    if (!folder.isEmpty())
        fioAddBackslash(folder);
    return resolvePath(folder);
}

// One read of zypaint.ini by its table. Live (start-up) it fills the settings and acts as it
// reads: makes catalogs, dresses and shows the splash screen; checking (--check) it only looks,
// and says more.
class PaintReader {
public:
    PaintReader(PaintSettingsRecord& settings, Findings& findings, const ConfigurationFile* configuration)
        : s(settings), found(findings), live(!findings.checking()), taken(configuration)
    {
    }

    // False when the program must end.
    bool read(IniFiles& files);
    KeyTable table();

private:
    PaintSettingsRecord& s;
    Findings& found;
    const bool live;
    const ConfigurationFile* taken;
    int catalogCounter = -1;
    bool catalogWillExist = false; // the catalog folder exists, or start-up can make it
    int splashActiveLine = 0;
    QStringList afterSplash;
    int backgroundLine = 0;
    int historyLine[2] = {}; // where the undo and redo buttons are placed, or their sections
    struct Later {
        int line;
        QString what, name;
        bool picture;
    };
    QVector<Later> later; // files looked up once the whole file is read, as the window loads them

    void tell(int line, const QString& what, PaintMessageNumber number, const QString& info = QString(),
              const QString& info2 = QString(), const QString& note = QString(), const QString& folder = QString())
    {
        const PaintMessage m = paintMessage(number, info, info2);
        found.tell(Finding{found.file(), line, m.text, number, m.fatal, what, note, QString(), folder});
    }

    void folderKey(const KeyLine& k, PaintFolder& folder, PaintMessageNumber message);
    void catalogFolder(const KeyLine& k);
    void catalogItem(const QString& item, int line);
    void checkFigures(const QString& catalog);
    void atOnce(const KeyLine& k, bool splash);
    void splashKey(const KeyLine& k);
    void finish();
    void historyOverlaps();

    // Catalogs that share a problem are told once, with how many have it, not in a box for each:
    // ten thousand catalogs must not mean ten thousand boxes before the window.
    struct Repeated {
        PaintMessageNumber number;
        QString text;
        int line, count;
    };
    QVector<Repeated> pending;
    void catalogMessage(int line, const QString& what, PaintMessageNumber number, const QString& info, const QString& info2 = QString())
    {
        if (!live)
            return tell(line, what, number, info, info2);
        for (Repeated& r : pending)
            if (r.number == number) {
                ++r.count;
                return;
            }
        pending.append({number, paintMessage(number, info, info2).text, line, 1});
    }
    void flushCatalogMessages()
    {
        for (const Repeated& r : pending)
            found.tell(Finding{found.file(), r.line,
                               r.count == 1 ? r.text : r.text + QStringLiteral("\r\n(%1 more catalogs have the same problem.)").arg(r.count - 1),
                               r.number});
        pending.clear();
    }

    // The names in the catalog folder, read once: looking each catalog up on its own would read
    // the whole folder again for each, and ten thousand catalogs would take minutes.
    QString catalogNamesOf;
    QHash<QString, QString> catalogNames; // lower case -> as on disk
    bool catalogFolderHas(const QString& folder, const QString& name)
    {
        if (folder != catalogNamesOf) {
            catalogNamesOf = folder;
            catalogNames.clear();
            for (const QString& n : listDir(folder, ListKind::FoldersOnly))
                catalogNames.insert(n.toLower(), n);
        }
        const auto it = catalogNames.constFind(name.toLower());
        return it != catalogNames.constEnd() && fioDirExists(folder + *it);
    }

    // Fills for the rows: a field of the settings, and for a file the check --check makes of it.
    static std::function<void(const KeyLine&)> text(QString& f) { return [&f](const KeyLine& k) { f = k.value; }; }
    static std::function<void(const KeyLine&)> flag(bool& f) { return [&f](const KeyLine& k) { f = mathToBool(k.value); }; }
    static std::function<void(const KeyLine&)> colour(uint32_t& f) { return [&f](const KeyLine& k) { f = mathToColor(k.value); }; }
    std::function<void(const KeyLine&)> file(QString& f, bool picture)
    {
        return [this, &f, picture](const KeyLine& k) {
            f = k.value;
            if (!live && !k.value.isEmpty())
                later.push_back({k.line, k.what, k.value, picture});
        };
    }
    std::function<void(const KeyLine&)> picture(QString& f) { return file(f, true); }
    std::function<void(const KeyLine&)> sound(QString& f) { return file(f, false); }
    std::function<void(const KeyLine&)> button(PictureSlot PaintButton::*slot)
    {
        return [this, slot](const KeyLine& k) { picture((s.buttons[size_t(k.index)].*slot).file)(k); };
    }
    std::function<void(const KeyLine&)> history(PictureSlot HistoryButton::*slot)
    {
        return [this, slot](const KeyLine& k) { picture(((k.index ? s.redoButton : s.undoButton).*slot).file)(k); };
    }
    QVector<KeyRow> dialogRows(DialogButton* buttons, std::initializer_list<std::pair<const char*, int>> names);
};

QVector<KeyRow> PaintReader::dialogRows(DialogButton* buttons, std::initializer_list<std::pair<const char*, int>> names)
{
    // The key texts live as long as the program: rows name their keys by pointer.
    static QList<QByteArray> keys;
    QVector<KeyRow> rows;
    for (const auto& [prefix, index] : names) {
        DialogButton& b = buttons[index];
        // "up" and "down" have inactive pictures; open, cancel and save do not.
        const bool inactive = is(QLatin1String(prefix), "up") || is(QLatin1String(prefix), "down");
        const std::pair<const char*, PictureSlot*> states[] = {
            {"normal", &b.normal}, {"highlight", &b.highlight}, {"down", &b.down}, {"inactive", inactive ? &b.inactive : nullptr}};
        for (const auto& [state, slot] : states)
            if (slot) {
                keys << QByteArray(prefix) + state;
                rows << KeyRow{keys.last().constData(), KeyKind::Picture, picture(slot->file)};
            }
        keys << QByteArray(prefix) + "tooltip";
        rows << KeyRow{keys.last().constData(), KeyKind::Text, text(b.tooltip)};
    }
    return rows;
}

KeyTable PaintReader::table()
{
    auto& i = s.interface;
    auto& n = s.nameText;
    auto& c = s.current;
    auto& p = s.palette;
    auto& o = s.open;
    auto& v = s.save;
    const auto outside = [](const KeyLine& k) {
        const int limit = is(k.key, "left") ? 641 : 481;
        return looksNumeric(k.value) && (mathToInt16(k.value) < 0 || mathToInt16(k.value) >= limit)
                   ? QStringLiteral("%1: %2 lies outside the 641 x 481 window, so the button cannot be seen").arg(k.what, k.value)
                   : QString();
    };
    const auto position = [this](const KeyLine& k) {
        HistoryButton& b = k.index ? s.redoButton : s.undoButton;
        (is(k.key, "left") ? b.left : b.top) = mathToInt16(k.value);
        historyLine[k.index] = k.line;
    };
    const KeySection before{{QString()}, {}, QString(), QStringLiteral("'%1' stands before any section and is ignored")};
    QVector<KeySection> sections = {
        before,
        {{QStringLiteral("draw button"), QStringLiteral("spray button"), QStringLiteral("fill button"), QStringLiteral("clear button"),
          QStringLiteral("print button"), QStringLiteral("save button"), QStringLiteral("open button"), QStringLiteral("quit button"),
          QStringLiteral("sound button")},
         {{"active", KeyKind::Flag, [this](const KeyLine& k) { s.buttons[size_t(k.index)].active = mathToBool(k.value); }},
          {"activemade", KeyKind::Flag, [this](const KeyLine& k) { s.buttons[size_t(k.index)].activemade = mathToBool(k.value); }},
          {"picnormal", KeyKind::Picture, button(&PaintButton::normal)},
          {"pichighlight", KeyKind::Picture, button(&PaintButton::highlight)},
          {"picdown", KeyKind::Picture, button(&PaintButton::down)},
          {"picinactive", KeyKind::Picture, button(&PaintButton::inactive)},
          {"piccurrent", KeyKind::Picture, button(&PaintButton::current)},
          {"piccurmini", KeyKind::Picture, button(&PaintButton::curmini)},
          {"tooltiptext", KeyKind::Text, [this](const KeyLine& k) { s.buttons[size_t(k.index)].tooltip = k.value; }}}},
        {{QStringLiteral("undo button"), QStringLiteral("redo button")},
         {{"picnormal", KeyKind::Picture, history(&HistoryButton::normal)},
          {"pichighlight", KeyKind::Picture, history(&HistoryButton::highlight)},
          {"picdown", KeyKind::Picture, history(&HistoryButton::down)},
          {"picinactive", KeyKind::Picture, history(&HistoryButton::inactive)},
          {"tooltiptext", KeyKind::Text, [this](const KeyLine& k) { (k.index ? s.redoButton : s.undoButton).tooltip = k.value; }},
          {"left", KeyKind::Short, position, outside},
          {"top", KeyKind::Short, position, outside}}},
        {{QStringLiteral("path")},
         {{"gfx", KeyKind::Folder, [this](const KeyLine& k) { folderKey(k, s.gfx, pmsBadGraphicsPath); }},
          {"snd", KeyKind::Folder, [this](const KeyLine& k) { folderKey(k, s.snd, pmsBadSoundPath); }},
          {"picture", KeyKind::Folder, [this](const KeyLine& k) { folderKey(k, s.picture, pmsBadPicturePath); }},
          {"catalog", KeyKind::Folder, [this](const KeyLine& k) { catalogFolder(k); }}}},
        {{QStringLiteral("interface")},
         {{"background", KeyKind::Picture, [this](const KeyLine& k) { s.interface.background = k.value, backgroundLine = k.line; }},
          {"startsound", KeyKind::Sound, sound(i.startsound)},
          {"buttonsound", KeyKind::Sound, sound(i.buttonsound)},
          {"goodsound", KeyKind::Sound, sound(i.goodsound)},
          {"paintpicture", KeyKind::Picture, [this](const KeyLine& k) { atOnce(k, false); }},
          {"smallquit", KeyKind::Picture, picture(i.smallquit)},
          {"smallhelp", KeyKind::Picture, picture(i.smallhelp)}}},
        {{QStringLiteral("help")}, {{"picture", KeyKind::Picture, picture(s.help.picture)}, {"active", KeyKind::Flag, flag(s.help.active)}}},
        {{QStringLiteral("name text")},
         {{"fontname", KeyKind::Text, text(n.fontname)},
          {"fontsize", KeyKind::Short, [&n](const KeyLine& k) { n.fontsize = mathToInt16(k.value); }},
          {"forecolor", KeyKind::Colour, colour(n.forecolor)},
          {"border", KeyKind::Flag, flag(n.border)},
          {"active", KeyKind::Flag, flag(n.active)}}},
        {{QStringLiteral("function")}, {{"lockcolor", KeyKind::Colour, colour(s.function.lockcolor)}}},
        {{QStringLiteral("current")},
         {{"active", KeyKind::Flag, flag(c.active)},
          {"startcolor", KeyKind::Colour, colour(c.startcolor)},
          {"shape", KeyKind::Text, [&c](const KeyLine& k) { c.shape = is(k.value, "circle") ? 3 : is(k.value, "rounded") ? 4 : 0; },
           [](const KeyLine& k) {
               return k.value.isEmpty() || is(k.value, "circle") || is(k.value, "rounded") || is(k.value, "rectangle")
                          ? QString()
                          : QStringLiteral("%1: '%2' is no shape; 'circle', 'rounded' or a rectangle (any other word)%3")
                                .arg(k.what, k.value, suggestion(k.value, {QStringLiteral("circle"), QStringLiteral("rounded")}));
           }},
          {"curborder", KeyKind::Ignored},
          {"curbordercol", KeyKind::Ignored},
          {"lockcoloron", KeyKind::Ignored},
          {"activemade", KeyKind::Ignored}}},
        {{QStringLiteral("palette")},
         {{"active", KeyKind::Flag, flag(p.active)},
          {"activemade", KeyKind::Flag, flag(p.activemade)},
          {"normal", KeyKind::Picture, picture(p.normal.file)},
          {"inactive", KeyKind::Picture, picture(p.inactive.file)}}},
        {{QStringLiteral("open")},
         QVector<KeyRow>{{"background", KeyKind::Picture, picture(o.background)},
                         {"helppicture", KeyKind::Picture, picture(o.helpPicture)},
                         {"sound", KeyKind::Sound, sound(o.sound)},
                         {"helpactive", KeyKind::Flag, flag(o.helpActive)},
                         {"largeicons", KeyKind::Flag, flag(o.largeIcons)},
                         {"catalogstooltip", KeyKind::Text, text(o.catalogsTooltip)},
                         {"filestooltip", KeyKind::Text, text(o.filesTooltip)}}
             + dialogRows(o.buttons.data(), {{"open", OpenSettings::Open}, {"cancel", OpenSettings::Cancel},
                                              {"up", OpenSettings::Up}, {"down", OpenSettings::Down}})},
        {{QStringLiteral("save")},
         QVector<KeyRow>{{"background", KeyKind::Picture, picture(v.background)},
                         {"helppicture", KeyKind::Picture, picture(v.helpPicture)},
                         {"sound", KeyKind::Sound, sound(v.sound)},
                         {"helpactive", KeyKind::Flag, flag(v.helpActive)},
                         {"largeicons", KeyKind::Flag, flag(v.largeIcons)},
                         {"catalogstooltip", KeyKind::Text, text(v.catalogsTooltip)},
                         {"savecatalogtooltip", KeyKind::Text, text(v.saveCatalogTooltip)}}
             + dialogRows(v.buttons.data(), {{"save", SaveSettings::Save}, {"cancel", SaveSettings::Cancel}})},
        {{QStringLiteral("classroom")}, classroomRows(s.classroom, true)},
        {{QStringLiteral("splash screen")},
         {{"text", KeyKind::Text, [this](const KeyLine& k) { splashKey(k); }},
          {"windowstate", KeyKind::Text, [this](const KeyLine& k) { splashKey(k); },
           [](const KeyLine& k) {
               return k.value.isEmpty() || is(k.value, "maximized") ? QString() : QStringLiteral("%1: only 'maximized' has an effect").arg(k.what);
           }},
          {"backcolor", KeyKind::Colour, [this](const KeyLine& k) { splashKey(k); }},
          {"picture", KeyKind::Picture, [this](const KeyLine& k) { splashKey(k); }},
          {"active", KeyKind::Flag, [this](const KeyLine& k) { splashKey(k); }}}},
        {{QStringLiteral("catalogs")}, {}, QString(), QString(), [this](const QString& item, int line) { catalogItem(item, line); }},
    };
    KeyTable t{sections};
    t.unknownSection = [names = t.sectionNames()](const QString& name) {
        if (name.contains(QLatin1String("button"), Qt::CaseInsensitive))
            return QStringLiteral("section [%1] is ignored: it is none of the button sections%2").arg(name, suggestion(name, names));
        return QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, names));
    };
    t.eachItem = [this](const QString& item, int line) {
        if (!is(item, "debug=1"))
            return false;
        if (!live) {
            found.say(line, QStringLiteral("debug=1 is on: the children will see \"Debug Mode\" at every start"));
            return true;
        }
        msgBox(QStringLiteral("Debug Mode"));
        bolDebug = true;
        // Which file this is, and why it was the one taken.
        const ConfigurationFile f = taken ? *taken : gamFindConfiguration(QStringLiteral("zypaint.ini"), QCoreApplication::arguments().mid(1));
        if (f.path == found.file())
            pntWriteLog(QStringLiteral("--> OpenINI: ") + f.path + QStringLiteral(" (") + f.reason + QStringLiteral(")"));
        return false;
    };
    t.onSection = [this](const QString& name, int line) {
        if (live)
            flushCatalogMessages();
        if (splashActiveLine > 0 && !afterSplash.isEmpty())
            found.say(splashActiveLine, QStringLiteral("'active' in [splash screen] shows the splash at once; the keys after it (%1) come too late")
                                            .arg(afterSplash.join(QStringLiteral(", "))));
        splashActiveLine = 0;
        afterSplash.clear();
        if (is(name, "undo button") || is(name, "redo button"))
            (is(name, "undo button") ? s.undoButton : s.redoButton).present = true, historyLine[is(name, "redo button")] = line;
    };
    return t;
}

// Messages and log lines name a folder as its value expands, without the separator added for
// joining file names to it.
void PaintReader::folderKey(const KeyLine& k, PaintFolder& folder, PaintMessageNumber message)
{
    folder.raw = k.value;
    folder.expanded = folderPath(k.value);
    if (!live)
        if (const QString w = programFolderWarning(found.file(), k.what, k.value); !w.isEmpty())
            found.say(k.line, w);
    const bool missing = !fioDirExists(folder.expanded);
    if (missing)
        tell(k.line, k.what, message, fioExpandPath(k.value), QString(), QString(), folder.expanded);
    if (message == pmsBadPicturePath && found.going())
        debugLog(QStringLiteral("--> OpenINI: Bildkatalog(picture): ") + fioExpandPath(k.value) + QStringLiteral(" (") + folder.raw
                 + QStringLiteral(")"));
}

void PaintReader::catalogFolder(const KeyLine& k)
{
    if (k.value.isEmpty())
        return;
    if (!live)
        if (const QString w = programFolderWarning(found.file(), k.what, k.value); !w.isEmpty())
            found.say(k.line, w);
    s.catalog.raw = k.value;
    const QString folder = s.catalog.expanded = folderPath(k.value);
    const QString written = fioExpandPath(k.value);
    catalogWillExist = true;
    if (live && bolDebug) {
        pntWriteLog(QStringLiteral("--> OpenINI: Användarkatalog(catalog): ") + written);
        msgBox(QStringLiteral("Användarkatalog: ") + written);
        pntWriteLog(QStringLiteral("--> OpenINI: Användarkatalog(catalog): Undersöker om den finns..."));
    }
    if (fioDirExists(folder))
        return;
    if (fioIsFullPath(folder)) {
        if (live && bolDebug) {
            msgBox(QStringLiteral("Katalogen '") + written + QStringLiteral("' skapas..."));
            pntWriteLog(QStringLiteral("----> OpenINI: Användarkatalog(catalog): fanns ej, skapar: '") + fioRemoveBackslash(folder)
                        + QStringLiteral("'..."));
        }
        if (const QString why = folderProblem(folder, live); !why.isEmpty()) {
            catalogWillExist = false;
            tell(k.line, k.what, pmsCatalogFolderNotMade, fioRemoveBackslash(folder), why);
        }
        return;
    }
    catalogWillExist = false;
    tell(k.line, k.what, pmsRelativeCatalogFolder, written);
    debugLog(QStringLiteral("----> OpenINI: Användarkatalog(catalog): fanns ej, kan EJ skapa: ") + fioRemoveBackslash(folder));
}

void PaintReader::catalogItem(const QString& item, int line)
{
    // A comment is no catalog: creating a folder named after it helps nobody.
    if (item.trimmed().isEmpty() || item.trimmed().startsWith(QLatin1Char(';')))
        return;
    ++catalogCounter;
    s.catalogs.resize(catalogCounter + 2);
    debugLog(QStringLiteral("--> OpenINI: bildanvändarkatalog: antal: %1, array %2").arg(catalogCounter).arg(s.catalogs.size() - 1));
    UserCatalog& cat = s.catalogs[catalogCounter];
    cat.name = strGetTab(item, 1);
    cat.locked = mathToBool(strGetTab(item, 2));
    debugLog(QStringLiteral("----> OpenINI: bildanvändarkatalog: (%1)%2, locked: %3")
                 .arg(catalogCounter)
                 .arg(cat.name, cat.locked ? QStringLiteral("True") : QStringLiteral("False")));
    const QString what = QStringLiteral("catalog '%1'").arg(cat.name);
    if (!item.contains(QLatin1Char('\t')))
        found.say(line, QStringLiteral("catalog '%1' has no TAB and locked number; it is taken as a children's catalog").arg(cat.name));
    else if (!looksNumeric(strGetTab(item, 2)))
        found.say(line, QStringLiteral("catalog '%1': '%2' is not a number (0 children's catalog, 1 supplied)").arg(cat.name, strGetTab(item, 2)));
    // A name like "..\x" would make and save into folders outside the catalog folder.
    if (!cat.name.isEmpty() && !pntIsPlainFolderName(cat.name))
        return catalogMessage(line, QString(), pmsCatalogNameNotPlain, cat.name);
    if (cat.locked) {
        if (!live && s.picture.expanded.isEmpty())
            found.say(line, QStringLiteral("supplied catalog '%1': [path] sets no picture folder").arg(cat.name));
        else if (!live && !fioDirExists(s.picture.expanded + cat.name))
            found.tell(Finding{found.file(), line,
                               QStringLiteral("supplied catalog '%1': folder '%2' does not exist").arg(cat.name, s.picture.expanded + cat.name),
                               0, false, {}, {}, {}, {}, s.picture.expanded + cat.name});
        else if (!live)
            checkFigures(s.picture.expanded + cat.name);
        return;
    }
    debugLog(QStringLiteral("------> OpenINI: bildanvändarkatalog: (%1)%2, ej låst").arg(catalogCounter).arg(cat.name));
    const QString catalogFolder = s.catalog.expanded;
    const QString gfx = s.gfx.expanded;
    if (catalogFolderHas(catalogFolder, cat.name))
        return;
    if (!(live ? fioDirExists(catalogFolder) : catalogWillExist)) {
        catalogMessage(line, what, pmsNoCatalogFolder, catalogFolder, cat.name);
        debugLog(QStringLiteral("--------> OpenINI: bildanvändarkatalog: (%1)%2, Kan ej skapa användarkatalog. Katalog '%3' har ej skapats.")
                     .arg(catalogCounter)
                     .arg(cat.name, catalogFolder));
        return;
    }
    if (const QString why = fioDirExists(catalogFolder) ? folderProblem(catalogFolder + cat.name, live) : QString(); !why.isEmpty()) {
        flushCatalogMessages();
        return tell(line, what, pmsCatalogFolderNotMade, catalogFolder + cat.name, why);
    }
    catalogNames.insert(cat.name.toLower(), cat.name);
    for (const char* ext : {".bmp", ".gif", ".jpg"}) {
        const QString icon = gfx + cat.name + QLatin1String(ext);
        if (!fioFileExists(icon))
            continue;
        const QString target = catalogFolder + cat.name + QLatin1String(ext);
        const bool copied = live ? copyRegularFile(resolvePath(icon), target, FileKind::Picture) || fioFileExists(target)
                                 : QFileInfo(resolvePath(icon)).isReadable()
                                       && QFileInfo(resolvePath(icon)).size() <= maxFileBytes(FileKind::Picture);
        if (!copied)
            catalogMessage(line, what, pmsCatalogIconNotCopied, resolvePath(icon), target);
        return;
    }
    catalogMessage(line, what, pmsCatalogIcon, gfx + cat.name, catalogFolder + cat.name);
}

// The figure files beside the pictures of a supplied catalog.
void PaintReader::checkFigures(const QString& catalog)
{
    const QString folder = catalog + QLatin1Char('/');
    for (const QString& name : listDir(folder, ListKind::FilesOnly))
        if (const QString figure = pntCanBePicture(name) ? pntFigureFile(folder + name) : QString(); !figure.isEmpty()) {
            Findings inFigure(figure, [this](const Finding& f) { return found.tell(f), true; }, true);
            LineFigure ignored;
            pntReadFigure(ignored, inFigure);
        }
}

// paintpicture and the splash picture are looked up the moment they are read, in the gfx folder
// as it stands then.
void PaintReader::atOnce(const KeyLine& k, bool splash)
{
    if (k.value.isEmpty())
        return;
    const QString path = s.gfx.expanded + k.value;
    if (!live && s.gfx.expanded.isEmpty())
        found.say(k.line, QStringLiteral("%1 stands before the gfx folder is set in [path] and looks in the current folder").arg(k.what));
    if (!splash && !live) {
        if (!s.gfx.expanded.isEmpty())
            if (const Finding f = fileFinding(found.file(), k.line, k.what, path, true); !f.words.isEmpty())
                found.tell(f);
        return;
    }
    QString why;
    bool opened = false;
    const QImage image = loadPicture(path, &why, QSize(), &opened);
    if (!splash) {
        s.paintPicture = image;
    } else if (!image.isNull()) {
        if (live)
            splashWindow(frm_Splash::Kind::Paint)->setPicture(image);
    } else {
        const PaintMessage m = paintMessage(pmsSplashPicture, path);
        found.tell(Finding{found.file(), k.line, m.text, pmsSplashPicture, m.fatal, k.what,
                           live ? QString() : opened ? why : QStringLiteral("the file ") + fileProblem(path), {}, {}, path});
    }
}

void PaintReader::splashKey(const KeyLine& k)
{
    if (splashActiveLine > 0)
        afterSplash << k.key;
    if (is(k.key, "picture"))
        return atOnce(k, true);
    if (is(k.key, "active") && mathToBool(k.value))
        splashActiveLine = k.line;
    if (!live)
        return;
    frm_Splash* splash = splashWindow(frm_Splash::Kind::Paint);
    if (is(k.key, "text")) {
        splash->setText(k.value);
    } else if (is(k.key, "windowstate")) {
        if (is(k.value, "maximized"))
            splash->setMaximized();
    } else if (is(k.key, "backcolor")) {
        if (!k.value.isEmpty())
            splash->setBackColor(mathToColor(k.value));
    } else if (mathToBool(k.value)) {
        debugLog(QStringLiteral("--> OpenINI: visar splash"));
        splash->showAndWait();
        if (bolEndRequested)
            found.stop();
    }
}

bool PaintReader::read(IniFiles& files)
{
    IniReader file;
    if (!files.open(file, found.file())) {
        const QString why = fileProblem(found.file());
        if (file.regular())
            tell(0, QString(), pmsUnreadableConfiguration, found.file(), QString(), QStringLiteral("the file ") + file.error());
        else
            tell(0, QString(), pmsNoConfiguration, found.file(), QString(), why == QLatin1String("is missing") ? QString() : QStringLiteral("the file ") + why);
        return false;
    }
    const QString declared = fioGetValue(file.readItem());
    if (!is(declared, "zypaint") && !is(declared, "brushbox")) {
        tell(file.itemLine(), live ? QString() : QStringLiteral("the first line must declare the file, as 'app=zypaint'"), pmsWrongDeclaration);
        return false;
    }
    walkKeys(file, table(), found);
    if (!found.going())
        return false;
    if (!live)
        finish();
    return true;
}

// What start-up looks up as it builds the window, once the whole file is read.
void PaintReader::finish()
{
    const QString& gfx = s.gfx.expanded;
    const QString& background = s.interface.background;
    QString why;
    bool opened = false;
    if (loadPicture(gfx + background, &why, QSize(), &opened).isNull())
        found.tell(Finding{found.file(), backgroundLine, paintMessage(pmsMainBackground, gfx + background).text, pmsMainBackground, false,
                           backgroundLine ? QStringLiteral("background in [interface]") : QStringLiteral("[interface] names no background"),
                           background.isEmpty() ? QString() : opened ? why : QStringLiteral("the file ") + fileProblem(gfx + background),
                           {}, {}, background.isEmpty() ? QString() : gfx + background});
    if (gfx.isEmpty())
        found.say(0, QStringLiteral("[path] sets no gfx folder"));
    if (s.snd.expanded.isEmpty())
        found.say(0, QStringLiteral("[path] sets no snd folder"));
    for (const Later& l : later)
        if (const Finding f = fileFinding(found.file(), l.line, l.what, (l.picture ? gfx : s.snd.expanded) + l.name, l.picture); !f.words.isEmpty())
            found.tell(f);
    historyOverlaps();
}

// The undo and redo buttons are made last, so one lying over another button takes its clicks.
void PaintReader::historyOverlaps()
{
    static const char* const names[kPaintButtons] = {"draw", "spray", "fill", "clear", "print", "save", "open", "quit", "sound"};
    QVector<std::pair<QRect, QString>> shown;
    for (int i = 0; i < kPaintButtons; ++i) {
        const PaintButton& b = s.buttons[size_t(i)];
        const int* p = kButtonPlaces[i];
        if (b.active || b.activemade || !b.inactive.file.isEmpty())
            shown.push_back({QRect(twipsToPixels(p[0]), twipsToPixels(p[1]), twipsToPixels(p[2]), twipsToPixels(p[3])), QLatin1String(names[i])});
    }
    for (int h = 0; h < 2; ++h) {
        const HistoryButton& b = h ? s.redoButton : s.undoButton;
        const QString name = QLatin1String(h ? "redo" : "undo");
        const QSize size = b.present && !b.normal.file.isEmpty() ? loadPicture(s.gfx.expanded + b.normal.file).size() : QSize();
        if (size.isEmpty())
            continue;
        const QRect place(QPoint(b.left, b.top), size);
        for (const auto& [other, otherName] : shown)
            if (place.intersects(other))
                found.say(historyLine[h], QStringLiteral("[%1 button] lies over [%2 button]: where they meet, a click reaches only the %1 button")
                                              .arg(name, otherName));
        shown.push_back({place, name});
    }
}

} // namespace

QString pntAboutCaption() { return QStringLiteral("Brushbox"); }

void resetPaintSettings()
{
    PaintSettings = PaintSettingsRecord();
    bolDebug = false;
    bolButtonSound = false;
    bolSplashShown = true;
    bolEndRequested = false;
    intTool = 0;
}

bool pntReadConfiguration(PaintSettingsRecord& settings, Findings& found, IniFiles& files, const ConfigurationFile* taken)
{
    return PaintReader(settings, found, taken).read(files);
}

KeyTable pntConfigurationTable()
{
    struct Owned {
        PaintSettingsRecord s;
        Findings found{QString(), [](const Finding&) { return true; }, true};
        PaintReader reader{s, found, nullptr};
    };
    const auto owned = std::make_shared<Owned>();
    KeyTable t = owned->reader.table();
    t.owner = owned;
    return t;
}

bool OpenINI(const QString& strFile, IniFiles* files, const ConfigurationFile* taken)
{
    debugLog(QStringLiteral("=> OpenINI <="));
    bolSplashShown = true;
    Findings found(strFile, [](const Finding& f) {
        if (!f.number)
            return true;
        const PaintMessage m = paintMessage(PaintMessageNumber(f.number));
        msgBox(f.words, MsgButtons::Ok, m.icon, m.captioned ? pntAboutCaption() : QString());
        return !f.fatal;
    }, false);
    IniFiles own;
    return pntReadConfiguration(PaintSettings, found, files ? *files : own, taken);
}
