#!/usr/bin/env bash
# Runs every test of the 64-bit build under Wine inside its own Xvfb, with a
# fresh copy of the prefix template, one wineserver for the whole run, and the
# zh_CN locale (code page 936). Stops only what it started.
#
# Every test runs once. One case alone gets a second try, and is named in the
# closing lines: a test that printed its pass line and then failed on its way
# out of the process, that is, it timed out (a process still held its output
# open) or the Unix loader stopped the exiting Wine process with its
# "Inconsistency detected by ld.so" assertion, a rare race inside Wine's exit
# that no test code runs in. A program that ends at its start with no output
# is a failure like any other: Wine runs through its preloader (the setup
# installs it), without which that happened now and then.
# Usage: tools/run_tests.sh [ctest arguments...]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/tools/wine_env.sh"
RUN_DIR="$ROOT/build/test-run"
rm -rf "$RUN_DIR"
export TEST_ARTIFACTS="$RUN_DIR/artifacts"
OWN_XVFB=1 begin_wine_session "$RUN_DIR" || exit 1
mkdir -p "$TEST_ARTIFACTS"
run_ctest() { # log file, ctest arguments...
  local log=$1
  shift
  ( cd "$ROOT/build/x64" && ctest --output-on-failure --timeout 180 -j"$(nproc)" "$@" ) 2>&1 | tee "$log"
  return "${PIPESTATUS[0]}"
}
# The tests of a ctest log that failed after their pass line: "name<TAB>why".
failed_on_the_way_out() {
  awk 'function flush() {
         if (name != "" && failed && passed && !failures && (timeout || loader))
           print name "\t" (timeout ? "timed out after passing" : "loader assertion at exit after passing")
         name = ""
       }
       /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
         flush(); name = $4; failed = /\*\*\*/; timeout = /\*\*\*Timeout/; passed = failures = loader = 0; next
       }
       /^ *Start +[0-9]+: / { flush(); next }
       /^\[  PASSED  \] [1-9]/ { passed = 1 }
       /^\[  FAILED  \] / { failures = 1 }
       /^Inconsistency detected by ld\.so: / { loader = 1 }
       END { flush() }' "$1"
}
summary() { # log file: "<failed> <total>" of its closing ctest line
  sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1
}

run_ctest "$RUN_DIR/ctest.log" "$@"
status=$?
retry=$(failed_on_the_way_out "$RUN_DIR/ctest.log")
[ -z "$retry" ] && exit "$status"

read -r failed total < <(summary "$RUN_DIR/ctest.log")
pattern=$(cut -f1 <<<"$retry" | sed 's/[][\.*^$+?(){}|]/\\&/g' | paste -sd'|')
echo
echo "Second try of the tests that failed on their way out after passing:"
run_ctest "$RUN_DIR/second-try.log" -R "^($pattern)\$"
read -r still _ < <(summary "$RUN_DIR/second-try.log")
echo
echo "Needed a second try:"
while IFS=$'\t' read -r name why; do
  if grep -Eq "Test +#[0-9]+: $(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$name") .*Passed" "$RUN_DIR/second-try.log"; then
    echo "  $name ($why): passed the second time"
  else
    echo "  $name ($why): failed again"
  fi
done <<<"$retry"
failed=$(( failed - $(wc -l <<<"$retry") + ${still:-0} ))
echo "Overall: $(( total - failed )) tests passed, $failed tests failed out of $total"
[ "$failed" -eq 0 ]
