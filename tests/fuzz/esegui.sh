#!/usr/bin/env bash
# Fuzzes the catalogue reader with libFuzzer, AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, in its own clang build in build-fuzz/.
#   tests/fuzz/esegui.sh [SECONDS]        (default 60)
# Starts from the committed seeds in tests/fuzz/semi; what the fuzzer finds on the way goes
# to build-fuzz/corpus, and an input that breaks the reader to build-fuzz/crash-* (or leak-,
# timeout-, oom-). Exit status 0 when nothing was found.
set -euo pipefail
cd "$(dirname "$0")/../.."
secondi=${1:-60}

cmake -S . -B build-fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCARTAVIA_FUZZ=ON -DCARTAVIA_TESTS=OFF -DCARTAVIA_BENCH=OFF -DCARTAVIA_TOOLS=OFF >/dev/null
cmake --build build-fuzz --target fuzz_catalogo

mkdir -p build-fuzz/corpus
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
exec build-fuzz/tests/fuzz/fuzz_catalogo \
    -max_total_time="$secondi" \
    -timeout=5 \
    -rss_limit_mb=2048 \
    -max_len=16384 \
    -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ \
    build-fuzz/corpus tests/fuzz/semi
