#!/usr/bin/env bash
# Starts what the tests need and prints the environment for them, as shell assignments:
# a PulseAudio server with a null sink (kept running by one silent stream, or its clock stalls
# after the first buffer), and an Xvfb display for the tests that need a real window.
# `test-services.sh stop` ends them again.
set -uo pipefail
state=${TARROWIN_TEST_STATE:-/tmp/tarrowin-test-services}

if [ "${1:-}" = stop ]; then
  [ -f "$state/keepalive.pid" ] && kill "$(cat "$state/keepalive.pid")" 2>/dev/null
  [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null
  pulseaudio --kill 2>/dev/null
  rm -rf "$state"
  exit 0
fi

mkdir -p "$state"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$state/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

if ! pactl info >/dev/null 2>&1; then
  pulseaudio -D --system=false --exit-idle-time=-1 --disallow-exit -n \
    --load="module-native-protocol-unix" --load="module-null-sink sink_name=tarrowin_null" \
    --load="module-always-sink" >/dev/null 2>&1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
pactl set-default-sink tarrowin_null >/dev/null 2>&1
if [ ! -f "$state/keepalive.pid" ] || ! kill -0 "$(cat "$state/keepalive.pid")" 2>/dev/null; then
  pacat --playback --device=tarrowin_null --format=s16le --rate=22050 --channels=1 < /dev/zero >/dev/null 2>&1 &
  echo $! > "$state/keepalive.pid"
fi

if [ ! -f "$state/xvfb.display" ] || ! kill -0 "$(cat "$state/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
  # The first display number that no other X server holds.
  number=97
  while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  echo ":$number" > "$state/xvfb.display"
  for _ in $(seq 50); do xdpyinfo -display ":$number" >/dev/null 2>&1 && break; sleep 0.1; done
fi
display=$(cat "$state/xvfb.display")

echo "export XDG_RUNTIME_DIR='$XDG_RUNTIME_DIR'"
echo "export TARROWIN_XVFB_DISPLAY='$display'"
echo "export TARROWIN_NULL_SINK='tarrowin_null'"
