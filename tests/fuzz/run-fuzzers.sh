#!/usr/bin/env bash
# run-fuzzers.sh BIN_FOLDER [SECONDS]
# Runs every fuzz target of BIN_FOLDER (a TARROWIN_FUZZ build's tests/fuzz) for SECONDS each
# (default 60), two at a time (TARROWIN_FUZZ_JOBS sets how many), starting from its seed corpus
# in corpus/<target> beside this script. New inputs go to BIN_FOLDER/scratch, never into the
# project. A crash, a sanitizer report, a failed check, an
# input that takes over 10 s or a leak fails the run; the input is kept in
# BIN_FOLDER/crashes/<target>/ (copy it into the target's corpus so that every build checks it).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:?usage: run-fuzzers.sh BIN_FOLDER [SECONDS]}
seconds=${2:-60}
# Targets run side by side, this many at a time (each is one process on one processor).
at_once=${TARROWIN_FUZZ_JOBS:-2}

# Fuzzes one target and writes its verdict line to BIN_FOLDER/NAME.verdict (and a failure's log
# tail after it); exits non-zero when the target failed.
fuzz_one() {
  local name=$1 seeds=$2
  local scratch=$bin/scratch/$name crashes=$bin/crashes/$name verdict=$bin/$name.verdict
  rm -rf "$scratch"
  mkdir -p "$scratch" "$crashes"
  local start=$SECONDS
  if "$bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -artifact_prefix="$crashes/" -print_final_stats=1 "$scratch" "$seeds" >"$bin/$name.log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$bin/$name.log" | grep -o '[0-9]*$') runs in $((SECONDS - start)) s, no failure" >"$verdict"
  else
    { echo "$name FAILED after $((SECONDS - start)) s; the input is in $crashes. End of its log:"
      tail -n 40 "$bin/$name.log"; } >"$verdict"
    return 1
  fi
}

status=0
names=()
pids=()
# Waits for every started target and prints their verdicts in the order they were started.
collect() {
  local i
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
    cat "$bin/${names[$i]}.verdict"
  done
  names=()
  pids=()
}
for seeds in "$here"/corpus/*/; do
  name=$(basename "$seeds")
  fuzz_one "$name" "$seeds" &
  names+=("$name")
  pids+=($!)
  if [ "${#pids[@]}" -ge "$at_once" ]; then
    collect
  fi
done
collect
exit $status
