#pragma once
#include <QStringList>

// The start of Brushbox: reads the configuration, builds the window and runs it. configuration is
// the configuration path argument, when one was given. Returns the process's exit status.
int Main(const QStringList& configuration);
