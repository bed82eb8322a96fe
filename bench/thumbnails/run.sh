#!/usr/bin/env bash
# Runs the thumbnail benchmark under Wine with its own prefix copy and display.
# Usage: bench/thumbnails/run.sh   (after tools/build.sh x64)
exec "$(cd "$(dirname "$0")/../.." && pwd)/tools/run_bench.sh" bench_thumbnails "$@"
