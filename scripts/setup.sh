#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Sets up a fresh Debian machine for Brushbox and Twinturn, builds them, and then either starts
# Brushbox on the sample theme (run) or runs every test (test).
#   scripts/setup.sh run    build and start Brushbox
#   scripts/setup.sh test   build and run all tests
#   scripts/setup.sh deps   only install the Debian packages
#   scripts/setup.sh package   build the Debian packages in build-package (without the tests);
#                              their paths are the last line printed
#   BUILD_DIR, CMAKE_ARGS   choose another build folder / extra CMake options
set -eu
cd "$(dirname "$0")/.."
mode=${1:-run}
build=${BUILD_DIR:-build}

packages="cmake g++ ninja-build lintian appstream desktop-file-utils devscripts qt6-base-dev qt6-multimedia-dev libcups2-dev libxcb1-dev libxcb-damage0-dev libfontconfig-dev pkg-config libgtest-dev fonts-liberation2
pulseaudio pulseaudio-utils cups printer-driver-cups-pdf xvfb xauth xdotool openbox x11-utils x11-xkb-utils imagemagick poppler-utils man-db
at-spi2-core python3-pyatspi dbus qt6-translations-l10n
libwmf-bin fonts-dejavu-core libimage-exiftool-perl sox
clang"
updated=""
install() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -n "$missing" ] || return 0
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if [ -z "$updated" ]; then
        $sudo apt-get update -qq
        updated=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}
install $packages
# The fuzzers' runtime belongs to the installed clang, whose version each Debian release changes.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
[ -n "$clang_major" ] || { echo "setup: cannot tell clang's version from 'clang --version'" >&2; exit 1; }
install "libclang-rt-$clang_major-dev"

[ "$mode" = deps ] && exit 0

# Qt and fontconfig keep some allocations for the life of the process; only our leaks count.
LSAN_OPTIONS="suppressions=$(pwd)/.ci/lsan.supp:print_suppressions=0"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS

case "$mode" in
package)
    # A build of its own: only what is installed and the generator of the sample themes, with the
    # flags a Debian package is built with (hardening included), installed for every user.
    build=${BUILD_DIR:-build-package}
    eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
    # Stack clash and control flow protection, which the next Debian's dpkg-buildflags gives and
    # hardening-check asks for, where this one's does not give them yet.
    case " $CXXFLAGS " in *" -fstack-clash-protection "*) ;; *) CXXFLAGS="$CXXFLAGS -fstack-clash-protection" ;; esac
    case "$(dpkg --print-architecture):$CXXFLAGS" in
    amd64:*-fcf-protection* | i386:*-fcf-protection* | arm64:*-mbranch-protection*) ;;
    amd64:* | i386:*) CXXFLAGS="$CXXFLAGS -fcf-protection" ;;
    arm64:*) CXXFLAGS="$CXXFLAGS -mbranch-protection=standard" ;;
    esac
    cmake -S . -B "$build" -G Ninja -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
        -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
        -DCMAKE_STRIP="$(pwd)/scripts/strip-debian.sh" ${CMAKE_ARGS:-} >/dev/null
    cmake --build "$build"
    rm -f "$build"/brushbox-twinturn*.deb
    (cd "$build" && cpack -G DEB >/dev/null)
    ls "$build"/brushbox-twinturn*.deb | xargs realpath | tr '\n' ' ' | sed 's/ $/\n/' ;;
run)
    cmake -S . -B "$build" -G Ninja ${CMAKE_ARGS:-}
    cmake --build "$build"
    exec "$build/bin/brushbox" ;;
test)
    cmake -S . -B "$build" -G Ninja ${CMAKE_ARGS:-}
    cmake --build "$build"
    cd "$build"
    if [ -z "${DISPLAY:-}" ]; then
        # The end-to-end tests start their own X server; the others need no display.
        export QT_QPA_PLATFORM=offscreen
    fi
    ctest --output-on-failure -j2 ;;
*)
    echo "usage: $0 run|test|deps|package" >&2
    exit 2 ;;
esac
