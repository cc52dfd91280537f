#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) and runs every test with the
# services they need (a PulseAudio null sink, an Xvfb display). `test.sh --quick` stops after the
# build and the plain test suite, for everyday work.
#
# The tests run in parallel, one per processor; those that speak in real time take turns in a
# lane of their own beside the others (see cmake/TarrowinTest.cmake). At the end a table gives
# the seconds of every stage, and the count of test functions and data rows that ran.
set -euo pipefail
quick=false
case "${1:-}" in
  "") ;;
  --quick) quick=true ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

# The stage table: each stage's name and seconds, printed when the script ends, however it ends.
stage_names=()
stage_seconds=()
stage_start=$SECONDS
stage_done() {
  stage_names+=("$1")
  stage_seconds+=($((SECONDS - stage_start)))
  echo "== $1 took $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}
print_stages() {
  local i
  echo
  printf '%-18s %8s\n' stage seconds
  for i in "${!stage_names[@]}"; do
    printf '%-18s %8d\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
  done
  printf '%-18s %8d\n' total "$SECONDS"
}

services=false
finish() {
  local status=$?
  if $services; then
    "$root/scripts/test-services.sh" stop
  fi
  print_stages
  if [ "$status" -ne 0 ]; then
    echo "FAILED (exit status $status)"
  fi
}
trap finish EXIT

"$root/scripts/setup.sh"
stage_done setup
"$root/scripts/build.sh" "$root/build"
stage_done build

eval "$("$root/scripts/test-services.sh")"
services=true

# Runs one build folder's ctest suite and adds to the totals of the closing lines: the tests
# ctest ran, and the test functions and data rows they ran (each QtTest writes its log to
# test-results/ in the build; set-up and tidy-up functions are not counted). Every run starts
# with empty folders of the tests' own (test-home/ in the build).
passed=0
checks=0
skipped=0
run_suite() {
  local log results
  log=$(mktemp)
  results=$1/test-results
  rm -rf "$results" "$1/test-home" && mkdir -p "$results"
  (cd "$1" && ctest --output-on-failure --parallel "$jobs" --timeout "$2" "${@:3}") | tee "$log"
  passed=$((passed + $(grep -o 'out of [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$')))
  rm -f "$log"
  local ran skip
  ran=$(cat "$results"/*.txt | grep -E '^(PASS|FAIL!|SKIP|XFAIL|XPASS|BPASS|BFAIL|BXPASS|BXFAIL) +: ' |
          grep -cvE '::(initTestCase|cleanupTestCase)\(\)' || true)
  skip=$(cat "$results"/*.txt | grep -E '^SKIP +: ' | grep -cvE '::(initTestCase|cleanupTestCase)\(\)' || true)
  echo "== $1: $ran test functions and data rows ran ($skip of them skipped)"
  checks=$((checks + ran))
  skipped=$((skipped + skip))
}

run_suite "$root/build" 600
stage_done tests
if $quick; then
  echo "Totals: $passed passed, 0 failed; $checks test functions and data rows ($skipped skipped) (quick: no sanitizer build, no fuzzing)"
  exit 0
fi

# Then the whole suite again (but for the walks through whole novels), built with clang,
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzer's coverage hooks; the same build's
# fuzz targets then run for a bounded time each. Any sanitizer report fails the test that made it.
# No strict string checks: libxkbcommon-x11 (the X display's keyboard map, in the end-to-end test)
# hands strndup a buffer that is not NUL-terminated, a report about a system library.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:print_stacktrace=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks inside system libraries (fontconfig and the like) only; never one of ours.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-system-libraries.supp:print_suppressions=0

CXX=clang++ "$root/scripts/build.sh" "$root/build-asan" -DCMAKE_CXX_COMPILER=clang++ \
  -DTARROWIN_SANITIZE=ON -DTARROWIN_FUZZ=ON -DTARROWIN_BUILD_BENCH=OFF
stage_done "sanitizer build"
run_suite "$root/build-asan" 900 --label-exclude whole-corpus
stage_done "sanitizer tests"

fuzz_log=$(mktemp)
"$root/tests/fuzz/run-fuzzers.sh" "$root/build-asan/tests/fuzz" "${TARROWIN_FUZZ_SECONDS:-45}" | tee "$fuzz_log"
passed=$((passed + $(grep -c ', no failure$' "$fuzz_log")))
rm -f "$fuzz_log"
stage_done fuzzing

# Every stage above stops the script on its first failure, so reaching here means none failed.
echo "Totals: $passed passed, 0 failed; $checks test functions and data rows ($skipped skipped)"
