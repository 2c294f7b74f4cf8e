#!/bin/sh
# Start-up figures under Xvfb: Brushbox and Twinturn on their sample themes and a bare Qt window,
# in one run, median of RUNS starts each (default 9). Needs a build (scripts/setup.sh).
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-9}
display=:$((150 + $$ % 50))
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
DISPLAY=$display "$build/benchbin/startup_bench" "$runs" \
    "bare Qt window=$build/benchbin/bare_window" \
    "brushbox=$build/bin/brushbox" \
    "twinturn=$build/bin/twinturn"
