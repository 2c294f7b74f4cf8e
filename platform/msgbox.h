// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <functional>

// One way for every message of both programs to reach the user: a box on screen and a line on
// standard error, so a theme author at a terminal (and a script) sees it too.
enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Stop, Critical, Exclamation, Information };
enum class MsgResult { Ok, Cancel };

struct MsgRecord {
    QString title;
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
};

MsgResult msgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const QString& title = QString());

// Tests answer the boxes instead of a person; an empty responder restores the real boxes.
using MsgResponder = std::function<MsgResult(const MsgRecord&)>;
void setMsgBoxResponder(MsgResponder responder);

// The title used when a caller gives none: the program's name.
QString msgDefaultTitle();

// text with every stretch of more than maxRun characters without a blank cut in its middle, and
// the whole cut after about maxTotal characters; short texts come back unchanged. For the one
// line on standard error.
QString msgShortened(const QString& text, int maxRun, int maxTotal);

// text for a box: every stretch of more than maxRun characters without a blank (a path) broken
// over lines of at most maxRun, after a "/" where there is one, every character kept; only a text
// beyond maxTotal characters (no path is that long) is cut there.
QString msgWrapped(const QString& text, int maxRun, int maxTotal);
