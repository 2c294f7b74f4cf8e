// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/checkmemory.h"

#include "common/fileio.h"
#include "common/game32.h"
#include "common/inireader.h"
#include "common/math32.h"
#include "common/themecheck.h"
#include "memory/memerrors.h"
#include "memory/memkeys.h"
#include "memory/memlayout.h"
#include "platform/files.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace {

const char* const kCounters[6] = {"timer", "countdown", "cards made", "cards left", "tries made", "tries left"};

// What start-up looks up once the files are read, told where the key that names it stood.
class GameCheck {
public:
    GameCheck(MemReader& reader, MemState& state) : r(reader), s(state), ui(state.ui) {}
    void main();
    void global();
    void backgrounds();
    void layout();

private:
    MemReader& r;
    MemState& s;
    memInterface& ui;

    MemReader::Where at(const QString& what) const { return r.at(what, what.contains(QLatin1String("card settings")) || what.contains(QLatin1String("[text list]")) ? r.globalFile : r.mainFile); }

    // folder + name as start-up loads it: missing gives start-up's warning number missing (0 when
    // start-up loads it without a word), unreadable warning 110.
    void picture(const QString& what, const QString& folder, const QString& name, int missing, const QString& howOften = QString(),
                 MemReader::Where where = {})
    {
        if (where.file.isEmpty())
            where = at(what);
        const QString path = folder + name;
        bool found = false;
        const QString why = r.pictureProblem(path, found);
        if (why.isEmpty())
            return;
        Finding f = !found ? missing ? r.message(where, what, missing, path, {}, {}, howOften)
                                     : Finding{where.file, where.line, QStringLiteral("%1: picture '%2' is missing").arg(what, toPlatformSeparators(path))}
                           : missing ? r.message(where, what, 110, path, why)
                                     : Finding{where.file, where.line, QStringLiteral("%1: %2").arg(what, why)};
        f.missing = found ? QString() : path;
        r.send(f);
    }

    void sound(const QString& what, const QString& name, int missing)
    {
        const MemReader::Where where = at(what);
        Finding f = fileFinding(where.file, where.line, what, ui.sfx + name, false);
        if (!f.missing.isEmpty() && missing) {
            const QString path = f.missing;
            f = r.message(where, what, missing, path);
            f.missing = path;
        }
        if (!f.words.isEmpty())
            r.send(f);
    }
};

void GameCheck::main()
{
    std::array<int, 6> placeOf;
    placeOf.fill(-1);
    const memControl& triesLeft = ui.Controls[memTRIESLEFT];
    for (int c = 0; c < 6; ++c) {
        const memControl& ctl = ui.Controls[size_t(c)];
        if (!ctl.Active)
            continue;
        const QString name = QString::fromLatin1(kCounters[c]);
        const MemReader::Where active = at(QStringLiteral("active in [%1]").arg(name));
        if (!ctl.Picture.isEmpty())
            picture(QStringLiteral("picture in [%1]").arg(name), ui.gfx, ctl.Picture, 102);
        if (placeOf[size_t(ctl.Order)] >= 0)
            r.say(active, QStringLiteral("[%1] shows in the same place as [%2] (order %3)")
                              .arg(name, QLatin1String(kCounters[placeOf[size_t(ctl.Order)]]))
                              .arg(ctl.Order + 1));
        else
            placeOf[size_t(ctl.Order)] = c;
        // The tries-left test sets a child's out mark both ways, after the others have set it.
        const bool putsOut = c == memCOUNTDOWN || ((c == memTIMER || c == memTRIESMADE) && ctl.Condition > 0);
        if (triesLeft.Active && putsOut)
            r.say(active, QStringLiteral("[%1] can never put a child out: [tries left] is active, and it alone decides who is out").arg(name));
    }
    const auto inInterface = [](const char* key) { return QStringLiteral("%1 in [interface]").arg(QLatin1String(key)); };
    if (!ui.QuitPicture.isEmpty())
        picture(inInterface("quitpicture"), ui.gfx, ui.QuitPicture, 103);
    if (!ui.EndGoodPicture.isEmpty())
        picture(inInterface("endgoodpicture"), ui.gfx, ui.EndGoodPicture, 0);
    if (!ui.EndBadPicture.isEmpty())
        picture(inInterface("endbadpicture"), ui.gfx, ui.EndBadPicture, 0);
    if (!ui.EndGoodSound.isEmpty())
        sound(inInterface("endgoodsound"), ui.EndGoodSound, 200);
    if (!ui.EndBadSound.isEmpty())
        sound(inInterface("endbadsound"), ui.EndBadSound, 201);
    if (!ui.MatchSound.isEmpty()) {
        if (!fioFileExists(ui.sfx + ui.MatchSound)) {
            r.tell(at(inInterface("matchsound")), inInterface("matchsound"), 205, ui.sfx + ui.MatchSound);
        } else {
            sound(inInterface("matchsound"), ui.MatchSound, 205);
            if (ui.NoMatchSound.isEmpty())
                r.tell(at(inInterface("matchsound")), QStringLiteral("matchsound in [interface] without nomatchsound"), 206, ui.sfx);
            else
                sound(inInterface("nomatchsound"), ui.NoMatchSound, 206);
        }
    } else if (!ui.NoMatchSound.isEmpty()) {
        r.say(at(inInterface("nomatchsound")), QStringLiteral("nomatchsound in [interface] has no effect without matchsound"));
    }
    const QString players = QStringLiteral("players in [players]");
    if (!ui.PlayerPicture.isEmpty()) {
        // Start-up looks for the picture once for each player's panel.
        const int panels = std::clamp(ui.Players, 1, 4);
        picture(QStringLiteral("picture in [players]"), ui.gfx, ui.PlayerPicture, 104,
                panels > 1 ? QStringLiteral("shown once for each of the %1 players").arg(panels) : QString());
    }
    if (ui.Players > 4)
        r.tell(at(players), players, 15, QString::number(ui.Players));
    if (ui.HelpActive) {
        if (ui.HelpPicture.isEmpty())
            r.say(at(QStringLiteral("active in [help]")), QStringLiteral("help is on, but [help] names no picture: F1 shows an empty window"));
        else
            picture(QStringLiteral("picture in [help]"), ui.gfx, ui.HelpPicture, 0);
    }
}

void GameCheck::global()
{
    if (!ui.TurnSound.isEmpty())
        sound(QStringLiteral("turnsound in the card settings"), ui.TurnSound, 202);
    if (!ui.CardBackFile.isEmpty())
        picture(QStringLiteral("picture in the card settings"), ui.gfx, ui.CardBackFile, 101);
    else if (s.intAppType == 0 && !ui.Border)
        r.say({r.globalFile, 0}, QStringLiteral("the card settings name no picture for the card back and no border: "
                                                "face-down cards show only a plain built-in back"));
    if (ui.TextList.Active && !ui.TextList.Sound.isEmpty())
        sound(QStringLiteral("sound in [text list]"), ui.TextList.Sound, 204);
    for (const auto& [size, key] : {std::pair{ui.CardWidth, "cardwidth"}, std::pair{ui.CardHeight, "cardheight"}}) {
        const MemReader::Where where = at(QStringLiteral("%1 in the card settings").arg(QLatin1String(key)));
        if (size <= 0)
            r.say(where, QStringLiteral("%1 in the card settings is %2: the cards cannot be seen")
                             .arg(QLatin1String(key), where.line ? QString::number(size) : QStringLiteral("not set")));
    }
    // A miss in a text-list game keeps the child in turn.
    if (ui.TextList.Active && ui.Players > 1)
        r.say(at(QStringLiteral("players in [players]")),
              QStringLiteral("players in [players]: in a text-list game a child who misses plays on, so only player 1 ever plays"));
}

void GameCheck::backgrounds()
{
    const MemReader::Where where = r.at(QStringLiteral("pictures in [interface]"), r.mainFile);
    for (int k = 0; k < 5; ++k)
        if (!ui.BkPictures[size_t(k)].isEmpty())
            picture(QStringLiteral("background %1 x %2 of pictures in [interface]").arg(memResolutions[k][0]).arg(memResolutions[k][1]),
                    ui.gfx, ui.BkPictures[size_t(k)], 100, QString(), where);
}

// The board on the smallest layout the game can get: the smallest screen size the theme has a
// background picture for, or else the smallest of all.
void GameCheck::layout()
{
    const int across = memGridSide(ui.CardsX), down = memGridSide(ui.CardsY), count = s.memCardCount;
    if (!across || !down || count <= 0)
        return;
    int row = 0;
    for (int k = 4; k >= 0; --k)
        if (!ui.BkPictures[size_t(k)].isEmpty())
            row = k;
    const int width = memResolutions[row][0], height = memResolutions[row][1];
    const QString screen = QStringLiteral("on a %1 x %2 screen").arg(width).arg(height);
    const int boardLeft = memDesign::ControlLeft + memDesign::ControlWidth + 16;
    const QRect board(boardLeft, 16, width - boardLeft - 16, height - 16 - memDesign::PlayerHeight - 8 - 16);
    const bool wide = ui.CardWidth * across > board.width(), high = ui.CardHeight * down > board.height();
    const MemReader::Where heightAt = at(QStringLiteral("cardheight in the card settings"));
    const MemReader::Where where = wide || !heightAt.line ? at(QStringLiteral("cardwidth in the card settings")) : heightAt;
    if (wide || high) {
        const int fitX = ui.CardWidth > 0 ? std::max(0, board.width() / ui.CardWidth) : 0;
        const int fitY = ui.CardHeight > 0 ? std::max(0, board.height() / ui.CardHeight) : 0;
        r.tell(where, screen, 12, QStringLiteral("%1 x %2").arg(across).arg(down), QStringLiteral("%1 x %2").arg(fitX).arg(fitY));
    } else if (ui.CardWidth > 0 && ui.CardHeight > 0
               && (memCardGap(board.width(), across, ui.CardWidth) < 0 || memCardGap(board.height(), down, ui.CardHeight) < 0)) {
        r.say(where, QStringLiteral("%1 the cards overlap: the board leaves no room for the gaps between them").arg(screen));
    }
    const memTextList& tl = ui.TextList;
    if (!tl.Active)
        return;
    QFont font(tl.Font.name, 12);
    font.setPointSizeF(tl.Font.size > 0 ? tl.Font.size : 12);
    font.setBold(tl.Font.bold);
    font.setItalic(tl.Font.italic);
    const int h = QFontMetrics(font).height() + 4;
    const QRect texts(tl.Left, tl.Top, tl.Width, (count - 1) * (h + tl.Space) + h);
    const MemReader::Where top = at(QStringLiteral("top in [text list]"));
    const MemReader::Where tat = top.line ? top : at(QStringLiteral("active in [text list]"));
    if (texts.bottom() >= height)
        r.say(tat, QStringLiteral("[text list] %1: the %2 texts run off the bottom (they end at %3)").arg(screen).arg(count).arg(texts.bottom() + 1));
    if (texts.intersects(board))
        r.say(tat, QStringLiteral("[text list]: the texts lie over the board of cards, which begins at %1").arg(boardLeft));
    for (int c = 0; c < 6; ++c) {
        const memControl& ctl = ui.Controls[size_t(c)];
        const QRect place(memDesign::ControlLeft, memDesign::ControlTop + ctl.Order * memDesign::ControlStep, memDesign::ControlWidth,
                          memDesign::ControlHeight);
        if (ctl.Active && texts.intersects(place))
            r.say(tat, QStringLiteral("[text list]: the texts lie over the counter [%1]").arg(QLatin1String(kCounters[c])));
    }
    const QRect quit(memDesign::QuitLeft, height - memDesign::QuitHeight - 8, memDesign::QuitWidth, memDesign::QuitHeight);
    if (!ui.QuitPicture.isEmpty() && texts.intersects(quit))
        r.say(tat, QStringLiteral("[text list] %1: the texts lie over the quit button").arg(screen));
}

} // namespace

void checkMemoryConfiguration(const QString& path, ThemeReport& report)
{
    MemState s;
    IniFiles files;
    MemReader r(s, files, [&report](const Finding& f) { return report.add(f); }, true);
    if (!r.readIni(path, true))
        return;
    GameCheck check(r, s);
    if (r.readMain())
        check.main();
    const bool global = r.readGlobal();
    if (global)
        check.global();
    r.readSpecial();
    check.backgrounds();
    if (!global)
        return;
    r.readCards();
    if (s.textGame())
        r.readList();
    else if (!s.ui.listFile.isEmpty())
        r.say(r.at(QStringLiteral("listfile in [gamefiles]")),
              QStringLiteral("listfile in [gamefiles] has no effect: the text list is not active in the global file"));
    check.layout();
}

int runMemoryCheck(const QStringList& configuration)
{
    const ConfigurationFile found = gamFindConfiguration(QStringLiteral("memory.ini"), configuration);
    ThemeReport report;
    if (found.path.isEmpty())
        report.add(Finding{QStringLiteral("memory.ini"), 0, memErrorText(1).message, 1, true,
                           QStringLiteral("not found; looked for ") + gamPlacesLookedIn(QStringLiteral("memory.ini"))});
    else
        checkMemoryConfiguration(found.path, report);
    return printThemeReport(found.path, found.reason, report);
}
