#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Builds the fuzz targets with clang and runs each for a bounded time on a seed corpus made from
# the sample themes and the picture corpus. Fails on a crash, a leak, a timeout or running out of
# memory.
#   FUZZ_SECONDS   time per target (default 60)
#   FUZZ_ONLY      run only these targets (names separated by blanks)
#   FUZZ_BUILD_DIR the fuzz build's folder (default build-fuzz)
#   BUILD_DIR      the ordinary build whose sample pictures are seeds too (default build)
#   CMAKE_ARGS     extra CMake options for the fuzz build
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD_DIR:-build-fuzz}
samples=${BUILD_DIR:-build}/bin
# libFuzzer checks each input for leaks itself; the second check as a target exits now and then
# crashes LeakSanitizer's own thread tracer ("Tracer caught signal 11"), which is no finding.
LSAN_OPTIONS="suppressions=$(pwd)/.ci/lsan.supp:print_suppressions=0:leak_check_at_exit=0"
export LSAN_OPTIONS
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DBB_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build"

# Seeds: every configuration and data file of the sample themes and of the test data, and the
# sample pictures (the picture target takes its format from the first byte).
corpus="$build/corpus"
rm -rf "$corpus"
mkdir -p "$corpus/text" "$corpus/picture"
[ -d "$samples" ] || echo "fuzz: no sample themes in $samples (BUILD_DIR); seeding without them" >&2
# Seeds are numbered, so files of one name in different folders all count.
find themes tests "$samples/pictures" -type f \( -iname '*.ini' -o -iname '*.txt' -o -iname '*.cfg' \) \
    ! -name CMakeLists.txt 2>/dev/null | {
    n=0
    while IFS= read -r f; do
        cp "$f" "$corpus/text/seed$n"
        n=$((n + 1))
    done
}
# The picture corpus too: bitmaps of every kind, a metafile for each record, LibreOffice's.
"$build/bin/picturecorpus" write "$corpus/made" >/dev/null 2>&1 || true
find "$samples" platform/tests/corpus "$corpus/made" -type f \( -iname '*.bmp' -o -iname '*.gif' -o -iname '*.jpg' -o -iname '*.wmf' \) 2>/dev/null \
    | {
    n=0
    while IFS= read -r f; do
        case "$(echo "$f" | tr 'A-Z' 'a-z')" in
        *.bmp) b='\000' ;; *.gif) b='\001' ;; *.jpg) b='\002' ;; *) b='\003' ;;
        esac
        { printf "$b"; cat "$f"; } > "$corpus/picture/seed$n"
        n=$((n + 1))
    done
}

# WAV files of every layout the sound reader takes, headers written byte by byte, and the sample
# themes' sounds.
mkdir -p "$corpus/sound"
le() { # le NUMBER BYTES: the number in that many little-endian bytes
    le_v=$1 le_i=0 le_out=
    while [ $le_i -lt "$2" ]; do
        le_out="$le_out\\$(printf '%03o' $((le_v % 256)))"
        le_v=$((le_v / 256))
        le_i=$((le_i + 1))
    done
    printf "$le_out"
}
wav() { # wav FILE TAG CHANNELS RATE BITS BYTES_PER_SAMPLE FRAMES [EXTENSIBLE_TAG]
    align=$(($3 * $6))
    data=$((align * $7))
    fmt=16
    if [ -n "${8:-}" ]; then fmt=40; fi
    {
        printf 'RIFF'; le $((20 + fmt + data)) 4; printf 'WAVEfmt '; le $fmt 4
        le "$2" 2; le "$3" 2; le "$4" 4; le $(($4 * align)) 4; le $align 2; le "$5" 2
        if [ -n "${8:-}" ]; then
            le 22 2; le "$5" 2; le 3 4; le "$8" 2; printf '\000\000\000\000\020\000\200\000\000\252\000\070\233\161'
        fi
        printf 'data'; le $data 4
        head -c $data /dev/urandom
    } >"$1"
}
n=0
for layout in "1 1 8000 8 1" "1 2 22050 16 2" "1 1 44100 24 3" "1 2 48000 32 4" "1 6 96000 16 2" "1 1 11025 12 2" \
    "3 1 44100 32 4" "3 2 48000 64 8" "1 3 1000 8 1" "1 2 384000 16 2"; do
    # shellcheck disable=SC2086 # the layout is five words
    wav "$corpus/sound/seed$n" $layout 300
    n=$((n + 1))
done
wav "$corpus/sound/seed$n" 65534 2 44100 16 2 300 1
wav "$corpus/sound/seed$((n + 1))" 65534 2 48000 32 4 300 3
# Compressed kinds as sox writes them, mono and stereo.
if command -v sox >/dev/null 2>&1; then
    sox -n -r 11025 -c 2 -b 16 "$corpus/tone.wav" synth 0.2 sine 300-3000 2>/dev/null
    n=50
    for kind in ima-adpcm ms-adpcm u-law a-law; do
        for c in 1 2; do
            sox "$corpus/tone.wav" -c $c -e $kind -t wav "$corpus/sound/seed$n" 2>/dev/null
            n=$((n + 1))
        done
    done
    rm -f "$corpus/tone.wav"
fi
find "$samples" -type f -iname '*.wav' 2>/dev/null | head -20 | {
    n=100
    while IFS= read -r f; do
        head -c 65536 "$f" >"$corpus/sound/seed$n"
        n=$((n + 1))
    done
}

# The memory target's first byte names the file its input replaces: memory.ini, main, global,
# cards, the words game's list, the four game's main, the pairs game's special file.
mkdir -p "$corpus/memory"
i=0
for f in themes/twinturn/memory.ini themes/twinturn/pairs/main.ini themes/twinturn/pairs/global.ini \
    themes/twinturn/pairs/cards.txt themes/twinturn/words/list.txt themes/twinturn/four/main.ini; do
    [ -f "$f" ] && { printf "\\$(printf '%03o' $i)"; cat "$f"; } > "$corpus/memory/seed$i"
    i=$((i + 1))
done
{ printf '\006'; printf '[interface]\r\npictures=\t\tbk1024.bmp\r\nbackcolor=&H804020\r\n'; } > "$corpus/memory/seed6"

total=0
status=0
for target in "$build"/bin/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    case " ${FUZZ_ONLY:-$name} " in *" $name "*) ;; *) continue ;; esac
    case "$name" in
    fuzz_picture|fuzz_wmf) seeds="$corpus/picture" ;;
    fuzz_memoryconfig) seeds="$corpus/memory" ;;
    fuzz_wav) seeds="$corpus/sound" ;;
    *) seeds="$corpus/text" ;;
    esac
    work="$build/work-$name"
    rm -rf "$work"
    mkdir -p "$work"
    work=$(cd "$work" && pwd) # the targets work in a folder of their own
    cp -r "$seeds"/. "$work"/ 2>/dev/null || true
    log="$build/$name.log"
    start=$(date +%s)
    # Crash inputs are written into the work folder, whatever folder the target works in.
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$work/" -print_final_stats=1 "$work" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        status=1
    fi
    took=$(( $(date +%s) - start ))
    total=$((total + took))
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "$name: $result, ${took}s, $runs executions"
    if [ "$result" = FAILED ]; then
        tail -40 "$log"
    fi
done
echo "fuzzing: ${total}s in all"
exit $status
