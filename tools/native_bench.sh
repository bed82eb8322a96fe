#!/usr/bin/env bash
# GIF decoding benchmark: our core against giflib, natively.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/native_tests.sh" 0 >/dev/null
"$ROOT/build/native/anigif_bench"
