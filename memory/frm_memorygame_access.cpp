// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/frm_memorygame.h"

#include "memory/memwidgets.h"
#include "memory/twinturn.h"
#include "platform/accessible.h"

#include <QFileInfo>

// What a screen reader hears of the board: each card by its place, face down, by its label once
// turned, or taken; each counter with what it counts and for whom; the quit and end pictures as
// buttons that can be pressed.

namespace {
const char* const kCounters[memCOUNTERSLOTS] = {"Time played", "Countdown", "Cards made", "Cards left", "Tries made", "Tries left"};
}

QString frm_MemoryGame::cardAccessName(int index) const
{
    if (index < 0 || index >= state.memDisplayCards.size() || index >= state.memCardCount)
        return QString();
    const memDisplayCard& card = state.memDisplayCards[index];
    const QString place = QStringLiteral("card %1, ").arg(index + 1);
    if (card.Removed)
        return place + QStringLiteral("taken");
    if (!card.Turned && state.intAppType == 0 && !bolDebug)
        return place + QStringLiteral("face down");
    if (card.Reference < 0 || card.Reference >= state.memCardHolders.size())
        return place + QStringLiteral("face up");
    const memCardHolder& holder = state.memCardHolders[card.Reference];
    // A card with only a picture is told by its picture's name.
    const QString said = holder.Text.trimmed().isEmpty() ? QFileInfo(holder.PictureFile).completeBaseName() : holder.Text.trimmed();
    return place + (said.isEmpty() ? QStringLiteral("face up") : said);
}

QString frm_MemoryGame::counterAccessName(int label) const
{
    for (int c = 0; c < memCOUNTERSLOTS; ++c) {
        const memControl& ctl = state.ui.Controls[size_t(c)];
        if (!ctl.Active || ctl.Order != label)
            continue;
        QString name = QString::fromLatin1(kCounters[c]);
        // Cards left belong to the game; every other counter to the player in turn.
        const int player = state.memCurrentPlayer;
        if (c != memCARDSLEFT && player >= 0 && player < state.memPlayers.size() && !state.memPlayers[player].Name.trimmed().isEmpty())
            name += QStringLiteral(" for ") + state.memPlayers[player].Name.trimmed();
        return name + QStringLiteral(": ") + lbl_Control[label]->text().trimmed();
    }
    return QString();
}

void frm_MemoryGame::describeForAssistiveTechnology()
{
    pic_Background->setAccessibleName(QStringLiteral("Board"));
    for (int i = 0; i < img_Card.size(); ++i) {
        describeAccess(img_Card[i], QAccessible::Button, [this, i]() -> QString { return cardAccessName(i); }, [this, i] {
            if (game)
                game->img_Card_Click(i);
        });
        accessDecoration(lbl_Card[i]); // the card says its label
    }
    for (int t = 0; t < lbl_Text.size(); ++t) {
        MemLabel* text = lbl_Text[t];
        describeAccess(text, QAccessible::Button, [text]() -> QString { return text->text().trimmed(); }, [this, t] {
            if (game)
                game->memTextClick(t);
        });
    }
    for (int m = 0; m < lbl_Control.size(); ++m) {
        describeAccess(lbl_Control[m], QAccessible::StaticText, [this, m]() -> QString { return counterAccessName(m); });
        accessDecoration(img_Control[m]);
    }
    for (int p = 0; p < lbl_PlayerScore.size(); ++p) {
        describeAccess(lbl_PlayerScore[p], QAccessible::StaticText, [this, p]() -> QString {
            const QString player = p < state.memPlayers.size() ? state.memPlayers[p].Name.trimmed() : QString();
            return (player.isEmpty() ? QStringLiteral("Score") : QStringLiteral("Score of ") + player) + QStringLiteral(": ")
                   + lbl_PlayerScore[p]->text().trimmed();
        });
        describeAccess(lbl_PlayerName[p], QAccessible::StaticText, [this, p]() -> QString {
            const QString name = lbl_PlayerName[p]->text().trimmed();
            return name.isEmpty() ? QString() : QStringLiteral("Player %1, %2").arg(p + 1).arg(name);
        });
        accessDecoration(img_Player[p]);
    }
    describeAccess(img_Quit, QAccessible::Button, QStringLiteral("Quit"), [this] { img_Quit_Click(); });
    describeAccess(pic_End, QAccessible::Button, [this]() -> QString {
        return game && game->endWasGood() ? QStringLiteral("The end: well done") : QStringLiteral("The end");
    }, [this] { pic_End_Click(); });
}
