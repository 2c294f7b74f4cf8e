// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memkeys.h"

#include "common/classroom.h"
#include "common/fileio.h"
#include "common/inireader.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/string32.h"
#include "common/themecheck.h"
#include "memory/memconfig.h"
#include "memory/memerrors.h"
#include "memory/twinturn.h"
#include "platform/files.h"
#include "platform/picture.h"

#include <climits>

namespace {
bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
int whole(const QString& value) { return mathToInt32(value); }
QString shown(const QString& path) { return toPlatformSeparators(path); }

void debugLog(const QString& line)
{
    if (bolDebug)
        memWriteLog(line);
}

using Fill = std::function<void(const KeyLine&)>;
Fill text(QString& f) { return [&f](const KeyLine& k) { f = k.value; }; }
Fill flag(bool& f) { return [&f](const KeyLine& k) { f = mathToBool(k.value); }; }
Fill number(int& f) { return [&f](const KeyLine& k) { f = whole(k.value); }; }
Fill colour(uint32_t& f) { return [&f](const KeyLine& k) { f = mathToColor(k.value); }; }

// Six fields at most, one for each screen size: what lies beyond is read by nobody.
QString sixthPicture(const KeyLine& k)
{
    const QString sixth = strGetTab(k.value, 6);
    return sixth.isEmpty() ? QString()
                           : QStringLiteral("%1: only five pictures are read, one for each screen size; '%2' and after have no effect")
                                 .arg(k.what, sixth);
}

const KeySection kBeforeSection{{QString()}, {}, QString(), QStringLiteral("'%1' stands before any section and is ignored")};
}

int memGridSide(double value)
{
    const double r = mathRoundHalfEven(value);
    if (!(r >= 1))
        return 0;
    return r > 10000 ? 10000 : int(r);
}

MemReader::MemReader(MemState& state, IniFiles& files, FindingSink sink, bool checking, MemSplashHost* splash)
    : s(state), m_files(files), m_sink(std::move(sink)), m_checking(checking), m_splash(splash)
{
}

MemReader::Where MemReader::at(const QString& what, const QString& file) const
{
    return m_at.value(what.toLower(), Where{file.isEmpty() ? iniFile : file, 0});
}

bool MemReader::tell(const Where& at, const QString& what, int number, const QString& info, const QString& info2,
                     const QString& info3, const QString& howOften)
{
    return send(message(at, what, number, info, info2, info3, howOften));
}

bool MemReader::send(const Finding& f)
{
    if (!m_sink(f))
        m_going = false;
    return m_going;
}

Finding MemReader::message(const Where& at, const QString& what, int number, const QString& info, const QString& info2,
                           const QString& info3, const QString& howOften) const
{
    const MemErrorText e = memErrorText(number, info, info2, info3);
    // Start-up takes a FIFO or a device for a missing file; the checker says what it is.
    QString note;
    if (const QString cause = m_checking && !info.isEmpty() ? fileProblem(info) : QString();
        cause == QLatin1String("is a FIFO") || cause == QLatin1String("is a device") || cause == QLatin1String("is a socket"))
        note = QStringLiteral("the file ") + cause;
    return Finding{at.file, at.line, e.message, number, e.kind == MemErrorKind::Fatal, what, note, howOften};
}

QString MemReader::pictureProblem(const QString& path, bool& found)
{
    const QString real = resolvePath(path);
    if (const auto it = m_pictures.constFind(real); it != m_pictures.constEnd()) {
        found = it->first;
        return it->second;
    }
    QString why;
    if (!loadPicture(real, &why, QSize(), &found).isNull())
        why.clear();
    else if (why.isEmpty())
        why = QStringLiteral("picture '%1' cannot be read").arg(shown(path));
    m_pictures.insert(real, {found, why});
    return why;
}

void MemReader::say(const Where& at, const QString& words)
{
    if (m_checking)
        m_sink(Finding{at.file, at.line, words});
}

std::function<void(const KeyLine&)> MemReader::mark(std::function<void(const KeyLine&)> fill)
{
    return [this, fill = std::move(fill)](const KeyLine& k) {
        m_at[k.what.toLower()] = Where{m_walking, k.line};
        if (fill)
            fill(k);
    };
}

bool MemReader::walk(const QString& path, const KeyTable& table)
{
    IniReader reader;
    if (!m_files.open(reader, path)) {
        if (reader.regular())
            say({path, 0}, QStringLiteral("the file ") + reader.error());
        return reader.regular();
    }
    // A finding without words places the file in the report's order.
    if (m_checking)
        m_sink(Finding{path});
    m_walking = path;
    Findings found(path, [this](const Finding& f) { return m_sink(f) && m_going; }, m_checking);
    // Every row notes where its key stood.
    KeyTable marked = table;
    for (KeySection& section : marked.sections)
        for (KeyRow& row : section.rows)
            row.fill = mark(row.fill);
    for (KeyRow& row : marked.anywhere)
        row.fill = mark(row.fill);
    walkKeys(reader, marked, found);
    m_going = m_going && found.going();
    return true;
}

KeyTable MemReader::iniTable(bool declaration)
{
    memInterface& ui = s.ui;
    const auto folder = [this](QString& f) {
        return [this, &f](const KeyLine& k) {
            f = fioExpandMacro(k.value);
            if (m_checking)
                if (const QString w = programFolderWarning(iniFile, k.what, k.value); !w.isEmpty())
                    say({iniFile, k.line}, w);
        };
    };
    KeyTable t{{kBeforeSection,
                {{QStringLiteral("paths")},
                 {{"gfx", KeyKind::Folder, folder(ui.gfx)},
                  {"sfx", KeyKind::Folder, folder(ui.sfx)},
                  {"data", KeyKind::Folder, folder(ui.data)},
                  {"card", KeyKind::Folder, folder(ui.card)}}},
                {{QStringLiteral("gamefiles")},
                 {{"main", KeyKind::File, text(ui.mainFile)},
                  {"global", KeyKind::File, text(ui.globalFile)},
                  {"cards", KeyKind::File, text(ui.cardsFile)},
                  {"listfile", KeyKind::File, text(ui.listFile)},
                  {"special", KeyKind::File, text(ui.specialFile)}}},
                {{QStringLiteral("classroom")}, classroomRows(s.classroom, false)}},
               {{"debug", KeyKind::Flag, [this](const KeyLine& k) { iniDebug = mathToBool(k.value), m_debugLine = k.line; }},
                // As memCheckINI: the first item with the key app, in any section, counts.
                {"app", KeyKind::Text,
                 [this, declaration](const KeyLine& k) {
                     if (m_appLine) {
                         say({iniFile, k.line}, QStringLiteral("app has no effect: only the first app line (line %1) counts").arg(m_appLine));
                         return;
                     }
                     m_appLine = k.line;
                     if (is(k.value, "memory") || is(k.value, "match"))
                         s.intAppType = is(k.value, "match") ? 1 : 0;
                     else if (declaration)
                         tell({iniFile, k.line},
                              QStringLiteral("app '%1'%2").arg(k.value, is(k.value.trimmed(), "memory") || is(k.value.trimmed(), "match")
                                                                            ? QStringLiteral(" (the blanks count)")
                                                                            : QString()),
                              4);
                 },
                 {}, true}}};
    t.unknownSection = [names = t.sectionNames()](const QString& name) {
        return QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, names));
    };
    return t;
}

bool MemReader::readIni(const QString& path, bool declaration)
{
    iniFile = shown(path);
    m_appLine = 0;
    if (!walk(path, iniTable(declaration))) {
        // Start-up names no file in this box; the finding's own path does.
        const QString cause = fileProblem(path);
        // memStartUp has shown its box already for a file that is not there at all.
        Finding f{iniFile, 0, memErrorText(1, m_checking ? QString() : path).message, 1, true};
        if (m_checking && cause != QLatin1String("is missing"))
            f.note = QStringLiteral("the file ") + cause;
        m_going = m_sink(f) && m_going;
        return false;
    }
    if (declaration && !m_appLine && !tell({iniFile, 0}, QString(), 3))
        return false;
    if (!m_checking || !m_going)
        return m_going;
    if (iniDebug)
        say({iniFile, m_debugLine}, QStringLiteral("debug is on: every card is shown face up and memory.log is written at every start"));
    for (const auto& [key, folder, holds] :
         {std::tuple{"gfx", &s.ui.gfx, "the window pictures and the card back"},
          std::tuple{"sfx", &s.ui.sfx, "the turn, result, end and text list sounds"},
          std::tuple{"data", &s.ui.data, "the main, global, card, list and special files"},
          std::tuple{"card", &s.ui.card, "the card pictures and sounds"}}) {
        const QString what = QStringLiteral("%1 in [paths]").arg(QLatin1String(key));
        const Where w = at(what);
        const QString& p = *folder;
        if (!w.line)
            say({iniFile, 0}, QStringLiteral("[paths] sets no %1 folder (for %2)").arg(QLatin1String(key), QLatin1String(holds)));
        else if (p.isEmpty())
            say(w, QStringLiteral("%1 is empty: the files are looked for in the current folder").arg(what));
        else if (!p.endsWith(QLatin1Char('/')))
            say(w, QStringLiteral("%1: '%2' does not end in '\\', so file names are joined straight onto it "
                                  "(write '%2\\' or begin it with %apppath%)")
                       .arg(what, shown(p)));
        else if (!fioIsFullPath(p))
            say(w, QStringLiteral("%1: '%2' is not a full path and is taken from the folder the game is started in").arg(what, shown(p)));
        else if (!fioDirExists(p))
            m_sink(Finding{w.file, w.line, QStringLiteral("%1: folder '%2' does not exist").arg(what, shown(p)), 0, false, {}, {}, {}, p});
    }
    return true;
}

// One font group: size, bold and italic count only after the group's name key (fontname, namefont).
QVector<KeyRow> MemReader::fontRows(const char* prefix, MemFont& font, bool& named, const std::function<QString()>& notYet)
{
    static QList<QByteArray> keys; // rows name their keys by pointer
    const QByteArray p(prefix);
    const QByteArray name = p == "font" ? "fontname" : p;
    const auto later = [this, &named, notYet, nameKey = QString::fromLatin1(name)](std::function<void(const KeyLine&)> apply) {
        return [this, &named, notYet, apply, nameKey](const KeyLine& k) {
            if (const QString why = notYet ? notYet() : QString(); !why.isEmpty())
                return say({m_walking, k.line}, QStringLiteral("%1 has no effect: it comes before %2").arg(k.what, why));
            if (!named)
                return say({m_walking, k.line}, QStringLiteral("%1 has no effect: it comes before %2").arg(k.what, nameKey));
            apply(k);
        };
    };
    keys << name << p + "size" << p + "bold" << p + "italic";
    const qsizetype n = keys.size();
    return {
        {keys[n - 4].constData(), KeyKind::Text,
         [this, &font, &named, notYet](const KeyLine& k) {
             if (const QString why = notYet ? notYet() : QString(); !why.isEmpty())
                 return say({m_walking, k.line}, QStringLiteral("%1 has no effect: it comes before %2").arg(k.what, why));
             font.name = k.value.trimmed();
             named = true;
         }},
        {keys[n - 3].constData(), KeyKind::Number, later([&font](const KeyLine& k) {
             if (const double size = mathLeadingNumber(k.value); size > 0)
                 font.size = std::min(size, 200.0);
         })},
        {keys[n - 2].constData(), KeyKind::Flag, later([&font](const KeyLine& k) { font.bold = mathToBool(k.value); })},
        {keys[n - 1].constData(), KeyKind::Flag, later([&font](const KeyLine& k) { font.italic = mathToBool(k.value); })},
    };
}

KeyTable MemReader::mainTable()
{
    memInterface& ui = s.ui;
    const auto splash = [this](const KeyLine& k) {
        if (m_splashLine)
            m_afterSplash << k.key;
        if (!m_splash)
            return;
        if (is(k.key, "backcolor") && !k.value.isEmpty())
            m_splash->setBackColor(mathToColor(k.value));
        else if (is(k.key, "windowstate") && is(k.value.trimmed(), "maximized"))
            m_splash->setMaximized();
    };
    const auto counter = [this](const std::function<void(memControl&, const KeyLine&)>& fill) {
        return [this, fill](const KeyLine& k) { fill(s.ui.Controls[size_t(k.index)], k); };
    };
    // A counter's font keys count only once it is active and its order has chosen the label.
    const auto counterFont = [this](const KeyLine& k) {
        memControl& ctl = s.ui.Controls[size_t(k.index)];
        if (!(ctl.Active && ctl.OrderSet))
            return say({m_walking, k.line}, QStringLiteral("%1 has no effect: it comes before %2")
                                                 .arg(k.what, ctl.Active ? QStringLiteral("order") : QStringLiteral("active=1 and order")));
        MemFont& font = s.ui.ControlFonts[size_t(ctl.Order)];
        const QString suffix = k.key.mid(4).toLower();
        if (suffix == QLatin1String("name"))
            font.name = k.value.trimmed();
        else if (suffix == QLatin1String("size") && mathLeadingNumber(k.value) > 0)
            font.size = std::min(mathLeadingNumber(k.value), 200.0);
        else if (suffix == QLatin1String("bold"))
            font.bold = mathToBool(k.value);
        else if (suffix == QLatin1String("italic"))
            font.italic = mathToBool(k.value);
    };
    QVector<KeyRow> players = {
        {"players", KeyKind::Number, number(ui.Players)},
        {"defaultname", KeyKind::Text, text(ui.DefaultName)},
        {"picture", KeyKind::Picture, text(ui.PlayerPicture)},
        {"nameforecolor", KeyKind::Colour, colour(ui.NameForeColor)},
        {"scoreforecolor", KeyKind::Colour, colour(ui.ScoreForeColor)},
        {"dimcolor", KeyKind::Colour, colour(ui.DimColor)},
    };
    players << fontRows("namefont", ui.NameFont, m_nameNamed, {}) << fontRows("scorefont", ui.ScoreFont, m_scoreNamed, {});
    KeyTable t{{kBeforeSection,
                {{QStringLiteral("splash screen")},
                 {{"active", KeyKind::Number,
                   [this](const KeyLine& k) {
                       if (mathLeadingNumber(k.value) != 1)
                           return;
                       if (!m_splashLine)
                           m_splashLine = k.line;
                       if (m_splash) {
                           debugLog(QStringLiteral("--> memOpenINI: visar splash"));
                           m_splash->showAndWait();
                       }
                   },
                   [](const KeyLine& k) {
                       const double n = mathLeadingNumber(k.value);
                       return looksNumeric(k.value) && n != 0 && n != 1
                                  ? QStringLiteral("%1: only 1 shows the splash, %2 does not").arg(k.what, k.value.trimmed())
                                  : QString();
                   }},
                  {"backcolor", KeyKind::Colour, splash},
                  {"windowstate", KeyKind::Text, splash,
                   [](const KeyLine& k) {
                       return k.value.trimmed().isEmpty() || is(k.value.trimmed(), "maximized")
                                  ? QString()
                                  : QStringLiteral("%1: only 'maximized' has an effect").arg(k.what);
                   }},
                  {"picture", KeyKind::Ignored, {},
                   [](const KeyLine& k) { return QStringLiteral("%1 has no effect: the memory game's splash shows no picture").arg(k.what); }}}},
                {{QStringLiteral("interface")},
                 {{"pictures", KeyKind::Pictures, [this](const KeyLine& k) { memSetBkPictures(s, k.value); }, sixthPicture},
                  {"backcolor", KeyKind::Colour, colour(ui.BackColor)},
                  {"quitpicture", KeyKind::Picture, text(ui.QuitPicture)},
                  {"endgoodpicture", KeyKind::Picture, text(ui.EndGoodPicture)},
                  {"endbadpicture", KeyKind::Picture, text(ui.EndBadPicture)},
                  {"endgoodsound", KeyKind::Sound, text(ui.EndGoodSound)},
                  {"endbadsound", KeyKind::Sound, text(ui.EndBadSound)},
                  {"matchsound", KeyKind::Sound, text(ui.MatchSound)},
                  {"nomatchsound", KeyKind::Sound, text(ui.NoMatchSound)}}},
                {{QStringLiteral("help")}, {{"picture", KeyKind::Picture, text(ui.HelpPicture)}, {"active", KeyKind::Flag, flag(ui.HelpActive)}}},
                {{QStringLiteral("line")},
                 {{"active", KeyKind::Flag, flag(ui.LineActive)},
                  {"color", KeyKind::Colour, colour(ui.LineColor)},
                  {"width", KeyKind::Number, [&ui](const KeyLine& k) { ui.LineWidth = std::clamp(whole(k.value), 0, 64); }}}},
                {{QStringLiteral("players")}, players},
                {{QStringLiteral("timer"), QStringLiteral("countdown"), QStringLiteral("cards made"), QStringLiteral("cards left"),
                  QStringLiteral("tries made"), QStringLiteral("tries left")},
                 {{"active", KeyKind::Flag, counter([](memControl& c, const KeyLine& k) { c.Active = mathToBool(k.value); })},
                  // Six labels show counters; an order outside 1 to 6 would name none.
                  {"order", KeyKind::Number,
                   counter([](memControl& c, const KeyLine& k) {
                       c.Order = std::clamp(whole(k.value) - 1, 0, 5);
                       c.OrderSet = true;
                   }),
                   [](const KeyLine& k) {
                       const int n = whole(k.value);
                       return n < 1 || n > 6 ? QStringLiteral("%1: %2 is outside 1 to 6; the counter takes place %3")
                                                   .arg(k.what).arg(n).arg(std::clamp(n - 1, 0, 5) + 1)
                                             : QString();
                   }},
                  {"condition", KeyKind::Number, counter([](memControl& c, const KeyLine& k) { c.Condition = whole(k.value); })},
                  {"picture", KeyKind::Picture, counter([](memControl& c, const KeyLine& k) { c.Picture = k.value; })},
                  {"fontname", KeyKind::Text, counterFont},
                  {"fontsize", KeyKind::Number, counterFont},
                  {"fontbold", KeyKind::Flag, counterFont},
                  {"fontitalic", KeyKind::Flag, counterFont},
                  {"forecolor", KeyKind::Colour, counter([](memControl& c, const KeyLine& k) { c.ForeColor = mathToColor(k.value); })},
                  {"placex", KeyKind::Number, counter([](memControl& c, const KeyLine& k) { c.PlaceX = whole(k.value); })},
                  {"placey", KeyKind::Number, counter([](memControl& c, const KeyLine& k) { c.PlaceY = whole(k.value); })}}},
                {{QStringLiteral("*")}, {}, QString(), QString()}}};
    t.unknownSection = [names = t.sectionNames()](const QString& name) {
        return QStringLiteral("unknown section [%1]%2").arg(name, suggestion(name, names));
    };
    return t;
}

KeyTable MemReader::globalTable()
{
    memInterface& ui = s.ui;
    memTextList& tl = ui.TextList;
    const auto noEffect = [](const char* why) {
        return [why](const KeyLine& k) { return QStringLiteral("%1 has no effect%2").arg(k.what, QLatin1String(why)); };
    };
    QVector<KeyRow> cards = {
        {"dissapear", KeyKind::Number, number(ui.Dissapear),
         [](const KeyLine& k) {
             const int n = whole(k.value);
             return n < 0 || n > 3 ? QStringLiteral("%1: %2 is none of 0 (stay), 1 (vanish), 2 (fly off) and 3 (shrink); it works as 0")
                                         .arg(k.what).arg(n)
                                   : QString();
         }},
        // A missing file is reported by memCheckValues.
        {"turnsound", KeyKind::Sound, text(ui.TurnSound)},
        {"forecolor", KeyKind::Colour, colour(ui.CardForeColor)},
        {"wordwrap", KeyKind::Ignored, flag(ui.WordWrap), noEffect(": a card's text is always one centred line")},
        {"autosize", KeyKind::Ignored, flag(ui.AutoSize), noEffect(": a card's text is always one centred line")},
        {"cardsx", KeyKind::Number, [&ui](const KeyLine& k) { ui.CardsX = mathLeadingNumber(k.value); }},
        {"cardsy", KeyKind::Number, [&ui](const KeyLine& k) { ui.CardsY = mathLeadingNumber(k.value); }},
        {"cardwidth", KeyKind::Number, number(ui.CardWidth)},
        {"cardheight", KeyKind::Number, number(ui.CardHeight)},
        {"border", KeyKind::Flag, flag(ui.Border)},
        {"picture", KeyKind::Picture,
         [this](const KeyLine& k) {
             if (s.intAppType == 0)
                 s.ui.CardBackFile = k.value;
             else
                 say({m_walking, k.line}, QStringLiteral("%1 has no effect: app=match shows every card's own picture").arg(k.what));
         }},
        {"samenamesound", KeyKind::Flag, flag(ui.SameNameSound)},
    };
    cards << fontRows("font", ui.CardFont, m_cardNamed, {});
    QVector<KeyRow> texts = {
        {"active", KeyKind::Flag, flag(tl.Active)},
        {"pictureslide", KeyKind::Ignored, flag(tl.PictureSlide), noEffect("")},
        {"forecolor", KeyKind::Colour, colour(tl.ForeColor)},
        {"selectcolor", KeyKind::Colour, colour(tl.SelectColor)},
        {"dimcolor", KeyKind::Colour, colour(tl.DimColor)},
        {"destroy", KeyKind::Flag, flag(tl.Destroy)},
        {"sound", KeyKind::Sound, text(tl.Sound)},
        {"top", KeyKind::Number, number(tl.Top)},
        {"left", KeyKind::Number, number(tl.Left)},
        {"width", KeyKind::Number, number(tl.Width)},
        {"space", KeyKind::Number, number(tl.Space)},
    };
    // The text list's font keys count only once the list is on.
    texts << fontRows("font", tl.Font, m_textNamed, [&tl] { return tl.Active ? QString() : QStringLiteral("active=1"); });
    KeyTable t{{{{QStringLiteral("text list")}, texts}, {{QStringLiteral("*")}, cards, QStringLiteral("the card settings")}}};
    t.unknownSection = [](const QString& name) {
        return QStringLiteral("section [%1] means nothing in the global file: the keys after it are card settings%2")
            .arg(name, suggestion(name, {QStringLiteral("text list")}));
    };
    return t;
}

bool MemReader::openData(const QString& name, const char* key, int missing, QString& path)
{
    path = s.ui.data + name;
    const QString what = QStringLiteral("%1 in [gamefiles]").arg(QLatin1String(key));
    if (name.isEmpty())
        return tell(at(what), what, missing, path), false;
    return true;
}

bool MemReader::readMain()
{
    QString path;
    m_splashLine = 0;
    m_afterSplash.clear();
    if (!openData(s.ui.mainFile, "main", 5, path))
        return false;
    mainFile = shown(path);
    if (!walk(path, mainTable()))
        return tell(at(QStringLiteral("main in [gamefiles]")), QStringLiteral("main in [gamefiles]"), 5, path), false;
    if (!m_afterSplash.isEmpty())
        say({mainFile, m_splashLine}, QStringLiteral("active in [splash screen] shows the splash at once; the keys after it (%1) come too late")
                                          .arg(m_afterSplash.join(QStringLiteral(", "))));
    return m_going;
}

bool MemReader::readGlobal()
{
    QString path;
    if (!openData(s.ui.globalFile, "global", 6, path))
        return false;
    globalFile = shown(path);
    if (!walk(path, globalTable()))
        return tell(at(QStringLiteral("global in [gamefiles]")), QStringLiteral("global in [gamefiles]"), 6, path), false;
    return m_going;
}

KeyTable MemReader::specialTable()
{
    const Where mainPictures = at(QStringLiteral("pictures in [interface]"), mainFile);
    KeyTable t{{kBeforeSection,
                {{QStringLiteral("interface")},
                 {{"pictures", KeyKind::Pictures,
                   [this, mainPictures](const KeyLine& k) {
                       if (mainPictures.line)
                           say(mainPictures, QStringLiteral("pictures in [interface] has no effect: the special file sets the background pictures again"));
                       memSetBkPictures(s, k.value);
                   },
                   sixthPicture}},
                 QString(),
                 QStringLiteral("'%1' has no effect in the special file: only pictures in [interface] is read")},
                {{QStringLiteral("*")}, {}, QString(), QString()}}};
    t.unknownSection = [](const QString& name) {
        return QStringLiteral("section [%1] has no effect: the special file is read only for pictures in [interface]").arg(name);
    };
    return t;
}

bool MemReader::readSpecial()
{
    QString path;
    if (s.ui.specialFile.isEmpty() || !openData(s.ui.specialFile, "special", 10, path))
        return m_going;
    if (!walk(path, specialTable()))
        return tell(at(QStringLiteral("special in [gamefiles]")), QStringLiteral("special in [gamefiles]"), 10, path), false;
    return m_going;
}

// At most count items (and, checking, one more to tell the lines the board leaves unread).
bool MemReader::readItems(const QString& path, int count, const std::function<void(int, const QString&, int, bool)>& take, int& read)
{
    IniReader reader;
    read = 0;
    if (!m_files.open(reader, path)) {
        if (reader.regular())
            say({shown(path), 0}, QStringLiteral("the file ") + reader.error());
        return reader.regular();
    }
    if (m_checking)
        m_sink(Finding{shown(path)});
    int lastLine = 0;
    // Without a board every line is looked at, up to the most a game can have.
    const int cap = count == INT_MAX ? memDesign::MaxCards + 1 : count;
    while (m_going && !reader.atEnd()) {
        const QString item = reader.readItem();
        const int line = reader.itemLine();
        if (read >= cap) {
            if (count != INT_MAX)
                say({shown(path), line}, QStringLiteral("this line and the ones after it are not read: the board has %1 cards").arg(count));
            break;
        }
        take(read++, item, line, line == lastLine);
        lastLine = line;
        if (!m_checking && read >= count)
            break;
    }
    return true;
}

bool MemReader::readCards()
{
    memInterface& ui = s.ui;
    const Where global{globalFile, 0};
    const int across = memGridSide(ui.CardsX), down = memGridSide(ui.CardsY);
    int count = INT_MAX; // no board: checking, every card line is still looked at
    const Where x = at(QStringLiteral("cardsx in the card settings"), globalFile), y = at(QStringLiteral("cardsy in the card settings"), globalFile);
    if (!across || !down) {
        const char* bad = across ? "cardsy" : "cardsx";
        const Where w = across ? y : x;
        if (!tell(w, w.line ? QStringLiteral("%1 in the card settings").arg(QLatin1String(bad)) : QStringLiteral("the card settings set no %1").arg(QLatin1String(bad)),
                  11))
            return false;
    } else if (const qint64 grid = qint64(across) * down; grid > memDesign::MaxCards) {
        if (!tell(y.line > x.line ? y : x, QString(), 16, QString::number(grid), QString::number(memDesign::MaxCards)))
            return false;
    } else {
        count = s.memGridCount = int(grid);
        if (!s.textGame() && grid % 2 == 1) {
            tell(y.line > x.line ? y : x, QString(), 13, QString::number(grid));
            count = int(grid) - 1;
        }
    }
    s.memCardCount = count == INT_MAX ? 0 : count;
    s.memCardHolders = QVector<memCardHolder>(s.memCardCount);

    QString path = ui.data + ui.cardsFile;
    int read = 0;
    const auto card = [this, &ui](int i, const QString& item, int line, bool sameLine) {
        memCardHolder h{strGetTab(item, 1), strGetTab(item, 2), {}, strGetTab(item, 3), strGetTab(item, 4)};
        const Where w{m_walking, line};
        const QString what = QStringLiteral("card %1").arg(i + 1);
        if (sameLine)
            say(w, QStringLiteral("a comma on this line starts another item: %1 begins after it").arg(what));
        if (item.startsWith(QLatin1Char(';')))
            say(w, QStringLiteral("%1 is this comment: the file has no comments, every item counts").arg(what));
        if (m_checking && !h.PictureFile.isEmpty()) {
            bool found = false;
            if (const QString why = pictureProblem(ui.card + h.PictureFile, found); !why.isEmpty()) {
                Finding f = message(w, what, found ? 110 : 105, ui.card + h.PictureFile, found ? why : QString());
                f.missing = found ? QString() : ui.card + h.PictureFile;
                send(f);
            }
        } else if (h.PictureFile.isEmpty() && h.Text.isEmpty()) {
            say(w, QStringLiteral("%1 has neither a picture nor a text: it shows nothing when turned%2")
                       .arg(what, item.contains(QLatin1Char('\t')) || item.startsWith(QLatin1Char(';'))
                                      ? QString()
                                      : QStringLiteral(" (its fields must be separated by TABs, and this line has none)")));
        }
        if (h.Sound.isEmpty() && ui.SameNameSound && !h.PictureFile.isEmpty()) {
            const QString name = fioRemoveExtension(h.PictureFile) + QStringLiteral(".wav");
            const QString log = QStringLiteral("----> memOpenINI: kortljudsame: ") + name + QStringLiteral(" (") + ui.card + name + QStringLiteral(")");
            debugLog(log);
            if (fioFileExists(ui.card + name)) {
                h.Sound = name;
                debugLog(log);
                if (const Finding f = m_checking ? fileFinding(w.file, line, what, ui.card + name, false) : Finding{}; !f.words.isEmpty())
                    m_sink(f);
            }
        } else if (!h.Sound.isEmpty() && !fioFileExists(ui.card + h.Sound)) {
            const QString missing = ui.card + h.Sound;
            h.Sound.clear();
            Finding f = message(w, what, 203, missing, QString::number(i + 1));
            f.missing = missing;
            send(f);
        } else if (m_checking && !h.Sound.isEmpty()) {
            if (const Finding f = fileFinding(w.file, line, what, ui.card + h.Sound, false); !f.words.isEmpty())
                m_sink(f);
        }
        if (i < s.memCardHolders.size())
            s.memCardHolders[i] = h;
    };
    m_walking = shown(path);
    bool opened = !ui.cardsFile.isEmpty() && readItems(path, count, card, read);
    if (!opened && !ui.cardsFile.isEmpty()) {
        path = ui.card + ui.cardsFile;
        m_walking = shown(path);
        opened = readItems(path, count, card, read);
    }
    if (!opened) {
        s.memCardCount = 0;
        return tell(at(QStringLiteral("cards in [gamefiles]")), QStringLiteral("cards in [gamefiles]"), 7, ui.cardsFile), false;
    }
    if (count == INT_MAX || read >= count || !m_going)
        return m_going;
    // A board larger than the card file: play the cards there are, pairs kept whole.
    const int cards = s.textGame() ? read : read - read % 2;
    if (cards <= 0)
        return tell({shown(path), 0}, QString(), 17, path), false;
    tell({shown(path), 0}, QString(), 14, path, QString::number(read), QString::number(cards));
    s.memCardCount = cards;
    s.memCardHolders.resize(cards);
    return m_going;
}

bool MemReader::readList()
{
    memInterface& ui = s.ui;
    memTextList& tl = ui.TextList;
    const int count = s.memCardCount > 0 ? s.memCardCount : INT_MAX;
    tl.Texts = QVector<memTextEntry>(s.memCardCount);
    int read = 0;
    const auto text = [this, &tl, &ui](int i, const QString& item, int line, bool sameLine) {
        const Where w{m_walking, line};
        const QString what = QStringLiteral("text %1").arg(i + 1);
        if (sameLine)
            say(w, QStringLiteral("a comma on this line starts another item: %1 begins after it").arg(what));
        if (item.startsWith(QLatin1Char(';')))
            say(w, QStringLiteral("%1 is this comment: the file has no comments, every item counts").arg(what));
        const memTextEntry entry{strGetTab(item, 1), strGetTab(item, 2)};
        if (m_checking && !entry.Sound.isEmpty())
            if (const Finding f = fileFinding(w.file, line, what, ui.card + entry.Sound, false); !f.words.isEmpty())
                m_sink(f);
        debugLog(QStringLiteral("----> memFixVariables: textlista: ") + entry.Text);
        if (i < tl.Texts.size())
            tl.Texts[i] = entry;
    };
    QString path = ui.card + ui.listFile;
    m_walking = shown(path);
    bool opened = !ui.listFile.isEmpty() && readItems(path, count, text, read);
    if (!opened && !ui.listFile.isEmpty()) {
        path = ui.data + ui.listFile;
        m_walking = shown(path);
        opened = readItems(path, count, text, read);
    }
    if (!opened) {
        const Where w = at(QStringLiteral("listfile in [gamefiles]"));
        return tell(w.line ? w : at(QStringLiteral("active in [text list]"), globalFile), QStringLiteral("listfile in [gamefiles]"), 8,
                    ui.listFile),
               false;
    }
    if (count != INT_MAX && read < count)
        tell({shown(path), 0}, QStringLiteral("%1 texts for %2 cards").arg(read).arg(count), 9);
    return m_going;
}
