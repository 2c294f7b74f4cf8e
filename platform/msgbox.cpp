// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "platform/msgbox.h"

#include "platform/textcodec.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

namespace {
MsgResponder& responder()
{
    static MsgResponder r;
    return r;
}
}

void setMsgBoxResponder(MsgResponder r) { responder() = std::move(r); }

QString msgShortened(const QString& text, int maxRun, int maxTotal)
{
    // Each stretch without a blank longer than maxRun keeps its start and end around an ellipsis,
    // so a path still shows its folder and its file name.
    QString out;
    out.reserve(std::min<qsizetype>(text.size(), maxTotal + 16));
    qsizetype i = 0;
    while (i < text.size() && out.size() <= maxTotal) {
        qsizetype j = i;
        while (j < text.size() && !text.at(j).isSpace())
            ++j;
        if (j - i > maxRun)
            out += text.mid(i, maxRun * 2 / 3) + QStringLiteral("\u2026") + text.mid(j - maxRun / 3, maxRun / 3);
        else
            out += text.mid(i, j - i);
        while (j < text.size() && text.at(j).isSpace() && out.size() <= maxTotal)
            out += text.at(j++);
        i = j;
    }
    if (i < text.size())
        out += QStringLiteral("\u2026");
    return out;
}

QString msgWrapped(const QString& text, int maxRun, int maxTotal)
{
    const QString kept = text.size() > maxTotal ? text.left(maxTotal) + QStringLiteral("\u2026") : text;
    QString out;
    out.reserve(kept.size() + kept.size() / std::max(1, maxRun) + 1);
    qsizetype run = 0; // characters since the last blank or break
    qsizetype i = 0;
    while (i < kept.size()) {
        if (kept.at(i).isSpace()) {
            out += kept.at(i++);
            run = 0;
            continue;
        }
        qsizetype j = i;
        while (j < kept.size() && !kept.at(j).isSpace())
            ++j;
        // One stretch without a blank: lines of at most maxRun, each ending after a separator
        // when one lies in its second half, so that folder names stay whole.
        while (j - i > maxRun - run) {
            qsizetype cut = i + (maxRun - run);
            for (qsizetype k = cut; k > i + (maxRun - run) / 2; --k)
                if (kept.at(k - 1) == QLatin1Char('/') || kept.at(k - 1) == QLatin1Char('\\')) {
                    cut = k;
                    break;
                }
            if (cut <= i) { // the line is full already
                out += QLatin1Char('\n');
                run = 0;
                continue;
            }
            out += kept.mid(i, cut - i) + QLatin1Char('\n');
            i = cut;
            run = 0;
        }
        out += kept.mid(i, j - i);
        run += j - i;
        i = j;
    }
    return out;
}

QString msgDefaultTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Brushbox") : name;
}

MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? msgDefaultTitle() : title;
    QString oneLine = msgShortened(text, 2000, 8000);
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    oneLine = withVisibleControls(oneLine);
    const QString program = QCoreApplication::applicationName().toLower();
    std::fprintf(stderr, "%s: %s: %s\n", qUtf8Printable(program.isEmpty() ? QStringLiteral("brushbox") : program),
                 qUtf8Printable(shownTitle), qUtf8Printable(oneLine));
    std::fflush(stderr);

    if (responder())
        return responder()(MsgRecord{shownTitle, text, buttons, icon});
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return MsgResult::Ok;

    QMessageBox box;
    box.setWindowTitle(shownTitle);
    // A path is broken over lines, never shortened: the folder a teacher must fix may be any
    // part of it. A box lays out its whole text, so a value of a megabyte is still cut.
    QString shownText = msgWrapped(text, 90, 5000);
    shownText.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shownText);
    switch (icon) {
    case MsgIcon::Stop:
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    if (buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}
