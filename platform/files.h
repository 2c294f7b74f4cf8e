// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#pragma once
#include <QString>
#include <QStringList>

// File rules shared by both programs: "/" paths, "\" read as a separator, names found without
// regard to case when the exact name is missing, and folder listings in a stable order.

// "\" becomes "/", so themes written on Windows work unchanged.
QString toPlatformSeparators(const QString& path);

// The existing path that matches path, comparing each component without regard to case when the
// exact one is missing. A path nothing matches comes back with its separators fixed.
QString resolvePath(const QString& path);

// Names in folder (files and folders, without "." and ".."), sorted without regard to case.
// filesOnly leaves out folders; foldersOnly leaves out files.
enum class ListKind { All, FilesOnly, FoldersOnly };
QStringList listDir(const QString& folder, ListKind kind = ListKind::All);

// The folder of the running program (links resolved), without a trailing "/"; tests may set it.
QString appFolder();
void setAppFolderForTests(const QString& folder);

// Where an installed program's sample themes lie: share/brushbox-twinturn/ beside the folder of
// the program (/usr/share/... for /usr/bin); empty when there is no such folder.
QString installedDataFolder();

// What a reader expects a file to be; each kind has its own size bound, far above what a theme
// needs, so that a file that is not what it claims cannot take the program's memory or time.
enum class FileKind { Text, Picture, Sound };
qint64 maxFileBytes(FileKind kind);

class QFile;

// Opens path for reading without ever blocking: only a regular file within the bound of its kind
// is opened (a link is followed to what it names). Otherwise false, with why saying what the
// path is: "is missing", "is a folder", "is a FIFO", "is a device", "is larger than 100 MB", or
// why it cannot be opened. regular says whether path names a regular file at all (one too large,
// say), which a caller that takes anything else for a missing file wants to know.
bool openRegularFile(QFile& file, const QString& path, FileKind kind, QString* why = nullptr, bool* regular = nullptr);

// Empty when path is a regular file that can be opened for reading; else what openRegularFile
// would say (the size bound aside).
QString regularFileProblem(const QString& path);

// Opens path for writing without blocking and without following a link at its end; only a
// regular file (made when missing) is opened. flags: O_APPEND, O_TRUNC or O_EXCL. The
// descriptor, or -1 with why set. A file it makes is shared as makeFolder says.
int openForWriting(const QString& path, int flags, QString* why = nullptr);

// Makes one folder level; a folder of that name made meanwhile (by another computer of a class)
// counts as made. False with why set. Inside a group-writable folder (a class folder, mode 2775)
// what the programs make takes that folder's group bits, so the next pupil of the group may
// write there too; the folder's setgid bit gives it the folder's group.
bool makeFolder(const QString& folder, QString* why = nullptr);

// Copies a regular file of that kind to a new file at to (never over an existing file or
// through a link); false with why set.
bool copyRegularFile(const QString& from, const QString& to, FileKind kind, QString* why = nullptr);
