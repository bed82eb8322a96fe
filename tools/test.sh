#!/usr/bin/env bash
# The test command: sets the machine up, builds both architectures and runs
# every test. Exits non-zero on any failure.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" all
"$ROOT/tools/run_tests.sh" "$@"
"$ROOT/tools/native_tests.sh" 60
