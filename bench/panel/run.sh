#!/usr/bin/env bash
# Prepares a library of 1,000 emoticons in 10 categories (once) and runs the
# panel benchmark under Wine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
APP="$ROOT/build/bench-panel"
BIN="$ROOT/build/x64/bin"
mkdir -p "$APP"
[ -d "$APP/Face" ] || python3 "$ROOT/tools/make_demo_library.py" "$APP" --categories 10 --per-category 100
cp "$BIN/Tarnwick.exe" "$BIN/QQ.exe" "$BIN/unrar.dll" "$BIN/Thumbs.mdb" "$APP/"
exec "$ROOT/tools/run_bench.sh" panel_bench 'Z:'"${APP//\//\\}"
