// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memgame.h"

#include "common/fileio.h"
#include "common/log.h"
#include "memory/memlayout.h"
#include "memory/twinturn.h"
#include "platform/picture.h"

#include <cmath>

namespace {
void debugLog(const QString& line)
{
    if (bolDebug)
        memWriteLog(line);
}

// Frame limits, so an effect on a strange board can never run on for ever.
constexpr int kMaxFrames = 2000;
}

MemoryGame::MemoryGame(MemState& state, MemView& view, MemSoundPort& sound) : s(state), m_view(view), m_sound(sound) {}

QString MemoryGame::signedText(double value)
{
    const QString n = QString::number(value, 'g', 7);
    return value < 0 ? n : QStringLiteral(" ") + n;
}

QString MemoryGame::scoreCaption(double score) { return signedText(score) + QStringLiteral(" "); }

bool MemoryGame::pairs(int a, int b) const
{
    const int ra = s.memDisplayCards[a].Reference, rb = s.memDisplayCards[b].Reference;
    return int(std::floor(ra / 2.0)) == int(std::floor(rb / 2.0));
}

void MemoryGame::memInitValues()
{
    m_sound.setFileName(QString());
    m_sound.command(QStringLiteral("close"));
    s.memMCIUpdates = false;
    s.memWiping = false;
    s.memProcessing = false;
    s.memCardsTaken = 0;
    s.memCurrentPlayer = 0;
    enter(TurnPhase::Idle);
    s.TextGame = memTextGame{};
    s.memLastResult = memRESULTNONE;
    s.memCardStatus = -1;
    s.memCardsLeft = s.memCardCount;
    s.memOpenedSound = -1;
    for (int p = 1; p <= 3; ++p)
        m_view.setPlayerColors(p, s.ui.DimColor, s.ui.DimColor);
    const auto& c = s.ui.Controls;
    for (memPlayer& p : s.memPlayers) {
        if (c[memCOUNTDOWN].Active)
            p.Countdown = c[memCOUNTDOWN].Condition;
        if (c[memTRIESLEFT].Active)
            p.TriesLeft = c[memTRIESLEFT].Condition;
    }
    if (c[memCARDSMADE].Active)
        m_view.setControlCaption(c[memCARDSMADE].Order, QStringLiteral("0"));
    if (c[memCARDSLEFT].Active)
        m_view.setControlCaption(c[memCARDSLEFT].Order, QString::number(s.memCardsLeft));
    if (c[memTRIESLEFT].Active)
        m_view.setControlCaption(c[memTRIESLEFT].Order, QString::number(c[memTRIESLEFT].Condition));
    if (c[memTRIESMADE].Active)
        m_view.setControlCaption(c[memTRIESMADE].Order, QStringLiteral("0"));
    // The countdown shows where it starts rather than a 0 for its first second.
    if (c[memCOUNTDOWN].Active)
        m_view.setControlCaption(c[memCOUNTDOWN].Order, signedText(c[memCOUNTDOWN].Condition));
    memOpenTurnSound();
    m_view.setClockEnabled(true);
}

// ---- Turns ------------------------------------------------------------------------------------

void MemoryGame::img_Card_Click(int index)
{
    if (s.memClickBusy)
        return;
    s.memClickBusy = true;
    memCardClick(index);
    s.memClickBusy = false;
}

void MemoryGame::memCardClick(int index)
{
    debugLog(QStringLiteral("=> memCardClick(") + QString::number(index) + QStringLiteral(") <="));
    if (!s.memGameReady || s.memGameOver || s.memProcessing || s.memWiping || settling())
        return;
    if (index < 0 || index >= s.memDisplayCards.size())
        return;
    const memDisplayCard& d = s.memDisplayCards[index];
    if (d.Turned || d.Removed)
        return;
    if (!s.textGame()) {
        s.memProcessing = true;
        memTurnCard(index);
        return;
    }
    s.memCardStatus = 0;
    if (s.TextGame.CardChosen)
        return;
    s.TextGame.CardChosen = true;
    s.TextGame.CardReference = d.Reference;
    s.TextGame.CardIndex = index;
    s.memProcessing = true;
    memTurnCard(index);
}

void MemoryGame::memTurnCard(int index)
{
    s.memProcessing = true;
    // The turned card's own sounds take over the device. The end of a sound still awaited (a
    // text chosen first, the last turn's result) must not settle this turn while the card is
    // painted below, before it is counted: the game would never end.
    if (!s.memGameOver)
        enter(TurnPhase::Idle);
    memDisplayCard& d = s.memDisplayCards[index];
    const memCardHolder& holder = s.memCardHolders[d.Reference];
    if (s.intAppType == 0) {
        m_view.showCardPicture(index, holder.Picture);
        m_view.doEvents();
        if (!holder.Text.isEmpty()) {
            m_view.setCardLabelVisible(index, true);
            m_view.doEvents();
        }
    }
    d.Turned = true;
    m_view.setCardEnabled(index, false);

    if (!s.textGame()) {
        s.memCardStatus = std::min(s.memCardStatus + 1, 1);
        s.memCardsTurned[s.memCardStatus] = index;
        if (s.memCardStatus == 1) {
            if (pairs(s.memCardsTurned[0], s.memCardsTurned[1])) {
                s.memLastResult = memRESULTMATCH;
                s.memCardsTaken += 2;
            } else {
                s.memLastResult = memRESULTNOMATCH;
            }
        } else {
            s.memLastResult = memRESULTNONE;
        }
    } else if (s.TextGame.CardChosen && s.TextGame.TextChosen) {
        if (s.TextGame.CardReference == s.TextGame.TextReference) {
            s.memLastResult = memRESULTMATCH;
            s.memCardsTaken += 1;
        } else {
            s.memLastResult = memRESULTNOMATCH;
        }
    } else {
        s.memLastResult = memRESULTNONE;
    }

    if (s.memGameOver)
        return;
    if (!s.ui.TurnSound.isEmpty() && fioFileExists(sfx(s.ui.TurnSound))) {
        if (s.memOpenedSound == 0)
            m_sound.command(QStringLiteral("prev"));
        else
            memOpenTurnSound(); // whatever else is open must not play in its place
        play(memTURNSOUND);
        goOnAtOnce(TurnPhase::TurnSound);
    } else {
        memPlayCardSound();
    }
}

void MemoryGame::countTry(int player)
{
    if (player < 0 || player >= s.memPlayers.size())
        return;
    if (s.ui.Controls[memTRIESMADE].Active)
        s.memPlayers[player].TriesMade += 1;
    if (s.ui.Controls[memTRIESLEFT].Active)
        s.memPlayers[player].TriesLeft -= 1;
}

void MemoryGame::memCheckCardStatus()
{
    debugLog(QStringLiteral("=> memCheckCardStatus <="));
    if (s.textGame()) {
        s.memProcessing = false;
        memCheckCardTextStatus();
        return;
    }
    if (s.memCardStatus == 0) {
        s.memLastResult = memRESULTNONE;
        s.memProcessing = false;
        if (s.memMCIUpdates)
            memOpenTurnSound();
        return;
    }
    if (s.memCardStatus != 1)
        return;

    if (!s.memGameOver)
        enter(TurnPhase::Settling);
    const int a = s.memCardsTurned[0], b = s.memCardsTurned[1];
    // The try belongs to the child who turned the cards, whoever plays next.
    const int player = s.memCurrentPlayer;
    // The clock runs on while a found pair is taken off the board. A tick meanwhile may put the
    // player out or end the game; the turn is still settled here, once, and handed on below.
    const bool pair = pairs(a, b);
    if (pair) {
        debugLog(QStringLiteral("--> memCheckCardStatus: Match!"));
        if (s.ui.LineActive)
            memDrawLine();
        m_view.pause(500);
        s.memDisplayCards[a].Turned = s.memDisplayCards[b].Turned = true;
        s.memDisplayCards[a].Removed = s.memDisplayCards[b].Removed = true;
        if (!s.ui.LineActive)
            memWipeOutCards();
        memPlayer& p = s.memPlayers[player];
        p.Score += 2;
        s.memCardsLeft -= 2;
        m_view.setPlayerScore(player, scoreCaption(p.Score));
        memShowControls();
        countTry(player);
    } else {
        debugLog(QStringLiteral("--> memCheckCardStatus: Ingen match..."));
        // A miss costs no seconds: the clock stands still while the cards wait and turn back.
        m_view.setClockEnabled(false);
        m_view.pause(1000);
        countTry(player);
        memChangePlayer();
        memRestoreCards();
        memShowControls();
    }
    memShowControls();
    s.memDisplayCards[a].Turned = s.memDisplayCards[b].Turned = false;
    s.memCardsTurned[1] = s.memCardsTurned[2] = -1;
    s.memCardStatus = -1;
    s.memProcessing = false;
    leaveSettling();
    ++m_settledTurns;
    memCheckPlayerStatus(player);
    passTurnFromOutPlayer();
    // Only a miss stopped the clock; restarting it after a pair would put its next tick off.
    if (!pair && !s.memGameOver)
        m_view.setClockEnabled(true);
}

void MemoryGame::passTurnFromOutPlayer()
{
    if (s.memGameOver || s.memPlayers.size() < 2)
        return;
    if (s.memPlayers[s.memCurrentPlayer].Out)
        memChangePlayer();
}

void MemoryGame::memChangePlayer()
{
    const int n = int(s.memPlayers.size());
    if (s.memGameOver || n < 2)
        return;
    int next = (s.memCurrentPlayer + 1) % n;
    // At most one round: with every player out there is no one to pass to.
    for (int i = 0; i < n && s.memPlayers[next].Out; ++i)
        next = (next + 1) % n;
    if (s.memPlayers[next].Out)
        return;
    s.memCurrentPlayer = next;
    for (int p = 0; p < n; ++p) {
        if (s.memPlayers[p].Out)
            continue;
        if (p == s.memCurrentPlayer) {
            m_view.setPlayerColors(p, s.ui.NameForeColor, s.ui.ScoreForeColor);
            memShowControls();
        } else {
            m_view.setPlayerColors(p, s.ui.DimColor, s.ui.DimColor);
        }
    }
}

bool MemoryGame::memCheckPlayerStatus(int memChkPlayer)
{
    const auto& c = s.ui.Controls;
    const int n = int(s.memPlayers.size());
    if (memChkPlayer >= 0 && memChkPlayer < n && !s.memPlayers[memChkPlayer].Out) {
        memPlayer& p = s.memPlayers[memChkPlayer];
        if (c[memTIMER].Active && p.Time == c[memTIMER].Condition)
            p.Out = true;
        if (c[memCOUNTDOWN].Active && p.Countdown <= 0)
            p.Out = true;
        if (c[memTRIESMADE].Active && p.TriesMade >= c[memTRIESMADE].Condition)
            p.Out = true;
        if (c[memTRIESLEFT].Active)
            p.Out = p.TriesLeft <= 0 && s.memCardCount - s.memCardsTaken > 0;
        if (n > 1 && p.Out) {
            m_view.setPlayerColors(memChkPlayer, s.ui.DimColor, s.ui.DimColor);
            m_view.doEvents();
            m_view.strikePlayer(memChkPlayer);
        }
        bool allOut = true;
        for (const memPlayer& q : s.memPlayers)
            allOut = allOut && q.Out;
        if (allOut)
            memMakeEnd();
    }
    // The last pair is counted as taken when its second card turns; the game ends once that
    // turn has settled and scored. A clock tick during its sounds must not end it first: the
    // pair would never score, and in a game of two the wrong child could win.
    if (s.memCardsTaken == s.memCardCount && !turnOpen())
        memMakeEnd();
    return false;
}

bool MemoryGame::turnOpen() const
{
    return s.memCardStatus != -1 || s.memProcessing || settling() || s.TextGame.CardChosen || s.TextGame.TextChosen;
}

void MemoryGame::tim_Timer_Timer()
{
    const auto& c = s.ui.Controls;
    if (s.memGameOver || (!c[memTIMER].Active && !c[memCOUNTDOWN].Active))
        return;
    if (s.memCurrentPlayer >= s.memPlayers.size())
        return;
    memPlayer& p = s.memPlayers[s.memCurrentPlayer];
    if (c[memTIMER].Active) {
        p.Time += 1;
        m_view.setControlCaption(c[memTIMER].Order, signedText(p.Time));
    }
    if (c[memCOUNTDOWN].Active) {
        p.Countdown -= 1;
        m_view.setControlCaption(c[memCOUNTDOWN].Order, signedText(p.Countdown));
    }
    memCheckPlayerStatus(s.memCurrentPlayer);
    // A player out of time hands over at once when no turn is open; otherwise when it settles.
    if (!turnOpen())
        passTurnFromOutPlayer();
}

void MemoryGame::memShowControls()
{
    const auto& c = s.ui.Controls;
    const memPlayer& p = s.memPlayers[std::clamp<int>(s.memCurrentPlayer, 0, int(s.memPlayers.size()) - 1)];
    if (c[memCARDSMADE].Active)
        m_view.setControlCaption(c[memCARDSMADE].Order, signedText(p.Score));
    if (c[memCARDSLEFT].Active)
        m_view.setControlCaption(c[memCARDSLEFT].Order, signedText(s.memCardsLeft));
    if (c[memTRIESMADE].Active)
        m_view.setControlCaption(c[memTRIESMADE].Order, QString::number(p.TriesMade, 'g', 7));
    if (c[memTRIESLEFT].Active)
        m_view.setControlCaption(c[memTRIESLEFT].Order, QString::number(p.TriesLeft, 'g', 7));
}

void MemoryGame::memDrawLine()
{
    const QRect a = m_view.cardGeometry(s.memCardsTurned[0]);
    const QRect b = m_view.cardGeometry(s.memCardsTurned[1]);
    m_view.drawLine(memPairLine(a, b, s.ui.LineWidth), s.ui.LineColor, s.ui.LineWidth);
}

// ---- Animations -------------------------------------------------------------------------------

void MemoryGame::memWipeOutCards()
{
    s.memWiping = true;
    QVector<int> cards;
    if (s.textGame())
        cards << s.TextGame.CardIndex;
    else
        cards << s.memCardsTurned[0] << s.memCardsTurned[1];
    switch (s.ui.Dissapear) {
    case 1:
        for (int i : cards)
            m_view.setCardVisible(i, false);
        break;
    case 2: wipeFly(cards); break;
    case 3: wipeShrink(cards); break;
    default: break;
    }
    s.memWiping = false;
}

void MemoryGame::wipeFly(const QVector<int>& cards)
{
    const QRect board(s.ui.BoardLeft, s.ui.BoardTop, s.ui.BoardWidth, s.ui.BoardHeight);
    const QSize area = m_view.boardSize();
    QVector<QPoint> steps;
    QVector<bool> done(cards.size(), false);
    for (int i : cards) {
        const int base = s.random.below(2) == 1 ? -20 : 20;
        const int r1 = s.random.below(11) - 5;
        const int r2 = s.random.below(11) - 5;
        steps << memFlyStep(m_view.cardGeometry(i), board, base, r1, r2);
    }
    for (int frame = 0; frame < kMaxFrames && done.contains(false); ++frame) {
        for (int k = 0; k < cards.size(); ++k) {
            if (done[k])
                continue;
            const QRect card = m_view.cardGeometry(cards[k]).translated(steps[k]);
            m_view.setCardGeometry(cards[k], card);
            m_view.doEvents();
            m_view.setCardLabelGeometry(cards[k], m_view.cardLabelGeometry(cards[k]).translated(steps[k]));
            m_view.doEvents();
            done[k] = memFlownOut(card, area.width(), area.height());
        }
        m_view.pause(50);
    }
    for (int i : cards) {
        m_view.setCardVisible(i, false);
        m_view.setCardLabelVisible(i, false);
    }
}

void MemoryGame::wipeShrink(const QVector<int>& cards)
{
    QVector<QRect> rects;
    for (int i : cards) {
        m_view.setCardLabelVisible(i, false);
        rects << m_view.cardGeometry(i);
    }
    const int step = memShrinkStep(rects[0].width(), rects[0].height());
    const int half = int(std::nearbyint(step / 2.0));
    for (int frame = 0; frame < kMaxFrames && rects[0].width() > 6 && rects[0].height() > 6; ++frame) {
        for (int k = 0; k < cards.size(); ++k) {
            m_view.setCardGeometry(cards[k], rects[k]);
            m_view.doEvents();
            QRect& r = rects[k];
            r = QRect(r.left() + half, r.top() + half, std::max(0, r.width() - step), std::max(0, r.height() - step));
        }
        // Each frame is held for one refresh of the display, or nobody would see the effect.
        m_view.pause(16);
    }
    for (int i : cards) {
        m_view.setCardVisible(i, false);
        m_view.doEvents();
    }
}

void MemoryGame::showCardsTurnedBack(int index)
{
    m_view.setCardEnabled(index, true);
    s.memDisplayCards[index].Turned = false;
    if (s.intAppType == 0) {
        m_view.showCardPicture(index, s.ui.CardBack);
        m_view.setCardLabelVisible(index, false);
    }
}

void MemoryGame::memRestoreCards()
{
    if (s.textGame()) {
        showCardsTurnedBack(s.TextGame.CardIndex);
        return;
    }
    s.memLastResult = memRESULTNONE;
    showCardsTurnedBack(s.memCardsTurned[0]);
    showCardsTurnedBack(s.memCardsTurned[1]);
}

// ---- End --------------------------------------------------------------------------------------

void MemoryGame::memMakeEnd()
{
    if (!s.memGameOver)
        enter(TurnPhase::Over); // whatever the turn awaited, nothing of it goes on
    m_view.setClockEnabled(false);
    for (int i = 0; i < s.memDisplayCards.size(); ++i)
        m_view.setCardEnabled(i, false);
    bool good = false;
    for (const memPlayer& p : s.memPlayers)
        good = good || !p.Out;
    if (s.memEndShown)
        return;
    m_endGood = good;
    m_sound.command(QStringLiteral("close"));
    const QString picture = good ? s.ui.EndGoodPicture : s.ui.EndBadPicture;
    const QString sound = good ? s.ui.EndGoodSound : s.ui.EndBadSound;
    QImage image;
    if (!picture.isEmpty() && fioFileExists(s.ui.gfx + picture))
        image = loadPicture(s.ui.gfx + picture);
    m_sound.setFileName(sound.isEmpty() ? QString() : sfx(sound));
    m_view.showEnd(image);
    s.memEndShown = true;
    if (!sound.isEmpty()) {
        m_sound.command(QStringLiteral("open"));
        play(memENDSOUND);
    }
}

// ---- Sounds -----------------------------------------------------------------------------------

void MemoryGame::enter(TurnPhase phase, int soundKind)
{
    m_phase = phase;
    s.memSoundKind = soundKind;
    s.memGameOver = phase == TurnPhase::EndSound || phase == TurnPhase::Over;
}

void MemoryGame::play(int kind)
{
    TurnPhase phase = TurnPhase::ResultSound;
    switch (kind) {
    case memTURNSOUND: phase = TurnPhase::TurnSound; break;
    case memCARDSOUND: phase = TurnPhase::CardSound; break;
    case memTEXTSOUND: phase = TurnPhase::TextSound; break;
    case memTEXTCLICKSOUND: phase = TurnPhase::TextClickSound; break;
    case memENDSOUND: phase = TurnPhase::EndSound; break;
    default: break;
    }
    enter(phase, kind);
    m_sound.command(QStringLiteral("play"));
}

void MemoryGame::goOnAtOnce(TurnPhase waiting)
{
    // A report that came inside "play" has moved the turn on already.
    if (!s.memMCIUpdates && m_phase == waiting)
        soundDone(SoundEnd::NoUpdates);
}

void MemoryGame::soundDone(SoundEnd how)
{
    const TurnPhase was = m_phase;
    switch (was) {
    case TurnPhase::TurnSound:
        enter(TurnPhase::Idle);
        memPlayCardSound();
        break;
    case TurnPhase::CardSound:
        enter(TurnPhase::Idle);
        if (how == SoundEnd::NoUpdates) {
            // No result sound follows: it would cut the card sound that still plays.
            memCheckCardStatus();
            s.memProcessing = false;
        } else if (how == SoundEnd::EndedAtOnce) {
            afterCardSound();
        } else if (s.ui.ResultSounds) {
            memPlayResultSound();
        } else {
            reopenBaseSound();
            s.memProcessing = false;
            memCheckCardStatus();
        }
        break;
    case TurnPhase::TextClickSound:
        enter(TurnPhase::Idle);
        memPlayTextSound();
        break;
    case TurnPhase::TextSound:
        enter(TurnPhase::Idle);
        afterTextSound();
        break;
    case TurnPhase::ResultSound:
    case TurnPhase::SettlingWithResultSound:
        enter(was == TurnPhase::ResultSound ? TurnPhase::Idle : TurnPhase::Settling);
        if (how == SoundEnd::NoUpdates)
            s.memLastResult = memRESULTNONE; // the sound plays on: the device stays as it is
        else
            reopenBaseSound();
        s.memProcessing = false;
        memCheckCardStatus();
        break;
    case TurnPhase::EndSound: enter(TurnPhase::Over); break;
    case TurnPhase::Idle:
    case TurnPhase::Settling:
    case TurnPhase::Over: break; // no sound awaited: a late or repeated report
    }
}

void MemoryGame::leaveSettling()
{
    // An end reached during the pauses stays; a result sound still playing is still awaited.
    if (m_phase == TurnPhase::Settling)
        enter(TurnPhase::Idle);
    else if (m_phase == TurnPhase::SettlingWithResultSound)
        enter(TurnPhase::ResultSound, s.memSoundKind);
}

void MemoryGame::reopenBaseSound()
{
    if (s.textGame())
        memOpenTextClickSound();
    else
        memOpenTurnSound();
}

void MemoryGame::memOpenTurnSound()
{
    if (s.memGameOver)
        return;
    if (!s.ui.TurnSound.isEmpty() && fioFileExists(sfx(s.ui.TurnSound))) {
        m_sound.command(QStringLiteral("close"));
        m_sound.setFileName(sfx(s.ui.TurnSound));
        m_sound.command(QStringLiteral("open"));
        s.memOpenedSound = 0;
    } else {
        s.ui.TurnSound.clear();
        m_sound.setFileName(QString());
        m_sound.command(QStringLiteral("close"));
        s.memOpenedSound = -1;
    }
}

void MemoryGame::memOpenTextClickSound()
{
    if (s.memGameOver)
        return;
    const QString& name = s.ui.TextList.Sound;
    if (!name.isEmpty() && fioFileExists(sfx(name))) {
        m_sound.command(QStringLiteral("close"));
        m_sound.setFileName(sfx(name));
        m_sound.command(QStringLiteral("open"));
        s.memOpenedSound = 3;
    }
}

void MemoryGame::memPlayCardSound()
{
    if (s.memCardStatus == -1) {
        s.memProcessing = false; // no turn is open, so nothing may stay blocked
        return;
    }
    const int holder = s.textGame() ? s.TextGame.CardReference
                                    : s.memDisplayCards[s.memCardsTurned[s.memCardStatus]].Reference;
    const QString sound = s.memCardHolders[holder].Sound;
    if (s.memGameOver)
        return;
    if (!sound.isEmpty() && fioFileExists(s.ui.card + sound)) {
        debugLog(QStringLiteral("--> memPlayCardSound: '") + sound + QStringLiteral("', (") + s.ui.card + sound
                 + QStringLiteral(")"));
        m_sound.command(QStringLiteral("close"));
        m_sound.setFileName(s.ui.card + sound);
        m_sound.command(QStringLiteral("open"));
        play(memCARDSOUND);
        const int status = m_sound.completionStatus();
        s.memOpenedSound = 1;
        if (s.memMCIUpdates && status != 0 && m_phase == TurnPhase::CardSound)
            soundDone(SoundEnd::EndedAtOnce);
        else
            goOnAtOnce(TurnPhase::CardSound);
        return;
    }
    afterCardSound();
}

void MemoryGame::afterCardSound()
{
    if (s.ui.ResultSounds && (s.memLastResult == memRESULTMATCH || s.memLastResult == memRESULTNOMATCH)) {
        memPlayResultSound();
        return;
    }
    reopenBaseSound();
    s.memProcessing = false;
    memCheckCardStatus();
}

void MemoryGame::memPlayResultSound()
{
    m_sound.command(QStringLiteral("close"));
    if (s.memLastResult != memRESULTMATCH && s.memLastResult != memRESULTNOMATCH) {
        s.memProcessing = false;
        s.memLastResult = memRESULTNONE;
        return;
    }
    const bool match = s.memLastResult == memRESULTMATCH;
    m_sound.setFileName(sfx(match ? s.ui.MatchSound : s.ui.NoMatchSound));
    m_sound.command(QStringLiteral("open"));
    play(match ? memMATCHSOUND : memNOMATCHSOUND);
    goOnAtOnce(TurnPhase::ResultSound);
}

void MemoryGame::memPlayTextSound()
{
    const int ref = s.TextGame.TextReference;
    const QString sound = ref >= 0 && ref < s.ui.TextList.Texts.size() ? s.ui.TextList.Texts[ref].Sound : QString();
    if (s.memGameOver)
        return;
    if (!sound.isEmpty() && fioFileExists(s.ui.card + sound)) {
        m_sound.command(QStringLiteral("close"));
        m_sound.setFileName(s.ui.card + sound);
        m_sound.command(QStringLiteral("open"));
        play(memTEXTSOUND);
        s.memOpenedSound = 2;
        goOnAtOnce(TurnPhase::TextSound);
        return;
    }
    if (s.ui.ResultSounds) {
        memPlayResultSound();
    } else {
        memOpenTurnSound();
        s.memProcessing = false;
        memCheckCardStatus();
    }
}

void MemoryGame::mmc_Sound_Done(int) { soundDone(SoundEnd::Reported); }

void MemoryGame::afterTextSound()
{
    if (s.ui.ResultSounds) {
        memPlayResultSound();
    } else {
        reopenBaseSound();
        s.memProcessing = false;
    }
    memCheckTextStatus();
}

void MemoryGame::mmc_Sound_StatusUpdate()
{
    s.memMCIUpdates = true;
    if (m_sound.completionStatus() != 0)
        mmc_Sound_Done(0);
}

// ---- Text cards -------------------------------------------------------------------------------

void MemoryGame::memTextClick(int index)
{
    memTextList& tl = s.ui.TextList;
    if (!s.memGameReady || s.memGameOver || s.memProcessing || s.memWiping || settling() || !tl.Active)
        return;
    if (index < 0 || index >= tl.Display.size() || tl.Display[index].Turned || s.TextGame.TextChosen)
        return;
    s.TextGame.TextChosen = true;
    s.TextGame.TextReference = tl.Display[index].Reference;
    s.TextGame.TextIndex = index;
    tl.Display[index].Turned = true;
    m_view.setTextColor(index, tl.SelectColor);
    if (s.TextGame.CardChosen) {
        if (s.TextGame.CardReference == s.TextGame.TextReference) {
            s.memLastResult = memRESULTMATCH;
            s.memCardsTaken += 1;
        } else {
            s.memLastResult = memRESULTNOMATCH;
        }
    } else {
        s.memLastResult = memRESULTNONE;
    }
    if (s.memGameOver)
        return;
    if (!tl.Sound.isEmpty()) {
        if (s.memOpenedSound != 3)
            memOpenTextClickSound();
        play(memTEXTCLICKSOUND);
        goOnAtOnce(TurnPhase::TextClickSound);
    } else {
        memPlayTextSound();
    }
}

void MemoryGame::memCheckTextStatus()
{
    s.memProcessing = false;
    memCheckCardTextStatus();
}

void MemoryGame::memCheckCardTextStatus()
{
    memTextGame& t = s.TextGame;
    if (!t.CardChosen || !t.TextChosen) {
        s.memLastResult = memRESULTNONE;
        return;
    }
    if (m_phase == TurnPhase::ResultSound)
        enter(TurnPhase::SettlingWithResultSound, s.memSoundKind);
    else if (!s.memGameOver)
        enter(TurnPhase::Settling);
    // The choices are taken now: the end of the result sound during the pauses tests nothing.
    t.CardChosen = t.TextChosen = false;
    memTextList& tl = s.ui.TextList;
    const int player = s.memCurrentPlayer;
    // As in the card game, the clock runs on while a match is taken and stands still for a miss.
    const bool match = t.CardReference == t.TextReference;
    if (match) {
        s.memLastResult = memRESULTMATCH;
        m_view.pause(500);
        s.memDisplayCards[t.CardIndex].Removed = true;
        tl.Display[t.TextIndex].Removed = true;
        memWipeOutCards();
        memRemoveTextObject();
        memPlayer& p = s.memPlayers[player];
        p.Score += 1;
        s.memCardsLeft -= 1;
        m_view.setPlayerScore(player, scoreCaption(p.Score));
        memShowControls();
    } else {
        m_view.setClockEnabled(false);
        m_view.pause(500);
        s.memLastResult = memRESULTNOMATCH;
        memRestoreCards();
        memRestoreText();
    }
    s.memDisplayCards[t.CardIndex].Turned = false;
    tl.Display[t.TextIndex].Turned = false;
    m_view.setTextEnabled(t.TextIndex, true);
    t.CardReference = t.TextReference = 0;
    memOpenTurnSound();
    s.memCardStatus = -1;
    s.memProcessing = false;
    leaveSettling();
    ++m_settledTurns;
    memCheckPlayerStatus(s.memCurrentPlayer);
    if (!match && !s.memGameOver)
        m_view.setClockEnabled(true);
}

void MemoryGame::memRemoveTextObject()
{
    const memTextList& tl = s.ui.TextList;
    if (tl.Destroy)
        m_view.setTextVisible(s.TextGame.TextIndex, false);
    else
        m_view.setTextColor(s.TextGame.TextIndex, tl.DimColor);
    m_view.setTextEnabled(s.TextGame.TextIndex, false);
}

void MemoryGame::memRestoreText() { m_view.setTextColor(s.TextGame.TextIndex, s.ui.TextList.ForeColor); }
