// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "paint/openini.h"

#include "paint/catalogs.h"
#include "paint/paintmessages.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/inireader.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/string32.h"
#include "paint/frm_splash.h"
#include "paint/paintsettings.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QHash>
#include "platform/msgbox.h"
#include "platform/picture.h"

#include <QDir>
#include <QFile>

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

bool folderCreationFailed(const QString& folder, const QString& reason)
{
    msgBox(paintMessage(pmsCatalogFolderNotMade, fioRemoveBackslash(folder), reason).text, MsgButtons::Ok, MsgIcon::Stop, pntAboutCaption());
    return false;
}

// A folder value written without its trailing separator still names the folder, so that file
// names are not glued to the folder's own name.
QString folderPath(const QString& value)
{
    QString folder = fioExpandPath(value);
    if (!folder.isEmpty())
        fioAddBackslash(folder);
    // The folder as it is spelt on disk, so new catalogs are made inside it.
    return resolvePath(folder);
}

struct Reader {
    int catalogCounter = -1;

    // A problem that many catalogs share is told once, with how many have it, and not in a box
    // for each: ten thousand catalogs must not mean ten thousand boxes before the window.
    struct Repeated {
        QString kind, text;
        int count = 0;
    };
    QVector<Repeated> pending;

    void catalogMessage(const char* kind, const QString& text)
    {
        for (Repeated& r : pending)
            if (r.kind == QLatin1String(kind)) {
                ++r.count;
                return;
            }
        pending.append({QString::fromLatin1(kind), text, 1});
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

    void flushCatalogMessages()
    {
        for (const Repeated& r : pending)
            msgBox(r.count == 1 ? r.text
                                : r.text + QStringLiteral("\r\n(%1 more catalogs have the same problem.)").arg(r.count - 1));
        pending.clear();
    }

    // Messages and log lines name a folder as its value expands, without the separator added
    // for joining file names to it.
    bool folderKey(PaintFolder& folder, const QString& value, PaintMessageNumber message)
    {
        folder.raw = value;
        folder.expanded = folderPath(value);
        if (!fioDirExists(folder.expanded)) {
            msgBox(paintMessage(message, fioExpandPath(value)).text);
            return false;
        }
        return true;
    }

    bool pathSection(const QString& key, const QString& value)
    {
        if (is(key, "gfx"))
            return folderKey(PaintSettings.gfx, value, pmsBadGraphicsPath);
        if (is(key, "snd"))
            return folderKey(PaintSettings.snd, value, pmsBadSoundPath);
        if (is(key, "picture")) {
            const bool ok = folderKey(PaintSettings.picture, value, pmsBadPicturePath);
            debugLog(QStringLiteral("--> OpenINI: Bildkatalog(picture): ") + fioExpandPath(value) + QStringLiteral(" (")
                     + PaintSettings.picture.raw + QStringLiteral(")"));
            return ok;
        }
        if (is(key, "catalog") && !value.isEmpty()) {
            PaintSettings.catalog.raw = value;
            PaintSettings.catalog.expanded = folderPath(value);
            return checkCatalogFolder(PaintSettings.catalog.expanded, fioExpandPath(value));
        }
        return true;
    }

    bool checkCatalogFolder(const QString& folder, const QString& written)
    {
        if (bolDebug) {
            pntWriteLog(QStringLiteral("--> OpenINI: Användarkatalog(catalog): ") + written);
            msgBox(QStringLiteral("Användarkatalog: ") + written);
            pntWriteLog(QStringLiteral("--> OpenINI: Användarkatalog(catalog): Undersöker om den finns..."));
        }
        if (fioDirExists(folder))
            return true;
        if (fioIsFullPath(folder)) {
            if (bolDebug) {
                msgBox(QStringLiteral("Katalogen '") + written + QStringLiteral("' skapas..."));
                pntWriteLog(QStringLiteral("----> OpenINI: Användarkatalog(catalog): fanns ej, skapar: '")
                            + fioRemoveBackslash(folder) + QStringLiteral("'..."));
            }
            QString reason;
            if (!makeFolder(folder, &reason))
                return folderCreationFailed(folder, reason);
            return true;
        }
        msgBox(paintMessage(pmsRelativeCatalogFolder, written).text);
        debugLog(QStringLiteral("----> OpenINI: Användarkatalog(catalog): fanns ej, kan EJ skapa: ") + fioRemoveBackslash(folder));
        return true;
    }

    bool catalogItem(const QString& item)
    {
        // A comment is no catalog: creating a folder named after it helps nobody.
        if (item.trimmed().isEmpty() || item.trimmed().startsWith(QLatin1Char(';')))
            return true;
        ++catalogCounter;
        PaintSettings.catalogs.resize(catalogCounter + 2);
        debugLog(QStringLiteral("--> OpenINI: bildanvändarkatalog: antal: %1, array %2")
                     .arg(catalogCounter).arg(PaintSettings.catalogs.size() - 1));
        UserCatalog& cat = PaintSettings.catalogs[catalogCounter];
        cat.name = strGetTab(item, 1);
        cat.locked = mathToBool(strGetTab(item, 2));
        debugLog(QStringLiteral("----> OpenINI: bildanvändarkatalog: (%1)%2, locked: %3")
                     .arg(catalogCounter).arg(cat.name, cat.locked ? QStringLiteral("True") : QStringLiteral("False")));
        // A name like "..\x" would make and save into folders outside the catalog folder.
        if (!cat.name.isEmpty() && !pntIsPlainFolderName(cat.name)) {
            catalogMessage("plain", paintMessage(pmsCatalogNameNotPlain, cat.name).text);
            return true;
        }
        if (cat.locked)
            return true;
        debugLog(QStringLiteral("------> OpenINI: bildanvändarkatalog: (%1)%2, ej låst").arg(catalogCounter).arg(cat.name));
        const QString catalogFolder = PaintSettings.catalog.expanded;
        const QString gfx = PaintSettings.gfx.expanded;
        if (catalogFolderHas(catalogFolder, cat.name))
            return true;
        if (!fioDirExists(catalogFolder)) {
            catalogMessage("nofolder", paintMessage(pmsNoCatalogFolder, catalogFolder, cat.name).text);
            debugLog(QStringLiteral("--------> OpenINI: bildanvändarkatalog: (%1)%2, Kan ej skapa användarkatalog. Katalog '%3' har ej skapats.")
                         .arg(catalogCounter).arg(cat.name, catalogFolder));
            return true;
        }
        QString reason;
        if (!makeFolder(catalogFolder + cat.name, &reason)) {
            flushCatalogMessages();
            return folderCreationFailed(catalogFolder + cat.name, reason);
        }
        catalogNames.insert(cat.name.toLower(), cat.name);
        for (const char* ext : {".bmp", ".gif", ".jpg"}) {
            const QString icon = gfx + cat.name + QLatin1String(ext);
            if (fioFileExists(icon)) {
                const QString target = catalogFolder + cat.name + QLatin1String(ext);
                if (!copyRegularFile(resolvePath(icon), target, FileKind::Picture) && !fioFileExists(target))
                    catalogMessage("copy", paintMessage(pmsCatalogIconNotCopied, resolvePath(icon), target).text);
                return true;
            }
        }
        catalogMessage("icon", paintMessage(pmsCatalogIcon, gfx + cat.name, catalogFolder + cat.name).text);
        return true;
    }

    void buttonKey(PaintButton& b, const QString& key, const QString& value)
    {
        if (is(key, "active")) b.active = mathToBool(value);
        else if (is(key, "activemade")) b.activemade = mathToBool(value);
        else if (is(key, "picnormal")) b.normal.file = value;
        else if (is(key, "pichighlight")) b.highlight.file = value;
        else if (is(key, "picdown")) b.down.file = value;
        else if (is(key, "picinactive")) b.inactive.file = value;
        else if (is(key, "piccurrent")) b.current.file = value;
        else if (is(key, "piccurmini")) b.curmini.file = value;
        else if (is(key, "tooltiptext")) b.tooltip = value;
    }

    void historyButtonKey(HistoryButton& b, const QString& key, const QString& value)
    {
        b.present = true;
        if (is(key, "picnormal")) b.normal.file = value;
        else if (is(key, "pichighlight")) b.highlight.file = value;
        else if (is(key, "picdown")) b.down.file = value;
        else if (is(key, "picinactive")) b.inactive.file = value;
        else if (is(key, "tooltiptext")) b.tooltip = value;
        else if (is(key, "left")) b.left = mathToInt16(value);
        else if (is(key, "top")) b.top = mathToInt16(value);
    }

    void interfaceKey(const QString& key, const QString& value)
    {
        auto& i = PaintSettings.interface;
        if (is(key, "background")) i.background = value;
        else if (is(key, "startsound")) i.startsound = value;
        else if (is(key, "buttonsound")) i.buttonsound = value;
        else if (is(key, "goodsound")) i.goodsound = value;
        else if (is(key, "smallquit")) i.smallquit = value;
        else if (is(key, "smallhelp")) i.smallhelp = value;
        else if (is(key, "paintpicture")) {
            const QString path = PaintSettings.gfx.expanded + value;
            if (fioFileExists(path))
                PaintSettings.paintPicture = loadPicture(path);
        }
    }

    void openKey(const QString& key, const QString& value)
    {
        OpenSettings& o = PaintSettings.open;
        if (is(key, "background")) o.background = value;
        else if (is(key, "helppicture")) o.helpPicture = value;
        else if (is(key, "sound")) o.sound = value;
        else if (is(key, "helpactive")) o.helpActive = mathToBool(value);
        else if (is(key, "largeicons")) o.largeIcons = mathToBool(value);
        else if (is(key, "catalogstooltip")) o.catalogsTooltip = value;
        else if (is(key, "filestooltip")) o.filesTooltip = value;
        else dialogButtonKey(key, value, {{"open", OpenSettings::Open}, {"cancel", OpenSettings::Cancel},
                                          {"up", OpenSettings::Up}, {"down", OpenSettings::Down}}, o.buttons.data());
    }

    void saveKey(const QString& key, const QString& value)
    {
        SaveSettings& s = PaintSettings.save;
        if (is(key, "background")) s.background = value;
        else if (is(key, "helppicture")) s.helpPicture = value;
        else if (is(key, "sound")) s.sound = value;
        else if (is(key, "helpactive")) s.helpActive = mathToBool(value);
        else if (is(key, "largeicons")) s.largeIcons = mathToBool(value);
        else if (is(key, "catalogstooltip")) s.catalogsTooltip = value;
        else if (is(key, "savecatalogtooltip")) s.saveCatalogTooltip = value;
        else dialogButtonKey(key, value, {{"save", SaveSettings::Save}, {"cancel", SaveSettings::Cancel}}, s.buttons.data());
    }

    struct ButtonName {
        const char* prefix;
        int index;
    };

    void dialogButtonKey(const QString& key, const QString& value, std::initializer_list<ButtonName> names, DialogButton* buttons)
    {
        for (const ButtonName& n : names) {
            const QString prefix = QLatin1String(n.prefix);
            if (!key.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            const QString state = key.mid(prefix.size());
            DialogButton& b = buttons[n.index];
            // "up" and "down" have inactive pictures; open, cancel and save do not.
            const bool hasInactive = prefix == QLatin1String("up") || prefix == QLatin1String("down");
            if (is(state, "normal")) b.normal.file = value;
            else if (is(state, "highlight")) b.highlight.file = value;
            else if (is(state, "down")) b.down.file = value;
            else if (is(state, "inactive") && hasInactive) b.inactive.file = value;
            else if (is(state, "tooltip")) b.tooltip = value;
            return;
        }
    }

    void splashKey(const QString& key, const QString& value)
    {
        frm_Splash* splash = splashWindow(frm_Splash::Kind::Paint);
        if (is(key, "text")) {
            splash->setText(value);
        } else if (is(key, "windowstate")) {
            if (is(value, "maximized"))
                splash->setMaximized();
        } else if (is(key, "backcolor")) {
            if (!value.isEmpty())
                splash->setBackColor(mathToColor(value));
        } else if (is(key, "picture")) {
            if (value.isEmpty())
                return;
            const QString path = PaintSettings.gfx.expanded + value;
            QImage picture = fioFileExists(path) ? loadPicture(path) : QImage();
            if (!picture.isNull())
                splash->setPicture(picture);
            else
                msgBox(paintMessage(pmsSplashPicture, path).text, MsgButtons::Ok, MsgIcon::Critical, pntAboutCaption());
        } else if (is(key, "active")) {
            if (!mathToBool(value))
                return;
            debugLog(QStringLiteral("--> OpenINI: visar splash"));
            splash->showAndWait();
        }
    }

    // False when the program must end.
    bool item(const QString& section, const QString& item)
    {
        const QString key = fioGetKey(item);
        const QString value = fioGetValue(item);
        if (section.contains(QLatin1String("button"), Qt::CaseInsensitive)) {
            static const char* const names[kPaintButtons] = {"draw button", "spray button", "fill button",
                                                             "clear button", "print button", "save button",
                                                             "open button", "quit button", "sound button"};
            for (int i = 0; i < kPaintButtons; ++i)
                if (is(section, names[i]))
                    buttonKey(PaintSettings.buttons[i], key, value);
            if (is(section, "undo button"))
                historyButtonKey(PaintSettings.undoButton, key, value);
            else if (is(section, "redo button"))
                historyButtonKey(PaintSettings.redoButton, key, value);
            return true;
        }
        if (is(section, "catalogs"))
            return catalogItem(item);
        if (key.isEmpty())
            return true;
        if (is(section, "path"))
            return pathSection(key, value);
        if (is(section, "interface"))
            interfaceKey(key, value);
        else if (is(section, "help")) {
            if (is(key, "picture")) PaintSettings.help.picture = value;
            else if (is(key, "active")) PaintSettings.help.active = mathToBool(value);
        } else if (is(section, "name text")) {
            auto& n = PaintSettings.nameText;
            if (is(key, "fontname")) n.fontname = value;
            else if (is(key, "fontsize")) n.fontsize = mathToInt16(value);
            else if (is(key, "forecolor")) n.forecolor = mathToColor(value);
            else if (is(key, "border")) n.border = mathToBool(value);
            else if (is(key, "active")) n.active = mathToBool(value);
        } else if (is(section, "function")) {
            if (is(key, "lockcolor")) PaintSettings.function.lockcolor = mathToColor(value);
        } else if (is(section, "current")) {
            auto& c = PaintSettings.current;
            if (is(key, "active")) c.active = mathToBool(value);
            else if (is(key, "startcolor")) c.startcolor = mathToColor(value);
            else if (is(key, "shape")) c.shape = is(value, "circle") ? 3 : is(value, "rounded") ? 4 : 0;
        } else if (is(section, "palette")) {
            auto& p = PaintSettings.palette;
            if (is(key, "active")) p.active = mathToBool(value);
            else if (is(key, "activemade")) p.activemade = mathToBool(value);
            else if (is(key, "normal")) p.normal.file = value;
            else if (is(key, "inactive")) p.inactive.file = value;
        } else if (is(section, "classroom")) {
            classroomKey(PaintSettings.classroom, key, value);
        } else if (is(section, "open")) {
            openKey(key, value);
        } else if (is(section, "save")) {
            saveKey(key, value);
        } else if (is(section, "splash screen")) {
            splashKey(key, value);
            if (bolEndRequested)
                return false;
        }
        return true;
    }
};

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

bool OpenINI(const QString& strFile)
{
    debugLog(QStringLiteral("=> OpenINI <="));
    bolSplashShown = true;
    IniReader file;
    if (!file.open(strFile)) {
        msgBox(paintMessage(pmsUnreadableConfiguration, strFile).text, MsgButtons::Ok, MsgIcon::Stop,
               pntAboutCaption());
        return false;
    }
    const QString declaration = file.readItem();
    const QString declared = fioGetValue(declaration);
    if (!is(declared, "zypaint") && !is(declared, "brushbox")) {
        msgBox(paintMessage(pmsWrongDeclaration).text);
        return false;
    }
    Reader reader;
    QString section;
    while (!file.atEnd()) {
        const QString item = file.readItem();
        if (is(item, "debug=1")) {
            msgBox(QStringLiteral("Debug Mode"));
            bolDebug = true;
            // Which file this is, and why it was the one taken.
            const ConfigurationFile found = gamFindConfiguration(QStringLiteral("zypaint.ini"), QCoreApplication::arguments().mid(1));
            if (found.path == strFile)
                pntWriteLog(QStringLiteral("--> OpenINI: ") + strFile + QStringLiteral(" (") + found.reason + QStringLiteral(")"));
        }
        if (fioIsSection(item)) {
            section = fioGetSection(item);
            reader.flushCatalogMessages();
            continue;
        }
        if (!reader.item(section, item)) {
            reader.flushCatalogMessages();
            return false;
        }
    }
    reader.flushCatalogMessages();
    return true;
}
