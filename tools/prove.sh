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
# e2e_lettura_voce is left out here: under the sanitizers the program with the speech module
# never reaches the accessibility tree within the case's 15 s (seen twice, no sanitizer report);
# it runs in ./test. To be looked into.
ctest --preset asan -E '^e2e_lettura_voce$'
