#!/usr/bin/env bash
# Shared by ./run and ./test: install what is missing, then configure and build.
# Sourced, so it inherits `set -euo pipefail` from its caller.

# Package names that differ between the Debian releases the set-up is proven on (Debian 12
# "bookworm", Debian 13 "trixie", see tools/radice_pulita.sh); later releases take 13's.
# Qt's SVG icon engine, which draws every icon: inside libqt6svg6 on Debian 12, a package of
# its own from 13. The clang runtimes of the proofs carry clang's version in their name on
# Debian 12.
if [ "$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
    PACCHETTI_RELEASE=(libqt6svg6)
    PACCHETTI_RELEASE_PROVE=(libclang-rt-14-dev)
else
    PACCHETTI_RELEASE=(qt6-svg-plugins)
    PACCHETTI_RELEASE_PROVE=(libclang-rt-dev)
fi
# Sounds go to PulseAudio (libpulse), readings to speech-dispatcher (libspeechd).
PACCHETTI=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-svg-dev libjpeg-dev libpulse-dev libspeechd-dev "${PACCHETTI_RELEASE[@]}"
    fonts-liberation fonts-dejavu-core
)
# Only the tests need these: Qt Multimedia for the benchmark of sound players; a virtual
# display, real input and screenshots; the validators of the desktop entry and the AppStream
# metadata; dpkg-shlibdeps for the package and lintian to check it; for tests/e2e, Debian's
# python3 with pyatspi, the AT-SPI and D-Bus session services, and setpriv (util-linux) to run
# the program as an unprivileged user; a PulseAudio server with parec to record what the
# program plays, and numpy to analyse it; for the read-aloud case, speech-dispatcher with
# espeak-ng speaking into that server; the Orca screen reader (pgrep from procps tells whether
# one already runs); openbox, the window manager that gives new windows the keyboard focus,
# places them and makes them full screen, and wmctrl to ask it to close a window.
PACCHETTI_TEST=(qt6-multimedia-dev xvfb xauth xdotool x11-utils imagemagick desktop-file-utils appstream dpkg-dev
    lintian python3 python3-pyatspi at-spi2-core dbus dbus-x11 util-linux
    pulseaudio pulseaudio-utils python3-numpy
    speech-dispatcher speech-dispatcher-espeak-ng espeak-ng orca procps openbox wmctrl)
# A desktop that already runs PipeWire keeps it: installing pulseaudio there would take over the
# user's sound at the next login. The recorded-sound case is skipped on such a machine.
if dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null | grep -q "install ok installed"; then
    senza_pulseaudio=()
    for p in "${PACCHETTI_TEST[@]}"; do [ "$p" = pulseaudio ] || senza_pulseaudio+=("$p"); done
    PACCHETTI_TEST=("${senza_pulseaudio[@]}")
fi
# Only the proofs need these: clang with libFuzzer and its sanitizer runtimes for
# tests/fuzz/esegui.sh, and llvm-symbolizer for readable sanitizer stack traces. (The
# "asan" preset builds with g++, whose sanitizer runtimes come with it.)
PACCHETTI_PROVE=(clang "${PACCHETTI_RELEASE_PROVE[@]}" llvm)

installa_mancanti() {
    local mancanti=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            mancanti+=("$p")
        fi
    done
    [ ${#mancanti[@]} -eq 0 ] && return 0
    echo "Installing: ${mancanti[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
}

# compila [BUILD_PRESET]: "default" builds everything (./test), "programma" only the program,
# its modules and its data (./run).
compila() {
    # One compiler cache for every checkout of the project on this machine: paths below
    # the checkout's parent folder are hashed as relative ones.
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}" CCACHE_NOHASHDIR=1
    cmake --preset default >/dev/null
    cmake --build --preset "${1:-default}"
}
