#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks) and runs every test with the
# services they need (a PulseAudio null sink, an Xvfb display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"

eval "$("$root/scripts/test-services.sh")"
trap '"$root/scripts/test-services.sh" stop' EXIT

cd "$root/build"
ctest --output-on-failure --timeout 600
