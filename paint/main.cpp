// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/log.h"
#include "common/programmain.h"
#include "paint/brushbox.h"
#include "paint/checkpaint.h"
#include "paint/paintsettings.h"

int main(int argc, char** argv)
{
    return programMain(argc, argv, {"brushbox", "Brushbox", "zypaint.ini", "Brushbox, a paint program for children.",
                                    runPaintCheck, Main, [](const QString& line) {
                                        if (bolDebug)
                                            pntWriteLog(line);
                                    },
                                    [](const QString&, QSize, IniFiles&) { return QSize(641, 481); }});
}
