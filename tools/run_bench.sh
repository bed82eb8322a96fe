#!/usr/bin/env bash
# Runs a benchmark program of the 64-bit build under Wine, in the same setting
# as the tests (own Xvfb, fresh prefix copy, one wineserver, zh_CN locale).
# Usage: tools/run_bench.sh <program name, e.g. detection_bench> [arguments...]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
[ $# -ge 1 ] || { echo "usage: $0 <bench program> [args...]" >&2; exit 2; }
prog="$ROOT/build/x64/bin/$1.exe"; shift
[ -f "$prog" ] || { echo "not built: $prog (run tools/build.sh x64)" >&2; exit 1; }
OWN_XVFB=1 begin_wine_session "$ROOT/build/bench-run" || exit 1
( cd "$ROOT/build/x64/bin" && "$WINE" "$prog" "$@" ) 2>/dev/null
