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
