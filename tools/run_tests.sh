#!/usr/bin/env bash
# Runs every test of the 64-bit build under Wine inside its own Xvfb, with a
# fresh copy of the prefix template, one wineserver for the whole run, and the
# zh_CN locale (code page 936). Stops only what it started.
# Usage: tools/run_tests.sh [ctest arguments...]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
RUN_DIR="$ROOT/build/test-run"
rm -rf "$RUN_DIR"
export TEST_ARTIFACTS="$RUN_DIR/artifacts"
OWN_XVFB=1 begin_wine_session "$RUN_DIR" || exit 1
mkdir -p "$TEST_ARTIFACTS"
status=0
# A Wine process now and then hangs on its way out after its test passed: a
# test that fails or times out gets up to two more tries.
( cd "$ROOT/build/x64" && ctest --output-on-failure --timeout 180 --repeat until-pass:3 -j"$(nproc)" "$@" ) || status=$?
exit $status
