#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tarrowin need, and only
# those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libicu-dev libespeak-ng-dev espeak-ng-data
  libbenchmark-dev
  clang libclang-rt-14-dev
  libsndfile1-dev libsoxr-dev
  pulseaudio pulseaudio-utils libpulse-dev sox
  xvfb xauth x11-utils imagemagick
  fonts-arphic-ukai fonts-noto-cjk
  qt6-translations-l10n
  dpkg-dev file
  desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
