// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "memory/memerrors.h"

#include "common/keytable.h"
#include "common/log.h"
#include "memory/twinturn.h"
#include "platform/msgbox.h"

#include <cstdio>
#include <cstdlib>

namespace {
const QChar CR(13);

void realEnder(int code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(code);
}

MemEnder g_ender = realEnder;

QString q(const char* s) { return QString::fromUtf8(s); }
}

void setMemEnder(MemEnder ender) { g_ender = ender ? ender : realEnder; }
void memThrowingEnder(int code) { throw MemProgramEnd{code}; }

void memEndProgram(int code)
{
    g_ender(code);
    std::_Exit(code); // an ender that returned must still not let the program go on
}

QString memNumberText(double number) { return QString::number(number, 'g', 7); }

MemErrorText memErrorText(double number, const QString& info, const QString& info2, const QString& info3)
{
    // The sign position is a blank for a positive number, as the old runtime printed it.
    const QString numberText = memNumberText(number);
    const QString title = q("Error in application (#") + (number < 0 ? QString() : q(" ")) + numberText + q(")");
    const auto F = MemErrorKind::Fatal;
    const auto W = MemErrorKind::Warning;
    const int n = number == static_cast<int>(number) ? static_cast<int>(number) : -1;
    switch (n) {
    case 1:
        return {title,
                q("Could not find file ''") + info + q("''") + CR + CR + q("You must have an INI file as an argument,") + CR
                    + q("OR place memory.ini in the application path") + CR + q("OR in the windows directory."),
                F};
    case 2: return {title, q("The INI file ''") + info + q("'' that was") + CR + q("used as argument does not exist. "), F};
    case 3: return {title, q("There is no application type declaration") + CR + q("in the INI file."), F};
    case 4: return {title, q("The application type declaration in the") + CR + q("INI file is unknown."), F};
    case 5: return {title, q("Could not find main file ''") + info + q("''"), F};
    case 6: return {title, q("Could not find global file ''") + info + q("''"), F};
    case 7: return {title, q("Could not find card file ''") + info + q("''"), F};
    case 8: return {title, q("Could not find list file ''") + info + q("''"), F};
    case 9: return {title, q("Listfile contains to few text strings."), W};
    case 10: return {title, q("Could not find special file ''") + info + q("''"), F};
    // Board problems a theme can make; the game cannot be laid out as written.
    case 11: return {title, q("The board has no cards: cardsx and cardsy must both be at least 1."), F};
    case 12:
        return {title,
                q("The board of ") + info + q(" cards does not fit on the screen.") + CR + q("There is room for ") + info2
                    + q(" cards of this size."),
                F};
    case 13:
        return {title,
                q("The board has an odd number of cards (") + info + q(").") + CR
                    + q("The last place stays empty, so every card has a pair."),
                W};
    case 14:
        // info3: the cards the board shows, when a card without its pair is left out.
        return {title,
                q("The card file ''") + info + q("'' has only ") + info2 + q(" cards.") + CR
                    + (info3.isEmpty() || info3 == info2 ? q("The board is made smaller to fit them.")
                                                         : q("The board is made smaller to show ") + info3
                                                               + q(" of them, so that every card has a pair.")),
                W};
    case 15: return {title, q("There can be at most four players (") + info + q(" were asked for)."), W};
    case 16: return {title, q("The board has ") + info + q(" cards, more than the ") + info2 + q(" a game can have."), F};
    case 17: return {title, q("The card file ''") + info + q("'' holds no cards."), F};
    case 100: return {title, q("Background picture file ''") + info + q(" does not exist."), W};
    case 101: return {title, q("Card front picture file ''") + info + q("'' does not exist."), W};
    case 102: return {title, q("Control picture file ''") + info + q("'' does not exist."), W};
    case 103: return {title, q("Quit button picture file ''") + info + q("'' does not exist."), W};
    case 104: return {title, q("Player background picture file ''") + info + q("'' does not exist."), W};
    case 105: return {title, q("Card picture file ''") + info + q("'' does not exist."), W};
    case 110: return {title, q("Picture file ''") + info + q("'' could not be read.") + CR + info2, W};
    case 200: return {title, q("''End (good) sound'' wave file ''") + info + q(" does not exist."), W};
    case 201: return {title, q("''End (bad) sound'' wave file ''") + info + q(" does not exist."), W};
    case 202: return {title, q("''Turn card sound'' wave file ''") + info + q(" does not exist."), W};
    case 203:
        return {title, q("'Wave file ''") + info + q("'' for card number ") + info2 + q(" does not exist."), W};
    case 204: return {title, q("''Click text sound'' wave file ''") + info + q(" does not exist."), W};
    case 205: return {title, q("''Match sound'' wave file ''") + info + q(" does not exist."), W};
    case 206: return {title, q("''No Match sound'' wave file ''") + info + q(" does not exist."), W};
    default: return {title, QString(), F};
    }
}

QList<int> memErrorNumbers()
{
    return {1,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,
            100, 101, 102, 103, 104, 105, 110, 200, 201, 202, 203, 204, 205, 206};
}

void memHandleError(double number, const QString& info, const QString& info2)
{
    memShowError(number, memErrorText(number, info, info2).message);
}

void memShowError(double number, const QString& message)
{
    const QString numberText = memNumberText(number);
    if (bolDebug)
        memWriteLog(q("=> memHandleError (") + numberText + q(") <="));
    const MemErrorText e = memErrorText(number);
    if (e.kind == MemErrorKind::Fatal) {
        msgBox(message, MsgButtons::Ok, MsgIcon::Stop, e.title);
        memEndProgram(1);
    }
    if (msgBox(message + CR + CR + q("Continue?"), MsgButtons::OkCancel, MsgIcon::Stop, e.title) == MsgResult::Cancel)
        memEndProgram(1);
    if (bolDebug)
        memWriteLog(numberText + q(", ") + message);
}

bool memShowFinding(const Finding& f)
{
    if (f.number)
        memShowError(f.number, f.words);
    return true;
}
