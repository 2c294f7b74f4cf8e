// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Brushbox"));
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    // Every stream of ours has closed with the application object. Qt's PulseAudio engine can
    // still abort in libpulse while its static is torn down ("io_events_please_scan"), once in
    // hundreds of runs, after the result is known: the binary ends here instead.
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    std::_Exit(result);
}
