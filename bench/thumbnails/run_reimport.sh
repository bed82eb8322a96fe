#!/usr/bin/env bash
# Runs the re-import benchmark under Wine with its own prefix copy and display.
# Usage: bench/thumbnails/run_reimport.sh [pictures, default 3000]   (after tools/build.sh x64)
exec "$(cd "$(dirname "$0")/../.." && pwd)/tools/run_bench.sh" bench_reimport "$@"
