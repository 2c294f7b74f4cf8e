// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Shared set-up of the fuzz targets: an offscreen application, message boxes answered OK, and a
// private folder that is the program folder, the system folder and the current folder.
void fuzzInit();
QString fuzzFolder();
// Writes bytes into the private folder under name and returns the full path.
QString fuzzWrite(const QString& name, const QByteArray& bytes);
// The input with every path separator made harmless, so no input can reach outside the folder.
QByteArray fuzzConfined(const uint8_t* data, size_t size);
