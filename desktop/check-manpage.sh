#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
#
# check-manpage.sh PAGE WORD...: the manual page renders without a warning, says that a relative
# path is looked for in the current folder before the program's folder (as the programs do), and
# names every WORD (a key, a [classroom] key) in its text.
set -u
page=$1
shift
warnings=$(MANWIDTH=80 man -l --warnings=all "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings"
    exit 1
fi
# One long line per paragraph, so that no sentence is broken or hyphenated.
text=$(MANWIDTH=2000 man -l -P cat "$page" 2>/dev/null | col -b | tr -s ' \n' '  ')
status=0
case $text in
*SYNOPSIS*) ;;
*) echo "$page: no SYNOPSIS"; status=1 ;;
esac
relative=$(printf '%s\n' "$text" | sed -n 's/.*\(A relative path [^.]*\)\..*/\1/p')
case $relative in
*"current folder"*"program"?"s folder"*) ;;
*) echo "$page: a relative path must be looked for in the current folder first: '$relative'"; status=1 ;;
esac
for word in "$@"; do
    case $text in
    *"$word"*) ;;
    *) echo "$page: '$word' is not named"; status=1 ;;
    esac
done
exit $status
