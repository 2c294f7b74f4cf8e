#include "memory/checkmemory.h"
#include "memory/checkcore.h"
#include "memory/memkeys.h"
#include "memory/memlayout.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/math32.h"
#include "common/string32.h"
#include "common/themecheck.h"
#include "memory/memerrors.h"
#include "memory/memstate.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace {

using namespace memcheck;

struct Counter {
    bool active = false;
    At activeAt;
    bool orderSet = false;
    int order = 0;
    Ref picture;
};

class MemoryChecker : public CheckCore {
public:
    MemoryChecker(const QString& path, ThemeReport& report) : CheckCore(report) { m_ini = fileIndex(path); }

    void run()
    {
        if (readIni()) {
            readMain();
            readGlobal();
            readSpecial();
            checkBackgrounds();
            checkBoard();
        }
        flush();
    }

private:
    // ---- memory.ini -----------------------------------------------------------------------

    bool readIni()
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
    void readDeclaration(const QVector<Item>& items)
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

    void checkFolder(const Ref& folder, const char* key, const char* holds)
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

    // ---- main file --------------------------------------------------------------------------

    bool openData(const Ref& file, const char* key, int missingNumber, int& index, QVector<Item>& items)
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

    void readMain()
    {
        QVector<Item> items;
        if (!openData(m_main, "main", 5, m_mainFile, items))
            return;
        walk(
            m_mainFile, items,
            [this](const At& at, const QString& name) {
                if (!mainSections().contains(name, Qt::CaseInsensitive))
                    problem(at, QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, mainSections())));
            },
            [](const QString& section) {
                const QString where = QStringLiteral("[%1]").arg(section);
                if (section.isEmpty())
                    return Scope{&kNoKeys, QString(), Scope::BeforeSection};
                if (is(section, "splash screen"))
                    return Scope{&kSplashKeys, where, Scope::Report};
                if (is(section, "interface"))
                    return Scope{&kInterfaceKeys, where, Scope::Report};
                if (is(section, "help"))
                    return Scope{&kHelpKeys, where, Scope::Report};
                if (is(section, "line"))
                    return Scope{&kLineKeys, where, Scope::Report};
                if (is(section, "players"))
                    return Scope{&kPlayersKeys, where, Scope::Report};
                if (counterOf(section) >= 0)
                    return Scope{&kCounterKeys, where, Scope::Report};
                return Scope{&kNoKeys, where, Scope::Silent};
            },
            [this](const At& at, const QString& section, const QString& key, const QString& value, const QString& what) {
                mainKey(at, section, key, value, what);
            });
        finishMain();
    }

    void mainKey(const At& at, const QString& section, const QString& key, const QString& value, const QString& what)
    {
        const Ref ref{value, at, true};
        if (section == QLatin1String("splash screen")) {
            if (key == QLatin1String("active")) {
                if (mathLeadingNumber(value) == 1) {
                    if (!m_splashAt.line)
                        m_splashAt = at;
                } else if (looksNumeric(value) && mathLeadingNumber(value) != 0) {
                    problem(at, QStringLiteral("%1: only 1 shows the splash, %2 does not").arg(what, value.trimmed()));
                }
            } else if (key == QLatin1String("picture")) {
                problem(at, QStringLiteral("%1 has no effect: the memory game's splash shows no picture").arg(what));
            } else {
                if (m_splashAt.line)
                    m_afterSplash << key;
                if (key == QLatin1String("windowstate") && !value.trimmed().isEmpty() && !is(value.trimmed(), "maximized"))
                    problem(at, QStringLiteral("%1: only 'maximized' has an effect").arg(what));
            }
        } else if (section == QLatin1String("interface")) {
            if (key == QLatin1String("pictures")) {
                m_pictures = ref;
                if (!strGetTab(value, 6).isEmpty())
                    problem(at, QStringLiteral("%1: only five pictures are read, one for each screen size; '%2' and after "
                                               "have no effect").arg(what, strGetTab(value, 6)));
            } else if (key != QLatin1String("backcolor")) {
                m_interface[key] = ref;
            }
        } else if (section == QLatin1String("help")) {
            if (key == QLatin1String("picture"))
                m_helpPicture = ref;
            else
                m_helpActive = ref;
        } else if (section == QLatin1String("players")) {
            playersKey(at, key, value, what);
        } else if (const int c = counterOf(section); c >= 0) {
            counterKey(c, at, key, value, what);
        }
    }

    void playersKey(const At& at, const QString& key, const QString& value, const QString& what)
    {
        if (key == QLatin1String("players")) {
            m_players = Ref{value, at, true};
        } else if (key == QLatin1String("picture")) {
            m_playerPicture = Ref{value, at, true};
        } else if (key == QLatin1String("namefont")) {
            m_nameFontNamed = true;
        } else if (key == QLatin1String("scorefont")) {
            m_scoreFontNamed = true;
        } else if (key.startsWith(QLatin1String("namefont")) && !m_nameFontNamed) {
            problem(at, QStringLiteral("%1 has no effect: it comes before namefont").arg(what));
        } else if (key.startsWith(QLatin1String("scorefont")) && !m_scoreFontNamed) {
            problem(at, QStringLiteral("%1 has no effect: it comes before scorefont").arg(what));
        }
    }

    void counterKey(int c, const At& at, const QString& key, const QString& value, const QString& what)
    {
        Counter& ctr = m_counters[c];
        if (key == QLatin1String("active")) {
            ctr.active = mathToBool(value);
            ctr.activeAt = at;
        } else if (key == QLatin1String("order")) {
            const int n = mathToInt32(value);
            ctr.order = std::clamp(n - 1, 0, 5);
            ctr.orderSet = true;
            if (n < 1 || n > 6)
                problem(at, QStringLiteral("%1: %2 is outside 1 to 6; the counter takes place %3").arg(what).arg(n).arg(ctr.order + 1));
        } else if (key == QLatin1String("picture")) {
            ctr.picture = Ref{value, at, true};
        } else if (key.startsWith(QLatin1String("font")) && !(ctr.active && ctr.orderSet)) {
            problem(at, QStringLiteral("%1 has no effect: it comes before %2").arg(what, ctr.active ? QStringLiteral("order")
                                                                                                     : QStringLiteral("active=1 and order")));
        }
    }

    void finishMain()
    {
        if (!m_afterSplash.isEmpty())
            problem(m_splashAt, QStringLiteral("active in [splash screen] shows the splash at once; the keys after it (%1) come too late")
                                    .arg(m_afterSplash.join(QStringLiteral(", "))));
        const QString& gfx = m_gfx.value;
        const QString& sfx = m_sfx.value;
        std::array<int, 6> placeOf;
        placeOf.fill(-1);
        for (int c = 0; c < 6; ++c) {
            const Counter& ctr = m_counters[c];
            if (!ctr.active)
                continue;
            const QString name = QString::fromLatin1(kCounterSections[c]);
            if (ctr.picture.set && !ctr.picture.value.isEmpty())
                picture(ctr.picture.at, QStringLiteral("picture in [%1]").arg(name), gfx, ctr.picture.value, 102);
            if (placeOf[ctr.order] >= 0)
                problem(ctr.activeAt, QStringLiteral("[%1] shows in the same place as [%2] (order %3)")
                                          .arg(name, QLatin1String(kCounterSections[placeOf[ctr.order]]))
                                          .arg(ctr.order + 1));
            else
                placeOf[ctr.order] = c;
        }
        auto file = [this](const char* key) { return m_interface.value(QString::fromLatin1(key)); };
        auto what = [](const char* key) { return QStringLiteral("%1 in [interface]").arg(QLatin1String(key)); };
        if (const Ref q = file("quitpicture"); !q.value.isEmpty())
            picture(q.at, what("quitpicture"), gfx, q.value, 103);
        for (const char* key : {"endgoodpicture", "endbadpicture"})
            if (const Ref p = file(key); !p.value.isEmpty())
                picture(p.at, what(key), gfx, p.value, 0);
        if (const Ref s = file("endgoodsound"); !s.value.isEmpty())
            sound(s.at, what("endgoodsound"), sfx + s.value, 200);
        if (const Ref s = file("endbadsound"); !s.value.isEmpty())
            sound(s.at, what("endbadsound"), sfx + s.value, 201);
        const Ref match = file("matchsound"), noMatch = file("nomatchsound");
        if (!match.value.isEmpty()) {
            if (!fioFileExists(sfx + match.value)) {
                startup(match.at, what("matchsound"), 205, sfx + match.value);
            } else {
                sound(match.at, what("matchsound"), sfx + match.value, 205);
                if (noMatch.value.isEmpty())
                    startup(match.at, QStringLiteral("matchsound in [interface] without nomatchsound"), 206, sfx);
                else
                    sound(noMatch.at, what("nomatchsound"), sfx + noMatch.value, 206);
            }
        } else if (!noMatch.value.isEmpty()) {
            problem(noMatch.at, QStringLiteral("nomatchsound in [interface] has no effect without matchsound"));
        }
        if (m_playerPicture.set && !m_playerPicture.value.isEmpty()) {
            // Start-up looks for the picture once for each player's panel.
            const int panels = m_players.set ? std::clamp(mathToInt32(m_players.value), 1, 4) : 1;
            picture(m_playerPicture.at, QStringLiteral("picture in [players]"), gfx, m_playerPicture.value, 104,
                    panels > 1 ? QStringLiteral("shown once for each of the %1 players").arg(panels) : QString());
        }
        if (m_players.set && mathToInt32(m_players.value) > 4)
            startup(m_players.at, QStringLiteral("players in [players]"), 15, QString::number(mathToInt32(m_players.value)));
        if (m_helpActive.set && mathToBool(m_helpActive.value)) {
            if (m_helpPicture.value.isEmpty())
                problem(m_helpActive.at, QStringLiteral("help is on, but [help] names no picture: F1 shows an empty window"));
            else
                picture(m_helpPicture.at, QStringLiteral("picture in [help]"), gfx, m_helpPicture.value, 0);
        }
    }

    // ---- global file ------------------------------------------------------------------------

    void readGlobal()
    {
        QVector<Item> items;
        if (!openData(m_global, "global", 6, m_globalFile, items))
            return;
        walk(
            m_globalFile, items,
            [this](const At& at, const QString& name) {
                if (!is(name, "text list"))
                    problem(at, QStringLiteral("section [%1] means nothing in the global file: the keys after it are card settings%2")
                                    .arg(name, suggestion(name, {QStringLiteral("text list")})));
            },
            [](const QString& section) {
                if (is(section, "text list"))
                    return Scope{&kTextListKeys, QStringLiteral("[text list]"), Scope::Report};
                return Scope{&kCardKeys, QStringLiteral("the card settings"), Scope::Report};
            },
            [this](const At& at, const QString& section, const QString& key, const QString& value, const QString& what) {
                if (section == QLatin1String("text list"))
                    textListKey(at, key, value, what);
                else
                    cardKey(at, key, value, what);
            });
        finishGlobal();
    }

    void cardKey(const At& at, const QString& key, const QString& value, const QString& what)
    {
        const Ref ref{value, at, true};
        if (key == QLatin1String("dissapear")) {
            const int n = mathToInt32(value);
            if (n < 0 || n > 3)
                problem(at, QStringLiteral("%1: %2 is none of 0 (stay), 1 (vanish), 2 (fly off) and 3 (shrink); it works as 0")
                                .arg(what).arg(n));
        } else if (key == QLatin1String("turnsound")) {
            m_turnSound = ref;
        } else if (key == QLatin1String("fontname")) {
            m_cardFontNamed = true;
        } else if (key.startsWith(QLatin1String("font"))) {
            if (!m_cardFontNamed)
                problem(at, QStringLiteral("%1 has no effect: it comes before fontname").arg(what));
        } else if (key == QLatin1String("wordwrap") || key == QLatin1String("autosize")) {
            problem(at, QStringLiteral("%1 has no effect: a card's text is always one centred line").arg(what));
        } else if (key == QLatin1String("cardsx")) {
            m_cardsX = ref;
        } else if (key == QLatin1String("cardsy")) {
            m_cardsY = ref;
        } else if (key == QLatin1String("cardwidth")) {
            m_cardWidth = ref;
        } else if (key == QLatin1String("cardheight")) {
            m_cardHeight = ref;
        } else if (key == QLatin1String("picture")) {
            if (m_appType == 1)
                problem(at, QStringLiteral("%1 has no effect: app=match shows every card's own picture").arg(what));
            else
                m_cardBack = ref;
        } else if (key == QLatin1String("samenamesound")) {
            m_sameNameSound = mathToBool(value);
        } else if (key == QLatin1String("border")) {
            m_border = mathToBool(value);
        }
    }

    void textListKey(const At& at, const QString& key, const QString& value, const QString& what)
    {
        const Ref ref{value, at, true};
        if (key == QLatin1String("active")) {
            m_textActive = mathToBool(value);
            m_textActiveAt = at;
        } else if (key == QLatin1String("pictureslide")) {
            problem(at, QStringLiteral("%1 has no effect").arg(what));
        } else if (key.startsWith(QLatin1String("font"))) {
            if (!m_textActive) {
                problem(at, QStringLiteral("%1 has no effect: it comes before active=1").arg(what));
            } else if (key == QLatin1String("fontname")) {
                m_textFont.name = value.trimmed();
                m_textFontNamed = true;
            } else if (!m_textFontNamed) {
                problem(at, QStringLiteral("%1 has no effect: it comes before fontname").arg(what));
            } else if (key == QLatin1String("fontsize")) {
                const double size = mathLeadingNumber(value);
                if (size > 0)
                    m_textFont.size = std::min(size, 200.0);
            } else if (key == QLatin1String("fontbold")) {
                m_textFont.bold = mathToBool(value);
            } else {
                m_textFont.italic = mathToBool(value);
            }
        } else if (key == QLatin1String("sound")) {
            m_textSound = ref;
        } else if (key == QLatin1String("top")) {
            m_textTop = Ref{value, at, true};
        } else if (key == QLatin1String("left")) {
            m_textLeft = mathToInt32(value);
        } else if (key == QLatin1String("width")) {
            m_textWidth = mathToInt32(value);
        } else if (key == QLatin1String("space")) {
            m_textSpace = mathToInt32(value);
        }
    }

    void finishGlobal()
    {
        if (!m_turnSound.value.isEmpty())
            sound(m_turnSound.at, QStringLiteral("turnsound in the card settings"), m_sfx.value + m_turnSound.value, 202);
        if (m_cardBack.set && !m_cardBack.value.isEmpty())
            picture(m_cardBack.at, QStringLiteral("picture in the card settings"), m_gfx.value, m_cardBack.value, 101);
        else if (m_appType == 0 && !m_border)
            problem({m_globalFile, 0}, QStringLiteral("the card settings name no picture for the card back and no border: "
                                                      "face-down cards show only a plain built-in back"));
        if (m_textActive && !m_textSound.value.isEmpty())
            sound(m_textSound.at, QStringLiteral("sound in [text list]"), m_sfx.value + m_textSound.value, 204);
        for (const auto& [ref, key] : {std::pair{&m_cardWidth, "cardwidth"}, std::pair{&m_cardHeight, "cardheight"}})
            if (mathToInt32(ref->value) <= 0)
                problem(ref->set ? ref->at : At{m_globalFile, 0},
                        QStringLiteral("%1 in the card settings is %2: the cards cannot be seen")
                            .arg(QLatin1String(key), ref->set ? QString::number(mathToInt32(ref->value)) : QStringLiteral("not set")));
        m_globalRead = true;
    }

    // ---- special file -----------------------------------------------------------------------

    void readSpecial()
    {
        if (m_special.value.isEmpty())
            return;
        QVector<Item> items;
        int file = -1;
        if (!openData(m_special, "special", 10, file, items))
            return;
        walk(
            file, items,
            [this](const At& at, const QString& name) {
                if (!is(name, "interface"))
                    problem(at, QStringLiteral("section [%1] has no effect: the special file is read only for pictures in "
                                               "[interface]").arg(name));
            },
            [](const QString& section) {
                if (section.isEmpty())
                    return Scope{&kNoKeys, QString(), Scope::BeforeSection};
                if (is(section, "interface"))
                    return Scope{&kSpecialKeys, QStringLiteral("[interface]"), Scope::NoEffect};
                return Scope{&kNoKeys, QString(), Scope::Silent};
            },
            [this](const At& at, const QString&, const QString&, const QString& value, const QString& what) {
                if (m_pictures.set)
                    problem(m_pictures.at, QStringLiteral("pictures in [interface] has no effect: the special file "
                                                          "sets the background pictures again"));
                m_pictures = Ref{value, at, true};
                if (!strGetTab(value, 6).isEmpty())
                    problem(at, QStringLiteral("%1: only five pictures are read, one for each screen size; '%2' and after "
                                               "have no effect").arg(what, strGetTab(value, 6)));
            });
    }

    // ---- pictures, cards, texts and the board --------------------------------------------

    void checkBackgrounds()
    {
        if (!m_pictures.set)
            return;
        for (int k = 0; k < 5; ++k) {
            const QString name = strGetTab(m_pictures.value, int16_t(k + 1));
            if (!name.isEmpty())
                picture(m_pictures.at, QStringLiteral("background %1 x %2 of pictures in [interface]")
                                           .arg(memResolutions[k][0]).arg(memResolutions[k][1]),
                        m_gfx.value, name, 100);
        }
    }

    // The smallest layout the game can be laid out on: the smallest screen size the theme has a
    // background picture for, or else the smallest screen size of all.
    int smallestLayoutRow() const
    {
        for (int k = 0; k < 5; ++k)
            if (m_pictures.set && !strGetTab(m_pictures.value, int16_t(k + 1)).isEmpty())
                return k;
        return 0;
    }

    void checkBoard()
    {
        if (!m_globalRead)
            return;
        const At global{m_globalFile, 0};
        const int across = gridSide(mathLeadingNumber(m_cardsX.value));
        const int down = gridSide(mathLeadingNumber(m_cardsY.value));
        int count = INT_MAX; // no board: every card line is still looked at
        if (!across || !down) {
            const Ref& bad = across ? m_cardsY : m_cardsX;
            startup(bad.set ? bad.at : global, bad.set ? QStringLiteral("%1 in the card settings").arg(QLatin1String(across ? "cardsy" : "cardsx"))
                                                       : QStringLiteral("the card settings set no %1").arg(QLatin1String(across ? "cardsy" : "cardsx")),
                    11);
        } else {
            const At at = m_cardsY.at.line > m_cardsX.at.line ? m_cardsY.at : m_cardsX.at;
            const qint64 grid = qint64(across) * down;
            if (grid > memDesign::MaxCards) {
                startup(at, QString(), 16, QString::number(grid), QString::number(memDesign::MaxCards));
            } else {
                count = int(grid);
                if (!m_textActive && grid % 2 == 1) {
                    startup(at, QString(), 13, QString::number(grid));
                    count = int(grid) - 1;
                }
            }
        }
        count = readCards(count);
        if (m_textActive)
            readList(count);
        else if (!m_list.value.isEmpty())
            problem(m_list.at, QStringLiteral("listfile in [gamefiles] has no effect: the text list is not active in the global file"));
        if (across && down && count != INT_MAX)
            checkLayout(across, down, count);
    }

    // A card or list file: each item is one card or text, comments and commas included.
    void itemChecks(const At& at, const Item& it, const QString& what)
    {
        if (it.sameLine)
            problem(at, QStringLiteral("a comma on this line starts another item: %1 begins after it").arg(what));
        if (it.raw.startsWith(QLatin1Char(';')))
            problem(at, QStringLiteral("%1 is this comment: the file has no comments, every item counts").arg(what));
    }

    int readCards(int count)
    {
        QString path = m_data.value + m_cards.value;
        if (m_cards.value.isEmpty() || !fioFileExists(path)) {
            path = m_card.value + m_cards.value;
            if (m_cards.value.isEmpty() || !fioFileExists(path)) {
                startup(m_cards.set ? m_cards.at : At{m_ini, 0}, QStringLiteral("cards in [gamefiles]"), 7, m_cards.value);
                return INT_MAX;
            }
        }
        const int file = fileIndex(path);
        QVector<Item> items;
        if (QString why; !readFile(path, items, (count == INT_MAX ? memDesign::MaxCards : count) + 1, &why)) {
            problem({file, 0}, why);
            return INT_MAX;
        }
        const QString& card = m_card.value;
        int i = 0;
        for (; i < int(items.size()) && i < count; ++i) {
            const Item& it = items[i];
            const At at{file, it.line};
            const QString what = QStringLiteral("card %1").arg(i + 1);
            itemChecks(at, it, what);
            const QString pictureFile = strGetTab(it.raw, 2);
            const QString text = strGetTab(it.raw, 3);
            const QString soundFile = strGetTab(it.raw, 4);
            if (!pictureFile.isEmpty())
                picture(at, what, card, pictureFile, 105);
            else if (text.isEmpty())
                problem(at, QStringLiteral("%1 has neither a picture nor a text: it shows nothing when turned%2")
                                .arg(what, it.raw.contains(QLatin1Char('\t')) || it.raw.startsWith(QLatin1Char(';')) ? QString()
                                                                            : QStringLiteral(" (its fields must be separated by TABs, and this line has none)")));
            if (!soundFile.isEmpty()) {
                sound(at, what, card + soundFile, 203, QString::number(i + 1));
            } else if (m_sameNameSound && !pictureFile.isEmpty()) {
                const QString same = card + fioRemoveExtension(pictureFile) + QStringLiteral(".wav");
                if (fioFileExists(same))
                    sound(at, what, same, 0);
            }
        }
        if (i < int(items.size()))
            problem({file, items[i].line}, QStringLiteral("this line and the ones after it are not read: the board has %1 cards").arg(count));
        if (count == INT_MAX || i >= count)
            return count;
        int cards = i;
        if (!m_textActive)
            cards -= cards % 2;
        if (cards <= 0)
            startup({file, 0}, QString(), 11);
        startup({file, 0}, QString(), 14, shown(path), QString::number(i));
        return cards > 0 ? cards : INT_MAX;
    }

    void readList(int count)
    {
        QString path = m_card.value + m_list.value;
        if (m_list.value.isEmpty() || !fioFileExists(path)) {
            path = m_data.value + m_list.value;
            if (m_list.value.isEmpty() || !fioFileExists(path)) {
                startup(m_list.set ? m_list.at : m_textActiveAt, QStringLiteral("listfile in [gamefiles]"), 8, m_list.value);
                return;
            }
        }
        const int file = fileIndex(path);
        QVector<Item> items;
        if (QString why; !readFile(path, items, (count == INT_MAX ? memDesign::MaxCards : count) + 1, &why)) {
            problem({file, 0}, why);
            return;
        }
        int i = 0;
        for (; i < int(items.size()) && i < count; ++i) {
            const Item& it = items[i];
            const At at{file, it.line};
            const QString what = QStringLiteral("text %1").arg(i + 1);
            itemChecks(at, it, what);
            const QString soundFile = strGetTab(it.raw, 2);
            if (!soundFile.isEmpty())
                sound(at, what, m_card.value + soundFile, 0);
        }
        if (i < int(items.size()))
            problem({file, items[i].line}, QStringLiteral("this line and the ones after it are not read: the board has %1 cards").arg(count));
        if (count != INT_MAX && i < count)
            startup({file, 0}, QStringLiteral("%1 texts for %2 cards").arg(i).arg(count), 9);
    }

    void checkLayout(int across, int down, int count)
    {
        const int row = smallestLayoutRow();
        const int width = memResolutions[row][0], height = memResolutions[row][1];
        const QString screen = QStringLiteral("on a %1 x %2 screen").arg(width).arg(height);
        const int boardLeft = memDesign::ControlLeft + memDesign::ControlWidth + 16;
        const QRect board(boardLeft, 16, width - boardLeft - 16, height - 16 - memDesign::PlayerHeight - 8 - 16);
        const int cardWidth = mathToInt32(m_cardWidth.value), cardHeight = mathToInt32(m_cardHeight.value);
        const bool wide = cardWidth * across > board.width(), high = cardHeight * down > board.height();
        const Ref& size = wide || !m_cardHeight.set ? m_cardWidth : m_cardHeight;
        const At at = size.set ? size.at : At{m_globalFile, 0};
        if (wide || high) {
            const int fitX = cardWidth > 0 ? std::max(0, board.width() / cardWidth) : 0;
            const int fitY = cardHeight > 0 ? std::max(0, board.height() / cardHeight) : 0;
            startup(at, screen, 12, QStringLiteral("%1 x %2").arg(across).arg(down),
                    QStringLiteral("%1 x %2").arg(fitX).arg(fitY));
        } else if (cardWidth > 0 && cardHeight > 0) {
            const int gapX = memCardGap(board.width(), across, cardWidth);
            const int gapY = memCardGap(board.height(), down, cardHeight);
            if (gapX < 0 || gapY < 0)
                problem(at, QStringLiteral("%1 the cards overlap: the board leaves no room for the gaps between them").arg(screen));
        }
        if (!m_textActive)
            return;
        QFont font(m_textFont.name, 12);
        font.setPointSizeF(m_textFont.size > 0 ? m_textFont.size : 12);
        font.setBold(m_textFont.bold);
        font.setItalic(m_textFont.italic);
        const int h = QFontMetrics(font).height() + 4;
        const int top = m_textTop.set ? mathToInt32(m_textTop.value) : 16;
        const QRect texts(m_textLeft, top, m_textWidth, (count - 1) * (h + m_textSpace) + h);
        const At tat = m_textTop.set ? m_textTop.at : m_textActiveAt;
        if (texts.bottom() >= height)
            problem(tat, QStringLiteral("[text list] %1: the %2 texts run off the bottom (they end at %3)").arg(screen).arg(count).arg(texts.bottom() + 1));
        if (texts.intersects(board))
            problem(tat, QStringLiteral("[text list]: the texts lie over the board of cards, which begins at %1").arg(boardLeft));
        for (int c = 0; c < 6; ++c) {
            const Counter& ctr = m_counters[c];
            const QRect place(memDesign::ControlLeft, memDesign::ControlTop + ctr.order * memDesign::ControlStep,
                              memDesign::ControlWidth, memDesign::ControlHeight);
            if (ctr.active && texts.intersects(place))
                problem(tat, QStringLiteral("[text list]: the texts lie over the counter [%1]").arg(QLatin1String(kCounterSections[c])));
        }
        const QRect quit(memDesign::QuitLeft, height - memDesign::QuitHeight - 8, memDesign::QuitWidth, memDesign::QuitHeight);
        if (!m_interface.value(QStringLiteral("quitpicture")).value.isEmpty() && texts.intersects(quit))
            problem(tat, QStringLiteral("[text list] %1: the texts lie over the quit button").arg(screen));
    }

    int m_ini = 0, m_mainFile = -1, m_globalFile = -1;

    // memory.ini
    int m_appType = 0;
    Ref m_debug, m_gfx, m_sfx, m_data, m_card;
    Ref m_main, m_global, m_cards, m_list, m_special;

    // main file
    At m_splashAt;
    QStringList m_afterSplash;
    Ref m_pictures;
    QHash<QString, Ref> m_interface;
    Ref m_helpPicture, m_helpActive;
    Ref m_players, m_playerPicture;
    bool m_nameFontNamed = false, m_scoreFontNamed = false;
    std::array<Counter, 6> m_counters;

    // global file
    bool m_globalRead = false;
    Ref m_turnSound, m_cardsX, m_cardsY, m_cardWidth, m_cardHeight, m_cardBack;
    bool m_cardFontNamed = false, m_sameNameSound = false, m_border = false;
    bool m_textActive = false, m_textFontNamed = false;
    At m_textActiveAt;
    MemFont m_textFont;
    Ref m_textSound, m_textTop;
    int m_textLeft = 0, m_textWidth = 160, m_textSpace = 4;
};

} // namespace

void checkMemoryConfiguration(const QString& path, ThemeReport& report)
{
    MemoryChecker(path, report).run();
}

int runMemoryCheck(const QStringList& configuration)
{
    const ConfigurationFile found = gamFindConfiguration(QStringLiteral("memory.ini"), configuration);
    const QString path = found.path;
    if (!path.isEmpty())
        std::printf("Checking %s (%s)\n", qUtf8Printable(path), qUtf8Printable(found.reason));
    ThemeReport report;
    if (path.isEmpty()) {
        report.problem(QStringLiteral("memory.ini"), 0,
                       startupFinding(QStringLiteral("not found; looked for ") + gamPlacesLookedIn(QStringLiteral("memory.ini")),
                                      memErrorText(1).message, true, 1));
    } else {
        checkMemoryConfiguration(path, report);
    }
    for (const QString& line : report.lines())
        std::printf("%s\n", qUtf8Printable(line));
    if (report.clean())
        std::printf("%s: no problems found\n", qUtf8Printable(path));
    return report.clean() ? 0 : 1;
}
