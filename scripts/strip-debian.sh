#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# The strip the package build installs with: as Debian's dh_strip strips, the compiler's .comment
# and .note sections go too.
exec strip --remove-section=.comment --remove-section=.note --strip-unneeded "$@"
