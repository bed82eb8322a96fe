#!/usr/bin/env bash
# Runs the thumbnail benchmark under Wine with its own prefix copy and display.
# Usage: bench/thumbnails/run.sh   (after tools/build.sh x64)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tools/wine_env.sh"
RUN_DIR=$(mktemp -d)
cp -a "$CACHE/wineprefix" "$RUN_DIR/prefix"
export WINEPREFIX="$RUN_DIR/prefix"
use_locale zh_CN 2>/dev/null
cleanup() { stop_wineserver; stop_xvfb; rm -rf "$RUN_DIR"; }
trap cleanup EXIT
start_xvfb || exit 1
start_wineserver
"$WINE" wineboot >/dev/null 2>&1 </dev/null || true
"$WINE" "$ROOT/build/x64/bin/bench_thumbnails.exe"
