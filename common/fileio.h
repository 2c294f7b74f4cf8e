// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>

// Path functions. Folder paths end in "/"; "\" in a value read from a configuration file is a
// separator. A path is absolute (stands for one with a drive) when it begins with "/" or its
// second character is ":".

QString fioGetWindowsDir();
QString fioGetAppPath(); // the application folder, without a trailing "/" (but "/" itself)

QString fioExpandPath(const QString& path);
QString fioExpandMacro(const QString& path);
QString fioGetPathMacro(const QString& path);
QString fioGetMacroValue(const QString& macro);

bool fioFileExists(const QString& path);
bool fioDirExists(const QString& path);

void fioAddBackslash(QString& path);
QString fioWithBackslash(const QString& text);
QString fioRemoveBackslash(const QString& text);
QString fioGetDrive(const QString& path);
bool fioIsFullPath(const QString& path);

bool fioHasExtension(const QString& path);
QString fioGetExtension(const QString& name);
QString fioRemoveExtension(const QString& name);
bool fioIsPictureFile(const QString& name);

// The existing file or folder a configuration path names (separators and case fixed).
QString fioResolve(const QString& path);
