// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/log.h"
#include "common/programmain.h"
#include "memory/checkmemory.h"
#include "memory/memconfig.h"
#include "memory/twinturn.h"

int main(int argc, char** argv)
{
    return programMain(argc, argv, {"twinturn", "Twinturn", "memory.ini", "Twinturn, a memory card game for children.",
                                    runMemoryCheck, Main, [](const QString& line) {
                                        if (bolDebug)
                                            memWriteLog(line);
                                    },
                                    memLayoutSize});
}
