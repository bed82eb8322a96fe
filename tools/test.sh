#!/usr/bin/env bash
# The test command: sets the machine up, builds both architectures, runs every
# test under Wine, then the GIF core's native tests and a bounded fuzz run.
# Exits non-zero on any failure; the last line sums up the tests.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" all
mkdir -p "$ROOT/build"
WINE_LOG="$ROOT/build/wine-tests.log"
NATIVE_LOG="$ROOT/build/native-tests.log"
"$ROOT/tools/run_tests.sh" "$@" 2>&1 | tee "$WINE_LOG"
"$ROOT/tools/native_tests.sh" 60 2>&1 | tee "$NATIVE_LOG"
# "100% tests passed, 0 tests failed out of 426" and "[  PASSED  ] 49 tests."
wine_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$WINE_LOG" | tail -1)
wine_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$WINE_LOG" | tail -1)
native_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\..*/\1/p' "$NATIVE_LOG" | tail -1)
echo "$(( ${wine_total:-0} - ${wine_failed:-0} + ${native_passed:-0} )) passed, ${wine_failed:-0} failed"
