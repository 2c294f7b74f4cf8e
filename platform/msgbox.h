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
