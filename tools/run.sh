#!/usr/bin/env bash
# The run command: sets up, builds, and starts the panel under Wine with a
# demo library. Without a display it starts its own Xvfb.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" x64
. "$ROOT/tools/wine_env.sh"
RUN_DIR="$ROOT/build/demo"
mkdir -p "$RUN_DIR"
if [ ! -f "$RUN_DIR/prefix/.ready" ]; then
  rm -rf "$RUN_DIR/prefix"; cp -a "$CACHE/wineprefix" "$RUN_DIR/prefix"
fi
export WINEPREFIX="$RUN_DIR/prefix"
use_locale zh_CN 2>/dev/null
trap 'stop_wineserver; stop_xvfb' EXIT
if [ -z "${DISPLAY:-}" ]; then start_xvfb; fi
start_wineserver
"$WINE" "$ROOT/build/x64/bin/Tarnwick.exe"
