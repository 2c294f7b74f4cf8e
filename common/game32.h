#pragma once
#include <QString>
#include <QStringList>

// The configuration file to use: the command-line argument (relative ones taken from the program
// folder, or else the current folder), else name in the program folder, else in the system
// folder; empty when there is none.
QString gamGetFilePath(const QString& name, const QStringList& arguments);
QString gamGetFilePath(const QString& name);
