#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Every source, script, CMake file, page and desktop file names its licence. Sample theme data
# (card lists, INI files), pictures and files whose format allows no comment are covered by
# desktop/copyright instead.
set -eu
cd "$(dirname "$0")/.."
missing=$(git ls-files | grep -E '(\.(cpp|h|sh|cmake|md|xml|desktop|1|supp)|CMakeLists\.txt|^\.ci/run|^\.gitignore)$' |
    while read -r f; do head -n 3 "$f" | grep -q 'SPDX-License-Identifier:' || echo "$f"; done)
if [ -n "$missing" ]; then
    echo "These files have no SPDX-License-Identifier line in their first three lines:" >&2
    echo "$missing" >&2
    exit 1
fi
echo "Every file names its licence."
