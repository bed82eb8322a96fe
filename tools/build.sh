#!/usr/bin/env bash
# Configures and builds both Windows architectures (64-bit runs and is tested
# here; 32-bit is compiled for the 32-bit QQ client's users).
# Usage: tools/build.sh [x64|x86|all]   (default all)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
which=${1:-all}
JOBS=$(nproc)
build_arch() { # arch triplet
  local dir="$ROOT/build/$1"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$2.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$dir" -j"$JOBS" -- --no-print-directory -s
}
case "$which" in
  x64) build_arch x64 x86_64 ;;
  x86) build_arch x86 i686 ;;
  all) build_arch x64 x86_64; build_arch x86 i686 ;;
  *) echo "usage: $0 [x64|x86|all]" >&2; exit 2 ;;
esac
