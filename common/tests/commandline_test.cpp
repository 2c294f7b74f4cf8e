// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Brushbox and Twinturn developers
#include "common/commandline.h"

#include <gtest/gtest.h>

TEST(CommandLine, OptionsAndConfigurationPath)
{
    EXPECT_EQ(parseCommandLine({}).action, CommandLine::Run);
    EXPECT_EQ(parseCommandLine({"--help", "x"}).action, CommandLine::Help);
    EXPECT_EQ(parseCommandLine({"x", "--version"}).action, CommandLine::Version);
    const CommandLine path = parseCommandLine({"my", "theme.ini"});
    EXPECT_EQ(path.action, CommandLine::Run);
    EXPECT_EQ(path.configuration, QStringList({"my", "theme.ini"}));
    const CommandLine check = parseCommandLine({"--check", "a.ini"});
    EXPECT_EQ(check.action, CommandLine::Check);
    EXPECT_EQ(check.configuration, QStringList{"a.ini"});
    const CommandLine bad = parseCommandLine({"--colour"});
    EXPECT_EQ(bad.action, CommandLine::Usage);
    EXPECT_EQ(bad.error, "unknown option '--colour'");
    EXPECT_EQ(parseCommandLine({"--", "-odd.ini"}).configuration, QStringList{"-odd.ini"});
    EXPECT_EQ(parseCommandLine({"-"}).configuration, QStringList{"-"});
}
