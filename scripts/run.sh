#!/usr/bin/env bash
# Installs what is missing for running, builds the program, and starts Tarrowin from its build
# folder (its program folder: put the "*.txt" novels there). Test tools are neither installed nor
# built; scripts/setup.sh and scripts/build.sh do that.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --run
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --parallel "$(nproc)" --target Tarrowin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Tarrowin needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 2
fi
exec "$root/build/Tarrowin"
