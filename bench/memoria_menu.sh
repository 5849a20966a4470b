#!/usr/bin/env bash
# Resident memory once the main menu is open: the program is started on a private Xvfb inside
# a private D-Bus session (no sound server), the splash is clicked, and three seconds later
# VmRSS is read from /proc. Any speech-dispatcher the program starts is ended afterwards.
#   bench/memoria_menu.sh [RUNS] [PROGRAM]      (default 5 runs of build/cartavia)
set -euo pipefail
cd "$(dirname "$0")/.."
prove=${1:-5}
programma=$(realpath "${2:-build/cartavia}")
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
fine() {
    local pid
    pid=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null) && kill "$pid" 2>/dev/null
    rm -rf "$XDG_RUNTIME_DIR"
}
trap fine EXIT

misura() {
    for _ in $(seq "$prove"); do
        QT_QPA_PLATFORM=xcb PULSE_SERVER="unix:$XDG_RUNTIME_DIR/nessun-audio" "$programma" >/dev/null 2>&1 &
        pid=$!
        finestra=
        for _ in $(seq 200); do
            finestra=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [ -n "$finestra" ] && break
            sleep 0.05
        done
        sleep 2
        xdotool mousemove --window "$finestra" 5 5 click 1
        sleep 3
        awk '/^VmRSS/ { print $2 }' "/proc/$pid/status"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    done | sort -n | awk '{ kb[NR] = $1 } END {
        printf "VmRSS with the main menu open, %d runs: median %.1f MB, min %.1f, max %.1f\n",
               NR, kb[int((NR + 1) / 2)] / 1024, kb[1] / 1024, kb[NR] / 1024 }'
}

export prove programma
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f misura); misura"
