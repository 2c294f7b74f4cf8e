// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memconfig.h"

#include <QHash>
#include "memory/memlayout.h"

#include "common/fileio.h"
#include "common/inireader.h"
#include "common/log.h"
#include "common/math32.h"
#include "common/string32.h"
#include "memory/memerrors.h"
#include "memory/memkeys.h"
#include "memory/twinturn.h"
#include "platform/picture.h"

#include <algorithm>

#include <QDateTime>
#include <QHash>
#include <cmath>

namespace {

bool is(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

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

bool memCheckINI(MemState& s, const QString& path, IniFiles* files)
{
    IniFiles own;
    return MemReader(s, files ? *files : own, memShowFinding, false).readIni(path, true);
}

bool memOpenINI(MemState& s, const QString& path, MemSplashHost* splash, IniFiles* files)
{
    if (bolDebug)
        memWriteLog(QStringLiteral("=> memOpenINI <="));
    bolDebug = false;
    s.ui.HelpActive = false;
    s.classroom = ClassroomSettings();
    IniFiles own;
    MemReader reader(s, files ? *files : own, memShowFinding, false, splash);
    reader.readIni(path, false);
    bolDebug = reader.iniDebug;
    reader.readMain();
    reader.readGlobal();
    reader.readSpecial();
    reader.readCards();
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

QSize memLayoutSize(const QString& path, QSize screen, IniFiles& files)
{
    // Start-up reads the same files in this order, the special file's pictures replacing the main file's.
    MemState s;
    MemReader reader(s, files, [](const Finding&) { return true; }, false);
    reader.readIni(path, false);
    if (!s.ui.mainFile.isEmpty())
        reader.readMain();
    reader.readSpecial();
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

QImage memLoadPicture(const QString& folder, const QString& name, int missingNumber, QSize shown)
{
    const QString path = folder + name;
    QString why;
    bool found = false;
    QImage image = loadPicture(path, &why, shown, &found);
    if (!found)
        memHandleError(missingNumber, path);
    else if (image.isNull())
        memHandleError(110, path, why);
    return image;
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
    const int across = memGridSide(ui.CardsX), down = memGridSide(ui.CardsY);
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
        if (!tl.Sound.isEmpty() && !fioFileExists(ui.sfx + tl.Sound))
            tl.Sound.clear();
        IniFiles files;
        MemReader(s, files, memShowFinding, false).readList();
        s.random.randomize();
        memShuffle(s.random, tl.Display, s.memCardCount);
    }

    // Card pictures are shown at the card's size: a huge picture is read no larger.
    const QSize card(std::max(1, ui.CardWidth), std::max(1, ui.CardHeight));
    if (s.intAppType == 0 && !ui.CardBackFile.isEmpty())
        ui.CardBack = memLoadPicture(ui.gfx, ui.CardBackFile, 101, card);

    // Both cards of a pair usually name one file: it is read and held once. A file that failed
    // is tried again, so that each card still gets its message.
    QHash<QString, QImage> read;
    for (memCardHolder& h : s.memCardHolders) {
        if (h.PictureFile.isEmpty())
            continue;
        if (const auto it = read.constFind(h.PictureFile); it != read.constEnd()) {
            h.Picture = *it;
            continue;
        }
        h.Picture = memLoadPicture(ui.card, h.PictureFile, 105, card);
        if (!h.Picture.isNull())
            read.insert(h.PictureFile, h.Picture);
    }

    memShuffle(s.random, s.memDisplayCards, s.memCardCount);
    if (bolDebug)
        memWriteLog(QStringLiteral("--> memFixVariables END"));
    return true;
}
