#!/usr/bin/env bash
# Runs every benchmark of a build (default: build) and prints one table: each figure, its limit
# measured in the same run, their ratio, and the greatest ratio the goal allows. Benchmarks that
# need a display run offscreen; the speech figures use the sound server when one answers. The
# listening benchmark reads aloud for ten minutes ($TARROWIN_LISTEN_SECONDS changes that).
# Each benchmark's own output goes to <build>/bench-logs/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
logs=$dir/bench-logs
mkdir -p "$logs"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The benchmarks lie beside the dictionary's build folder, not in it.
export TARROWIN_MANDARIN_DICT=${TARROWIN_MANDARIN_DICT:-$dir/mandarin.dict}

rows=()
for bench in bench/core/bench_core bench/core/bench_chapters bench/readaloud/bench_readaloud_search bench/readaloud/bench_readaloud_startup bench/readaloud/bench_readaloud_listening bench/reader/bench_reader bench/reader/bench_follow bench/shelf/bench_shelf bench/speech/bench_speech bench/speech/bench_export bench/speech/bench_reading bench/speech/bench_heard bench/rules/bench_rules; do
  name=$(basename "$bench")
  if [ ! -x "$dir/$bench" ]; then
    echo "missing $dir/$bench: build first (scripts/build.sh)" >&2
    continue
  fi
  echo "running $name ..." >&2
  "$dir/$bench" > "$logs/$name.txt" 2>&1 || echo "$name ended with an error, see $logs/$name.txt" >&2
  while IFS= read -r line; do rows+=("$line"); done < <(grep '^TABLE|' "$logs/$name.txt" | cut -d'|' -f2-)
done

printf '| %s | %s | %s | %s | %s |\n' "Measure" "Figure" "Limit (same run)" "Ratio" "Goal"
printf '|---|---:|---:|---:|---:|\n'
for row in "${rows[@]}"; do
  IFS='|' read -r what figure limit unit goal <<< "$row"
  ratio=$(awk -v f="$figure" -v l="$limit" 'BEGIN { if (l > 0) printf "%.2f", f / l; else print "-" }')
  within=$(awk -v r="$ratio" -v g="$goal" 'BEGIN { print (r != "-" && r <= g) ? "within" : "OUTSIDE" }')
  printf '| %s | %s %s | %s %s | %s | <= %s %s |\n' "$what" "$figure" "$unit" "$limit" "$unit" "$ratio" "$goal" "$within"
done
