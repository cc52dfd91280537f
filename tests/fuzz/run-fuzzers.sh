#!/usr/bin/env bash
# run-fuzzers.sh BIN_FOLDER [SECONDS]
# Runs every fuzz target of BIN_FOLDER (a TARROWIN_FUZZ build's tests/fuzz) for SECONDS each
# (default 60), starting from its seed corpus in corpus/<target> beside this script. New inputs go
# to BIN_FOLDER/scratch, never into the project. A crash, a sanitizer report, a failed check, an
# input that takes over 10 s or a leak fails the run; the input is kept in
# BIN_FOLDER/crashes/<target>/ (copy it into the target's corpus so that every build checks it).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:?usage: run-fuzzers.sh BIN_FOLDER [SECONDS]}
seconds=${2:-60}
status=0
for seeds in "$here"/corpus/*/; do
  name=$(basename "$seeds")
  scratch=$bin/scratch/$name
  crashes=$bin/crashes/$name
  rm -rf "$scratch"
  mkdir -p "$scratch" "$crashes"
  start=$SECONDS
  if "$bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
      -artifact_prefix="$crashes/" -print_final_stats=1 "$scratch" "$seeds" >"$bin/$name.log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$bin/$name.log" | grep -o '[0-9]*$') runs in $((SECONDS - start)) s, no failure"
  else
    echo "$name FAILED after $((SECONDS - start)) s; the input is in $crashes. End of its log:"
    tail -n 40 "$bin/$name.log"
    status=1
  fi
done
exit $status
