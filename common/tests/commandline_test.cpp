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

// Qt's options reach Qt (its application object takes them out of argv); they are neither refused
// nor taken for the configuration path.
TEST(CommandLine, QtOptionsArePassedOver)
{
    const struct {
        QStringList arguments;
        CommandLine::Action action;
        QStringList configuration;
    } cases[] = {
        {{"-style", "fusion"}, CommandLine::Run, {}},
        {{"-platform", "offscreen", "--check", "a.ini"}, CommandLine::Check, {"a.ini"}},
        {{"--platform", "xcb", "-display", ":1", "my theme.ini"}, CommandLine::Run, {"my theme.ini"}},
        {{"-reverse", "-geometry", "640x480+0+0", "a.ini"}, CommandLine::Run, {"a.ini"}},
        {{"-style=fusion", "-stylesheet", "kids.qss", "-qwindowtitle", "Paint", "a.ini"}, CommandLine::Run, {"a.ini"}},
        {{"-nograb", "-name", "paint", "--", "-style"}, CommandLine::Run, {"-style"}},
        {{"-styles", "x"}, CommandLine::Usage, {}},
    };
    for (const auto& c : cases) {
        const CommandLine parsed = parseCommandLine(c.arguments);
        EXPECT_EQ(parsed.action, c.action) << qPrintable(c.arguments.join(' '));
        EXPECT_EQ(parsed.configuration, c.configuration) << qPrintable(c.arguments.join(' '));
    }
    EXPECT_TRUE(helpText("twinturn", "memory.ini", "").contains("Qt's own options (-platform, -display, -style"));
}
