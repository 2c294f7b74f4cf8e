// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// The folder that stands for the Windows directory: $WINDIR when set, otherwise one per-user
// folder shared by both programs ($XDG_CONFIG_HOME/brushbox-twinturn, created when missing).
// Ends in "/"; empty when no such folder can be had.
QString systemFolder();
