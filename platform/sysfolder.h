// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// The folder that stands for the Windows directory: $WINDIR when set, otherwise one per-user
// folder shared by both programs ($XDG_CONFIG_HOME/brushbox-twinturn, created when missing).
// Ends in "/"; empty when no such folder can be had.
QString systemFolder();

// The folder of this login on this computer, for what must not be shared with another computer
// that has the same home (the one-copy locks): $XDG_RUNTIME_DIR when it is a folder of this user;
// otherwise a folder of this user and host in the temporary folder, made private to the user.
// Ends in "/"; empty when neither can be had.
QString runtimeFolder();
