#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarrowin from its build folder (its program
# folder: put the "*.txt" novels there).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Tarrowin needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 2
fi
exec "$root/build/Tarrowin"
