#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Start-up figures under Xvfb: Brushbox and Twinturn on their sample themes and a bare Qt window,
# in one run, median of RUNS starts each (default 9). Needs a build (scripts/setup.sh).
#   BRUSHBOX_INI, TWINTURN_INI   other configuration files to start the programs on
#   FULLSCREEN=1                 the sample themes with [classroom] fullscreen=1 (unless the two
#                                above are given)
#   SCREEN                       the Xvfb screen, default 1024x768x24
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-9}
screen=${SCREEN:-1024x768x24}
tmp=$(mktemp -d)
display=:$((150 + $$ % 50))
Xvfb "$display" -screen 0 "$screen" -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$tmp"' EXIT
# The copies lie outside the build, but %apppath% is the program's folder, so the sample's
# pictures and sounds are still found.
if [ "${FULLSCREEN:-0}" = 1 ]; then
    sed 's/^fullscreen=0/fullscreen=1/' "$build/bin/zypaint.ini" >"$tmp/zypaint.ini"
    sed 's/^fullscreen=0/fullscreen=1/' "$build/bin/memory.ini" >"$tmp/memory.ini"
    grep -q '^fullscreen=1' "$tmp/zypaint.ini" "$tmp/memory.ini"
    : "${BRUSHBOX_INI:=$tmp/zypaint.ini}" "${TWINTURN_INI:=$tmp/memory.ini}"
fi
sleep 1
DISPLAY=$display "$build/benchbin/startup_bench" "$runs" \
    "bare Qt window=$build/benchbin/bare_window" \
    "brushbox=$build/bin/brushbox${BRUSHBOX_INI:+,$BRUSHBOX_INI}" \
    "twinturn=$build/bin/twinturn${TWINTURN_INI:+,$TWINTURN_INI}"
