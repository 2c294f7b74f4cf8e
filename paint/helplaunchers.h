// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
class QWidget;

// The paint program's three help screens: the paint window's, the open dialogs' and the save
// dialogs' pictures from the graphics folder, all switched by the [help] section's active key.
void ShowPaintHelp(QWidget* parent = nullptr);
void ShowOpenHelp(QWidget* parent = nullptr);
void ShowSaveHelp(QWidget* parent = nullptr);
