#!/usr/bin/env bash
# Rebuilds cartavia.ico (32x32 and 16x16, 16 colours) from the stop sign of the program.
# Needs ImageMagick; the result is committed, so a Windows build needs no tool.
set -euo pipefail
cd "$(dirname "$0")"
convert -background none -density 384 ../../resources/icone/stop.svg \
    -define icon:auto-resize=32,16 -colors 16 cartavia.ico
