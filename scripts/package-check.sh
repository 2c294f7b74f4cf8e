#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Builds the Debian packages (the programs, and the sample themes' data) and checks them the way a
# distribution and a school administrator take them: built without the tests, lintian with no
# error and no warning, AppStream and menu checks, dpkg -i, hardening-check on both programs, both
# installed programs started from /usr/bin under Xvfb on the sample themes and on a class theme in
# /etc/xdg/brushbox-twinturn, then dpkg --purge, after which only the administrator's own files
# and the users' paintings may be left. Needs root; CI runs it.
set -eu
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "package-check: run as root" >&2; exit 2; }

build=${BUILD_DIR:-build-package}
start=$(date +%s)
debs=$(BUILD_DIR=$build ./scripts/setup.sh package | tail -n 1)
echo "== packages, built in $(( $(date +%s) - start )) s: $debs"
for deb in $debs; do
    dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '/gfx/.' -e '/snd/.' -e '/pictures/.' -e '/games/.' -e '/icons/.*png' -e '/doc/.*/images/.'
done
# Only what is installed, and the generator of the sample themes, is built.
tests=$(find "$build" -name '*_tests' -type f -o -name '*_bench' -type f -o -name savestress -type f -o -name picturecorpus -type f)
[ -z "$tests" ] || { echo "package-check: the package build built $tests" >&2; exit 1; }
echo "== lintian"
# shellcheck disable=SC2086 # one word for each package
lintian --fail-on error,warning --display-info $debs
# shellcheck disable=SC2086
dpkg -i $debs
echo "== hardening"
# The programs are built with control flow protection, but a program carries its mark only when
# the C library's start files carry it too, which Debian 12's do not (its own programs fail that
# item alike): the item is asked for where the start files have the mark.
cfi=--nocfprotection
readelf -n "$(gcc -print-file-name=Scrt1.o)" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK' && cfi=""
hardening-check $cfi /usr/bin/brushbox /usr/bin/twinturn
appstreamcli validate --no-net /usr/share/metainfo/io.github.brushboxtwinturn.*.metainfo.xml
desktop-file-validate /usr/share/applications/brushbox.desktop /usr/share/applications/twinturn.desktop

work=$(mktemp -d)
display=:$((150 + $$ % 50))
Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"; rm -f /etc/xdg/brushbox-twinturn/zypaint.ini /etc/xdg/brushbox-twinturn/memory.ini; rmdir /etc/xdg/brushbox-twinturn 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display" PULSE_SERVER=unix:/nonexistent
unset WINDIR XDG_CONFIG_HOME XDG_CONFIG_DIRS

# Starts an installed program as a user with home $1, waits for its window, ends it with Esc.
start() {
    home=$1 program=$2 title=$3
    HOME="$home" "/usr/bin/$program" >"$home/$program.out" 2>&1 &
    pid=$!
    if ! timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" >/dev/null; then
        echo "package-check: $program showed no window" >&2
        cat "$home/$program.out" >&2
        exit 1
    fi
    sleep 1
    if grep -q "^$program: " "$home/$program.out"; then
        echo "package-check: $program showed a message:" >&2
        cat "$home/$program.out" >&2
        exit 1
    fi
    xdotool key --clearmodifiers Escape
    sleep 1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

echo "== the sample themes"
pupil=$work/pupil
mkdir -p "$pupil"
start "$pupil" brushbox Brushbox
test -d "$pupil/.config/brushbox-twinturn/Paintings/Red folder"
start "$pupil" twinturn Twinturn
grep -q "the sample theme installed with the program" "$pupil/.config/brushbox-twinturn/memory.log"

echo "== a class theme in /etc/xdg/brushbox-twinturn"
sed 's/%windows%Paintings/%windows%ClassPaintings/' /usr/share/brushbox-twinturn/zypaint.ini >/etc/xdg/brushbox-twinturn/zypaint.ini
cp /usr/share/brushbox-twinturn/games/four/memory.ini /etc/xdg/brushbox-twinturn/memory.ini
other=$work/other
mkdir -p "$other"
start "$other" brushbox Brushbox
test -d "$other/.config/brushbox-twinturn/ClassPaintings/Red folder"
start "$other" twinturn Twinturn
grep -q "/etc/xdg/brushbox-twinturn/memory.ini (the class theme for every user of this computer)" \
    "$other/.config/brushbox-twinturn/memory.log"
cp /usr/share/brushbox-twinturn/pictures/Animals/cat.bmp "$other/.config/brushbox-twinturn/ClassPaintings/Red folder/0.bmp"
sum=$(md5sum <"$other/.config/brushbox-twinturn/ClassPaintings/Red folder/0.bmp")

echo "== removed"
dpkg --purge brushbox-twinturn brushbox-twinturn-data
for gone in /usr/bin/brushbox /usr/bin/twinturn /usr/share/brushbox-twinturn /usr/share/doc/brushbox-twinturn \
    /usr/share/doc/brushbox-twinturn-data \
    /usr/share/applications/brushbox.desktop /usr/share/man/man1/twinturn.1.gz /etc/xdg/brushbox-twinturn/README; do
    if [ -e "$gone" ]; then echo "package-check: $gone is left" >&2; exit 1; fi
done
left=$(ls /etc/xdg/brushbox-twinturn | tr '\n' ' ')
[ "$left" = "memory.ini zypaint.ini " ] || { echo "package-check: /etc/xdg/brushbox-twinturn holds: $left" >&2; exit 1; }
[ "$(md5sum <"$other/.config/brushbox-twinturn/ClassPaintings/Red folder/0.bmp")" = "$sum" ]
echo "package-check: installed, started on the sample and the class themes, removed; the administrator's files and the paintings are left"
