#!/usr/bin/env bash
# The proofs beyond ./test: the catalogue reader under libFuzzer, then the whole suite
# under AddressSanitizer and UndefinedBehaviorSanitizer.
#   tools/prove.sh [FUZZ_SECONDS]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/prepara.sh
installa_mancanti "${PACCHETTI[@]}" "${PACCHETTI_TEST[@]}" "${PACCHETTI_PROVE[@]}"

tests/fuzz/esegui.sh "${1:-60}"

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
