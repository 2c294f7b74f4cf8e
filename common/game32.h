// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>

class QLabel;

// Set when the child ended the program at the splash window: it ends before its own window.
extern bool bolEndRequested;

// Rewrites a label's caption as gamPaddedCaption gives it for the label's font.
void gamPadCaption(QLabel* label);

// Where the configuration file is looked for, in this order.
//  - The command-line argument: an absolute path as it is; a relative one from the current
//    folder, else the program folder, else the installed sample themes.
//  - Without one: name beside the program (a build tree or a copy run from its own folder);
//    else the user's own in the system folder; else the class theme in a system-wide folder
//    (each of $XDG_CONFIG_DIRS, default /etc/xdg, plus "/brushbox-twinturn/"); else the sample
//    theme installed with the program (share/brushbox-twinturn beside its bin folder).
struct ConfigurationFile {
    QString path;   // empty when there is none
    QString reason; // why this one, for the debug log and the checker
};
ConfigurationFile gamFindConfiguration(const QString& name, const QStringList& arguments);

// The path alone, or the empty text.
QString gamGetFilePath(const QString& name, const QStringList& arguments);
QString gamGetFilePath(const QString& name);

// The folders of the class themes, each ending in "/brushbox-twinturn/".
QStringList gamClassThemeFolders();

// Every place looked in without an argument, for a message when there is no file.
QString gamPlacesLookedIn(const QString& name);
