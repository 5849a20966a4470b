#!/usr/bin/env bash
# Start-up benchmark: the time from process start until the splash window is mapped, for
# Cartavia and for an empty Qt Widgets window, side by side on a private Xvfb display.
#   bench/avvio.sh [RUNS]        (default 15; builds build/ first when needed)
set -euo pipefail
cd "$(dirname "$0")/.."
prove=${1:-15}

if [ ! -x build/bench/misura_avvio ] || [ ! -x build/bench/finestra_vuota ] || [ ! -x build/cartavia ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target cartavia finestra_vuota misura_avvio
fi
if ! ls build/jpg/*.jpg >/dev/null 2>&1; then
    echo "build/jpg holds no pictures: the splash screen cannot start" >&2
    exit 2
fi

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'); $(date -u +%Y-%m-%d)"
# Both programs get the same private runtime folder, so neither complains about a missing one.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
# A desktop always has a D-Bus session bus, and Qt talks to it (for screen readers) while
# it builds its first window. Without one, libdbus starts a bus of its own at every start:
# run both programs in a private session, as on a desktop.
sessione=()
if command -v dbus-run-session >/dev/null; then
    sessione=(dbus-run-session --)
else
    echo "dbus-run-session not found: measuring without a session bus" >&2
fi
"${sessione[@]}" xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/bench/misura_avvio -n "$prove" -l 1.3 "$PWD/build/bench/finestra_vuota" "$PWD/build/cartavia"
