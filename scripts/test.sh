#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) and runs every test with the
# services they need (a PulseAudio null sink, an Xvfb display). `test.sh --quick` stops after the
# first stage (the build and the plain test suite), for everyday work.
set -euo pipefail
quick=false
case "${1:-}" in
  "") ;;
  --quick) quick=true ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

eval "$("$root/scripts/test-services.sh")"
trap '"$root/scripts/test-services.sh" stop' EXIT

# Runs one build folder's ctest suite and adds its test count to the total of the closing line.
passed=0
run_suite() {
  local log
  log=$(mktemp)
  (cd "$1" && ctest --output-on-failure --timeout "$2" "${@:3}") | tee "$log"
  passed=$((passed + $(grep -o 'out of [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$')))
  rm -f "$log"
}

run_suite "$root/build" 600

# Then the whole suite again (but for the walks through whole novels), built with AddressSanitizer
# and UndefinedBehaviorSanitizer, and the fuzz targets for a bounded time each. Any sanitizer report fails the test that made it.
stage_start=0
stage_done() {
  echo "== $1 took $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}
stage_done "build and test"
if $quick; then
  echo "Totals: $passed passed, 0 failed (quick: no sanitizer build, no fuzzing)"
  exit 0
fi

# No strict string checks: libxkbcommon-x11 (the X display's keyboard map, in the end-to-end test)
# hands strndup a buffer that is not NUL-terminated, a report about a system library.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:print_stacktrace=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks inside system libraries (fontconfig and the like) only; never one of ours.
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-system-libraries.supp:print_suppressions=0

"$root/scripts/build.sh" "$root/build-asan" -DTARROWIN_SANITIZE=ON -DTARROWIN_BUILD_BENCH=OFF
run_suite "$root/build-asan" 900 --label-exclude whole-corpus
stage_done "sanitizer build and test"

# Only the fuzz targets and what they link are built here.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARROWIN_FUZZ=ON -DTARROWIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-fuzz" --target fuzz_targets --parallel "$(nproc)"
stage_done "fuzz build"
fuzz_log=$(mktemp)
"$root/tests/fuzz/run-fuzzers.sh" "$root/build-fuzz/tests/fuzz" "${TARROWIN_FUZZ_SECONDS:-45}" | tee "$fuzz_log"
passed=$((passed + $(grep -c ', no failure$' "$fuzz_log")))
rm -f "$fuzz_log"
stage_done "fuzzing"

# Every stage above stops the script on its first failure, so reaching here means none failed.
echo "Totals: $passed passed, 0 failed"
