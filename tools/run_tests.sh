#!/usr/bin/env bash
# Runs every test of the 64-bit build under Wine inside its own Xvfb, with a
# fresh copy of the prefix template, one wineserver for the whole run, and the
# zh_CN locale (code page 936). Stops only what it started.
# Every test runs once: a test that fails now and then shows as failed.
# Usage: tools/run_tests.sh [ctest arguments...]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
RUN_DIR="$ROOT/build/test-run"
rm -rf "$RUN_DIR"
export TEST_ARTIFACTS="$RUN_DIR/artifacts"
OWN_XVFB=1 begin_wine_session "$RUN_DIR" || exit 1
mkdir -p "$TEST_ARTIFACTS"
CTEST_LOG="$RUN_DIR/ctest.log"
( cd "$ROOT/build/x64" && ctest --output-on-failure --timeout 180 -j"$(nproc)" "$@" ) 2>&1 | tee "$CTEST_LOG"
status=${PIPESTATUS[0]}
# A test that timed out after printing its pass line was held up on its way
# out (a process still holding its output, or an exit that never finished):
# name those apart from the ones that failed on their own.
held=$(awk '/\*\*\*Timeout/ { name = $4; next }
            name != "" && /^\[  PASSED  \]/ { print "  " name; name = "" }
            /^ *[0-9]+\/[0-9]+ Test +#/ { name = "" }' "$CTEST_LOG")
if [ -n "$held" ]; then
  echo "Timed out after their pass line (held up on the way out):"
  echo "$held"
fi
exit "$status"
