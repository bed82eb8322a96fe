#!/usr/bin/env bash
# Runs every test of the 64-bit build under Wine inside its own Xvfb, with a
# fresh copy of the prefix template, one wineserver for the whole run, and the
# zh_CN locale (code page 936). Stops only what it started.
# Usage: tools/run_tests.sh [ctest arguments...]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
BUILD="$ROOT/build/x64"
RUN_DIR="$ROOT/build/test-run"
rm -rf "$RUN_DIR"; mkdir -p "$RUN_DIR"
cp -a "$CACHE/wineprefix" "$RUN_DIR/prefix"
export WINEPREFIX="$RUN_DIR/prefix"
export TEST_ARTIFACTS="$RUN_DIR/artifacts"
mkdir -p "$TEST_ARTIFACTS"
use_locale zh_CN 2>/dev/null

cleanup() { stop_wineserver; stop_xvfb; }
trap cleanup EXIT
start_xvfb || exit 1
start_wineserver
# Wine's first program starts the prefix's system processes; start them here,
# detached from ctest's output pipes, which they would otherwise hold open.
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true

status=0
( cd "$BUILD" && ctest --output-on-failure --timeout 180 -j"$(nproc)" "$@" ) || status=$?
exit $status
