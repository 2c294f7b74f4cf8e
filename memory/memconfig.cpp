// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memconfig.h"
#include "memory/memlayout.h"

#include "common/fileio.h"
#include "common/inireader.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/string32.h"
#include "memory/memerrors.h"
#include "memory/twinturn.h"
#include "platform/picture.h"

#include <algorithm>

#include <QDateTime>
#include <cmath>

namespace {

bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

void debugLog(const QString& line)
{
    if (bolDebug)
        memWriteLog(line);
}

int whole(const QString& value) { return mathToInt32(value); }

// One font group: size, bold and italic count only after the group's name key.
struct FontGroup {
    MemFont* font = nullptr;
    bool named = false;

    bool apply(const QString& suffix, const QString& value, bool nameKey)
    {
        if (nameKey) {
            font->name = value.trimmed();
            named = true;
            return true;
        }
        if (!named)
            return true;
        if (is(suffix, "size")) {
            const double size = mathLeadingNumber(value);
            if (size > 0)
                font->size = std::min(size, 200.0);
        } else if (is(suffix, "bold")) {
            font->bold = mathToBool(value);
        } else if (is(suffix, "italic")) {
            font->italic = mathToBool(value);
        }
        return true;
    }
};

// Reads every item of a file that exists, handing (section, key, value) to act.
template <typename Act>
void readItems(const QString& path, Act act)
{
    IniReader reader;
    if (!reader.open(path))
        return;
    QString section;
    while (!reader.atEnd()) {
        const QString item = reader.readItem();
        if (fioIsSection(item)) {
            section = fioGetSection(item);
            continue;
        }
        if (!act(section, fioGetKey(item), fioGetValue(item)))
            break;
    }
    reader.close();
}

struct MainReader {
    MemState& s;
    MemSplashHost* splash;
    FontGroup nameFont{&s.ui.NameFont};
    FontGroup scoreFont{&s.ui.ScoreFont};

    void splashKey(const QString& key, const QString& value)
    {
        if (is(key, "active")) {
            if (mathLeadingNumber(value) == 1 && splash) {
                debugLog(QStringLiteral("--> memOpenINI: visar splash"));
                splash->showAndWait();
            }
        } else if (is(key, "backcolor")) {
            if (!value.isEmpty() && splash)
                splash->setBackColor(mathToColor(value));
        } else if (is(key, "windowstate")) {
            if (value.trimmed().compare(QLatin1String("maximized"), Qt::CaseInsensitive) == 0 && splash)
                splash->setMaximized();
        }
    }

    void interfaceKey(const QString& key, const QString& value)
    {
        memInterface& ui = s.ui;
        if (is(key, "pictures"))
            memSetBkPictures(s, value);
        else if (is(key, "backcolor"))
            ui.BackColor = mathToColor(value);
        else if (is(key, "quitpicture"))
            ui.QuitPicture = value;
        else if (is(key, "endgoodpicture"))
            ui.EndGoodPicture = value;
        else if (is(key, "endbadpicture"))
            ui.EndBadPicture = value;
        else if (is(key, "endgoodsound"))
            ui.EndGoodSound = value;
        else if (is(key, "endbadsound"))
            ui.EndBadSound = value;
        else if (is(key, "matchsound"))
            ui.MatchSound = value;
        else if (is(key, "nomatchsound"))
            ui.NoMatchSound = value;
    }

    void playersKey(const QString& key, const QString& value)
    {
        memInterface& ui = s.ui;
        if (is(key, "players"))
            ui.Players = whole(value);
        else if (is(key, "defaultname"))
            ui.DefaultName = value;
        else if (is(key, "picture"))
            ui.PlayerPicture = value;
        else if (is(key, "nameforecolor"))
            ui.NameForeColor = mathToColor(value);
        else if (is(key, "scoreforecolor"))
            ui.ScoreForeColor = mathToColor(value);
        else if (is(key, "dimcolor"))
            ui.DimColor = mathToColor(value);
        else if (key.startsWith(QLatin1String("namefont"), Qt::CaseInsensitive))
            nameFont.apply(key.mid(8), value, key.size() == 8);
        else if (key.startsWith(QLatin1String("scorefont"), Qt::CaseInsensitive))
            scoreFont.apply(key.mid(9), value, key.size() == 9);
    }

    void counterKey(int c, const QString& key, const QString& value)
    {
        memControl& ctl = s.ui.Controls[c];
        if (is(key, "active")) {
            ctl.Active = mathToBool(value);
        } else if (is(key, "order")) {
            // Six labels show counters; an order outside 1 to 6 would name none.
            ctl.Order = std::clamp(whole(value) - 1, 0, 5);
            ctl.OrderSet = true;
        } else if (is(key, "condition")) {
            ctl.Condition = whole(value);
        } else if (is(key, "picture")) {
            ctl.Picture = value;
        } else if (is(key, "forecolor")) {
            ctl.ForeColor = mathToColor(value);
        } else if (is(key, "placex")) {
            ctl.PlaceX = whole(value);
        } else if (is(key, "placey")) {
            ctl.PlaceY = whole(value);
        } else if (key.startsWith(QLatin1String("font"), Qt::CaseInsensitive) && ctl.Active && ctl.OrderSet) {
            MemFont& font = s.ui.ControlFonts[ctl.Order];
            const QString suffix = key.mid(4);
            if (is(suffix, "name"))
                font.name = value.trimmed();
            else
                FontGroup{&font, true}.apply(suffix, value, false);
        }
    }

    bool operator()(const QString& section, const QString& key, const QString& value)
    {
        if (is(section, "splash screen"))
            splashKey(key, value);
        else if (is(section, "interface"))
            interfaceKey(key, value);
        else if (is(section, "help")) {
            if (is(key, "picture"))
                s.ui.HelpPicture = value;
            else if (is(key, "active"))
                s.ui.HelpActive = mathToBool(value);
        } else if (is(section, "line")) {
            if (is(key, "active"))
                s.ui.LineActive = mathToBool(value);
            else if (is(key, "color"))
                s.ui.LineColor = mathToColor(value);
            else if (is(key, "width"))
                s.ui.LineWidth = std::clamp(whole(value), 0, 64);
        } else if (is(section, "players")) {
            playersKey(key, value);
        } else if (const int c = memGroupStrToNum(section); c >= 0) {
            counterKey(c, key, value);
        }
        return true;
    }
};

struct GlobalReader {
    MemState& s;
    FontGroup cardFont{&s.ui.CardFont};
    FontGroup textFont{&s.ui.TextList.Font};

    void textListKey(const QString& key, const QString& value)
    {
        memTextList& t = s.ui.TextList;
        if (is(key, "active"))
            t.Active = mathToBool(value);
        else if (is(key, "pictureslide"))
            t.PictureSlide = mathToBool(value);
        else if (key.startsWith(QLatin1String("font"), Qt::CaseInsensitive)) {
            if (t.Active)
                textFont.apply(key.mid(4), value, is(key, "fontname"));
        } else if (is(key, "forecolor"))
            t.ForeColor = mathToColor(value);
        else if (is(key, "selectcolor"))
            t.SelectColor = mathToColor(value);
        else if (is(key, "dimcolor"))
            t.DimColor = mathToColor(value);
        else if (is(key, "destroy"))
            t.Destroy = mathToBool(value);
        else if (is(key, "sound"))
            t.Sound = value;
        else if (is(key, "top"))
            t.Top = whole(value);
        else if (is(key, "left"))
            t.Left = whole(value);
        else if (is(key, "width"))
            t.Width = whole(value);
        else if (is(key, "space"))
            t.Space = whole(value);
    }

    void cardKey(const QString& key, const QString& value)
    {
        memInterface& ui = s.ui;
        if (is(key, "dissapear"))
            ui.Dissapear = whole(value);
        else if (is(key, "turnsound"))
            ui.TurnSound = value; // a missing file is reported by memCheckValues
        else if (key.startsWith(QLatin1String("font"), Qt::CaseInsensitive))
            cardFont.apply(key.mid(4), value, is(key, "fontname"));
        else if (is(key, "forecolor"))
            ui.CardForeColor = mathToColor(value);
        else if (is(key, "wordwrap"))
            ui.WordWrap = mathToBool(value);
        else if (is(key, "autosize"))
            ui.AutoSize = mathToBool(value);
        else if (is(key, "cardsx"))
            ui.CardsX = mathLeadingNumber(value);
        else if (is(key, "cardsy"))
            ui.CardsY = mathLeadingNumber(value);
        else if (is(key, "cardwidth"))
            ui.CardWidth = whole(value);
        else if (is(key, "cardheight"))
            ui.CardHeight = whole(value);
        else if (is(key, "border"))
            ui.Border = mathToBool(value);
        else if (is(key, "picture")) {
            if (s.intAppType == 0)
                ui.CardBackFile = value;
        } else if (is(key, "samenamesound"))
            ui.SameNameSound = mathToBool(value);
    }

    bool operator()(const QString& section, const QString& key, const QString& value)
    {
        if (is(section, "text list"))
            textListKey(key, value);
        else
            cardKey(key, value);
        return true;
    }
};

// Whole cards across or down, kept to a sane range before they are multiplied.
int gridSide(double value)
{
    const double r = mathRoundHalfEven(value);
    if (!(r >= 1))
        return 0;
    return r > 10000 ? 10000 : int(r);
}

void readCards(MemState& s, const QString& path)
{
    memInterface& ui = s.ui;
    IniReader reader;
    if (!reader.open(path))
        return;
    int i = 0;
    while (i < s.memCardCount && !reader.atEnd()) {
        const QString item = reader.readItem();
        memCardHolder& h = s.memCardHolders[i];
        h.First = strGetTab(item, 1);
        h.PictureFile = strGetTab(item, 2);
        h.Text = strGetTab(item, 3);
        h.Sound = strGetTab(item, 4);
        if (h.Sound.isEmpty() && ui.SameNameSound && !h.PictureFile.isEmpty()) {
            const QString name = fioRemoveExtension(h.PictureFile) + QStringLiteral(".wav");
            const QString line = QStringLiteral("----> memOpenINI: kortljudsame: ") + name + QStringLiteral(" (") + ui.card + name
                                 + QStringLiteral(")");
            debugLog(line);
            if (fioFileExists(ui.card + name)) {
                h.Sound = name;
                debugLog(line);
            }
        } else if (!h.Sound.isEmpty() && !fioFileExists(ui.card + h.Sound)) {
            const QString missing = ui.card + h.Sound;
            h.Sound.clear();
            memHandleError(203, missing, QString::number(i + 1));
        }
        ++i;
    }
    reader.close();
    if (i < s.memCardCount) {
        // A board larger than the card file: play the cards there are, pairs kept whole.
        int cards = i;
        if (!s.textGame())
            cards -= cards % 2;
        if (cards <= 0)
            memHandleError(11);
        memHandleError(14, path, QString::number(i));
        s.memCardCount = cards;
        s.memCardHolders.resize(cards);
    }
}

} // namespace

MemRandom::MemRandom() : m_state(0x9E3779B97F4A7C15ULL) {}

void MemRandom::randomize() { seed(uint64_t(QDateTime::currentMSecsSinceEpoch()) * 0x2545F4914F6CDD1DULL); }

void MemRandom::seed(uint64_t value) { m_state = value; }

double MemRandom::next()
{
    // splitmix64: small, fast and good enough for dealing cards
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}

int MemRandom::below(int n) { return int(std::floor(n * next())); }

void memSetDefaultValues(MemState& s)
{
    s.intAppType = 0;
    s.ui.BackColor = 0;
    s.ui.MatchSound.clear();
    s.ui.NoMatchSound.clear();
    s.ui.ResultSounds = false;
    s.ui.Dissapear = 2;
    s.ui.TextList.Active = false;
    s.ui.LineActive = false;
    s.memClickBusy = false;
}

int memGroupStrToNum(const QString& strIn)
{
    static const char* names[] = {"timer", "countdown", "cards made", "cards left", "tries made", "tries left"};
    for (int i = 0; i < 6; ++i)
        if (is(strIn, names[i]))
            return i;
    return -1;
}

void memSetBkPictures(MemState& s, const QString& value)
{
    for (int k = 0; k < 5; ++k)
        s.ui.BkPictures[k] = strGetTab(value, int16_t(k + 1));
}

bool memCheckINI(MemState& s, const QString& path)
{
    if (!fioFileExists(path))
        memHandleError(1, path);
    IniReader reader;
    reader.open(path);
    while (!reader.atEnd()) {
        const QString item = reader.readItem();
        if (fioIsSection(item) || !is(fioGetKey(item), "app"))
            continue;
        reader.close();
        const QString value = fioGetValue(item);
        if (is(value, "memory")) {
            s.intAppType = 0;
            return true;
        }
        if (is(value, "match")) {
            s.intAppType = 1;
            return true;
        }
        memHandleError(4);
        return false;
    }
    reader.close();
    memHandleError(3);
    return false;
}

bool memOpenINI(MemState& s, const QString& path, MemSplashHost* splash)
{
    if (bolDebug)
        memWriteLog(QStringLiteral("=> memOpenINI <="));
    bolDebug = false;
    memInterface& ui = s.ui;
    ui.HelpActive = false;
    s.classroom = ClassroomSettings();

    readItems(path, [&](const QString& section, const QString& key, const QString& value) {
        if (is(key, "debug"))
            bolDebug = mathToBool(value);
        else if (is(section, "paths")) {
            if (is(key, "gfx"))
                ui.gfx = fioExpandMacro(value);
            else if (is(key, "sfx"))
                ui.sfx = fioExpandMacro(value);
            else if (is(key, "data"))
                ui.data = fioExpandMacro(value);
            else if (is(key, "card"))
                ui.card = fioExpandMacro(value);
        } else if (is(section, "classroom")) {
            classroomKey(s.classroom, key, value);
        } else if (is(section, "gamefiles")) {
            if (is(key, "main"))
                ui.mainFile = value;
            else if (is(key, "global"))
                ui.globalFile = value;
            else if (is(key, "cards"))
                ui.cardsFile = value;
            else if (is(key, "listfile"))
                ui.listFile = value;
            else if (is(key, "special"))
                ui.specialFile = value;
        }
        return true;
    });

    const QString mainPath = ui.data + ui.mainFile;
    if (ui.mainFile.isEmpty() || !fioFileExists(mainPath))
        memHandleError(5, mainPath);
    readItems(mainPath, MainReader{s, splash});

    const QString globalPath = ui.data + ui.globalFile;
    if (ui.globalFile.isEmpty() || !fioFileExists(globalPath))
        memHandleError(6, globalPath);
    readItems(globalPath, GlobalReader{s});

    if (!ui.specialFile.isEmpty()) {
        const QString specialPath = ui.data + ui.specialFile;
        if (!fioFileExists(specialPath))
            memHandleError(10, specialPath);
        readItems(specialPath, [&](const QString& section, const QString& key, const QString& value) {
            if (is(section, "interface") && is(key, "pictures"))
                memSetBkPictures(s, value);
            return true;
        });
    }

    const int across = gridSide(ui.CardsX), down = gridSide(ui.CardsY);
    if (across == 0 || down == 0)
        memHandleError(11);
    const qint64 grid = qint64(across) * down;
    if (grid > memDesign::MaxCards)
        memHandleError(16, QString::number(grid), QString::number(memDesign::MaxCards));
    s.memGridCount = int(grid);
    s.memCardCount = int(grid);
    if (!s.textGame() && grid % 2 == 1) {
        memHandleError(13, QString::number(grid));
        s.memCardCount = int(grid) - 1;
    }
    s.memCardHolders = QVector<memCardHolder>(s.memCardCount);

    QString cardsPath = ui.data + ui.cardsFile;
    if (ui.cardsFile.isEmpty() || !fioFileExists(cardsPath)) {
        cardsPath = ui.card + ui.cardsFile;
        if (ui.cardsFile.isEmpty() || !fioFileExists(cardsPath))
            memHandleError(7, ui.cardsFile);
    }
    readCards(s, cardsPath);
    if (bolDebug)
        memWriteLog(QStringLiteral("--> memOpenINI END"));
    return true;
}

bool memCheckValues(MemState& s)
{
    memInterface& ui = s.ui;
    auto check = [&](QString& name, int number) {
        if (!name.isEmpty() && !fioFileExists(ui.sfx + name)) {
            const QString missing = ui.sfx + name;
            name.clear();
            memHandleError(number, missing);
        }
    };
    check(ui.EndGoodSound, 200);
    check(ui.EndBadSound, 201);
    check(ui.TurnSound, 202);
    if (ui.TextList.Active)
        check(ui.TextList.Sound, 204);
    return true;
}

memResolution memFindResolution(QSize screen)
{
    for (int i = 0; i < int(memResolutions.size()); ++i)
        if (memResolutions[i][0] == screen.width())
            return {i, memResolutions[i][0], memResolutions[i][1]};
    return {0, screen.width(), screen.height()};
}

int memLayoutRow(const MemState& s, const memResolution& current)
{
    for (int row = current.Index; row >= 0; --row)
        if (!s.ui.BkPictures[row].isEmpty())
            return row;
    return -1; // no picture at or below: the screen's own row is laid out without one
}

QSize memLayoutSize(const QString& path, QSize screen)
{
    MemState s;
    QString data, mainFile, specialFile;
    readItems(path, [&](const QString& section, const QString& key, const QString& value) {
        if (is(section, "paths") && is(key, "data"))
            data = fioExpandMacro(value);
        else if (is(section, "gamefiles") && is(key, "main"))
            mainFile = value;
        else if (is(section, "gamefiles") && is(key, "special"))
            specialFile = value;
        return true;
    });
    const auto pictures = [&](const QString& section, const QString& key, const QString& value) {
        if (is(section, "interface") && is(key, "pictures"))
            memSetBkPictures(s, value);
        return true;
    };
    // Start-up reads the same files in this order, the special file's pictures replacing the main file's.
    if (!mainFile.isEmpty())
        readItems(data + mainFile, pictures);
    if (!specialFile.isEmpty())
        readItems(data + specialFile, pictures);
    const int row = memLayoutRow(s, memFindResolution(screen));
    return row < 0 ? QSize() : QSize(memResolutions[row][0], memResolutions[row][1]);
}

void memShuffle(MemRandom& random, QVector<memDisplayCard>& display, int count)
{
    display = QVector<memDisplayCard>(count);
    QVector<bool> taken(count, false);
    for (int i = 0; i < count; ++i) {
        int r;
        do
            r = random.below(count);
        while (taken[r]);
        taken[r] = true;
        display[i] = memDisplayCard{r, false, false};
    }
}

namespace {
// Loads folder + name; a missing file gets missingNumber, an unreadable one warning 110.
QImage loadGamePicture(const QString& folder, const QString& name, int missingNumber, QSize shown = QSize())
{
    const QString path = folder + name;
    if (!fioFileExists(path)) {
        memHandleError(missingNumber, path);
        return {};
    }
    QString why;
    QImage image = loadPicture(path, &why, shown);
    if (image.isNull())
        memHandleError(110, path, why);
    return image;
}
}

bool memFixVariabels(MemState& s, QSize screen, QSize inside)
{
    if (bolDebug)
        memWriteLog(QStringLiteral("=> memFixVariables <="));
    memInterface& ui = s.ui;
    if (inside.isEmpty())
        inside = screen;

    ui.Current = memFindResolution(screen);
    const int row = memLayoutRow(s, ui.Current);
    ui.Layout = row < 0 ? ui.Current : memResolution{row, memResolutions[row][0], memResolutions[row][1]};
    // A window with a title bar, or a screen with a panel, has less room than the screen: the
    // board and its background picture are drawn a little smaller instead of off the screen.
    ui.Layout.Width = std::min(ui.Layout.Width, inside.width());
    ui.Layout.Height = std::min(ui.Layout.Height, inside.height());
    ui.OffsetX = int(mathRoundHalfEven((inside.width() - ui.Layout.Width) / 2.0));
    ui.OffsetY = int(mathRoundHalfEven((inside.height() - ui.Layout.Height) / 2.0));

    ui.BoardLeft = memDesign::ControlLeft + memDesign::ControlWidth + 16;
    ui.BoardTop = 16;
    ui.BoardWidth = ui.Layout.Width - ui.BoardLeft - 16;
    ui.BoardHeight = ui.Layout.Height - 16 - memDesign::PlayerHeight - 8 - 16;
    const int across = gridSide(ui.CardsX), down = gridSide(ui.CardsY);
    ui.GapX = memCardGap(ui.BoardWidth, across, ui.CardWidth);
    ui.GapY = memCardGap(ui.BoardHeight, down, ui.CardHeight);
    if (ui.CardWidth * across > ui.BoardWidth || ui.CardHeight * down > ui.BoardHeight) {
        const int fitX = ui.CardWidth > 0 ? std::max(0, ui.BoardWidth / ui.CardWidth) : 0;
        const int fitY = ui.CardHeight > 0 ? std::max(0, ui.BoardHeight / ui.CardHeight) : 0;
        memHandleError(12, QStringLiteral("%1 x %2").arg(across).arg(down), QStringLiteral("%1 x %2").arg(fitX).arg(fitY));
    }

    if (!ui.MatchSound.isEmpty()) {
        if (!fioFileExists(ui.sfx + ui.MatchSound)) {
            const QString missing = ui.sfx + ui.MatchSound;
            ui.MatchSound.clear();
            memHandleError(205, missing);
        } else {
            ui.ResultSounds = true;
        }
    }
    if (!ui.MatchSound.isEmpty() && (ui.NoMatchSound.isEmpty() || !fioFileExists(ui.sfx + ui.NoMatchSound))) {
        const QString missing = ui.sfx + ui.NoMatchSound;
        ui.NoMatchSound.clear();
        ui.ResultSounds = false;
        memHandleError(206, missing);
    }

    int players = ui.Players;
    if (players > 4) {
        memHandleError(15, QString::number(players));
        players = 4;
    }
    if (players <= 0)
        players = 1;
    s.memPlayers = QVector<memPlayer>(players);
    for (int k = 0; k < players; ++k) {
        s.memPlayers[k].Name = ui.DefaultName + QStringLiteral(" ") + QString::number(k + 1);
        s.memPlayers[k].Out = false;
    }

    memTextList& tl = ui.TextList;
    if (tl.Active) {
        QString listPath = ui.card + ui.listFile;
        if (ui.listFile.isEmpty() || !fioFileExists(listPath)) {
            listPath = ui.data + ui.listFile;
            if (ui.listFile.isEmpty() || !fioFileExists(listPath))
                memHandleError(8, ui.listFile);
        }
        if (!tl.Sound.isEmpty() && !fioFileExists(ui.sfx + tl.Sound))
            tl.Sound.clear();
        tl.Texts = QVector<memTextEntry>(s.memCardCount);
        int read = 0;
        IniReader reader;
        reader.open(listPath);
        while (read < s.memCardCount && !reader.atEnd()) {
            const QString item = reader.readItem();
            tl.Texts[read] = {strGetTab(item, 1), strGetTab(item, 2)};
            if (bolDebug)
                memWriteLog(QStringLiteral("----> memFixVariables: textlista: ") + tl.Texts[read].Text);
            ++read;
        }
        reader.close();
        if (read < s.memCardCount)
            memHandleError(9);
        s.random.randomize();
        memShuffle(s.random, tl.Display, s.memCardCount);
    }

    // Card pictures are shown at the card's size: a huge picture is read no larger.
    const QSize card(std::max(1, ui.CardWidth), std::max(1, ui.CardHeight));
    if (s.intAppType == 0 && !ui.CardBackFile.isEmpty())
        ui.CardBack = loadGamePicture(ui.gfx, ui.CardBackFile, 101, card);

    for (memCardHolder& h : s.memCardHolders)
        if (!h.PictureFile.isEmpty())
            h.Picture = loadGamePicture(ui.card, h.PictureFile, 105, card);

    memShuffle(s.random, s.memDisplayCards, s.memCardCount);
    if (bolDebug)
        memWriteLog(QStringLiteral("--> memFixVariables END"));
    return true;
}
