#!/usr/bin/env bash
# A long fuzz run of the GIF core (default one hour); crashes land in build/native.
# Usage: tools/fuzz_long.sh [seconds]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/native_tests.sh" "${1:-3600}"
