#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Starts PipeWire, as Debian's desktops run it (pipewire, wireplumber and pipewire-pulse on a
# session bus of their own), with a null sink named "null", in a private folder, and prints the
# PULSE_SERVER that reaches it. The sound cases then run on it instead of PulseAudio:
#   export PULSE_SERVER=$(scripts/pipewire-server.sh /tmp/pw)
#   ctest --test-dir build -R 'SittingEndToEnd|MuteStarts|ImpossibleRates'
#   scripts/pipewire-server.sh /tmp/pw stop
# Needs the packages pipewire, pipewire-pulse, wireplumber and dbus.
set -eu
dir=${1:?usage: pipewire-server.sh FOLDER [stop]}
if [ "${2:-}" = stop ]; then
    for p in "$dir"/*.pid; do [ -f "$p" ] && kill "$(cat "$p")" 2>/dev/null || true; done
    exit 0
fi
mkdir -p "$dir"
export XDG_RUNTIME_DIR="$dir" HOME="$dir"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus"
dbus-daemon --session --fork --address="$DBUS_SESSION_BUS_ADDRESS" --print-pid >"$dir/dbus.pid"
start() { # start NAME: in the background, its log and process ID kept in the folder
    "$1" >"$dir/$1.log" 2>&1 &
    echo $! >"$dir/$1.pid"
}
export PULSE_SERVER="unix:$dir/pulse/native"
start pipewire
start wireplumber
start pipewire-pulse
i=0
until pactl info >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "pipewire-server: pipewire-pulse did not come up (logs in $dir)" >&2; exit 1; }
    sleep 0.1
done
pactl load-module module-null-sink sink_name=null >/dev/null
# wireplumber makes the new sink the default once it has seen it.
i=0
until pactl info | grep -q '^Default Sink: null$'; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "pipewire-server: the null sink did not become the default" >&2; exit 1; }
    sleep 0.1
done
echo "$PULSE_SERVER"
