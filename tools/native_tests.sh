#!/usr/bin/env bash
# Native (host) build of the GIF core: unit tests and the giflib comparison
# under AddressSanitizer + UndefinedBehaviorSanitizer, then a bounded fuzz run.
# Usage: tools/native_tests.sh [fuzz seconds, default 60]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/native"
FUZZ_SECONDS=${1:-60}
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT/anigif/native" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" -j"$(nproc)" -- --no-print-directory -s
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$BUILD/anigif_native_test"
if [ "$FUZZ_SECONDS" -gt 0 ]; then
  SEEDS="$BUILD/fuzz-seeds"
  CORPUS="$BUILD/fuzz-corpus"
  mkdir -p "$SEEDS" "$CORPUS"
  "$BUILD/make_corpus" "$SEEDS" >/dev/null
  "$BUILD/anigif_fuzz" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$BUILD/" "$CORPUS" "$SEEDS" 2>&1 | tail -n 15
fi
