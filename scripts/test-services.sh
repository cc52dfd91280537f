#!/usr/bin/env bash
# Starts what the tests need and prints the environment for them, as shell assignments:
# a PulseAudio server with a null sink (kept running by one silent stream, or its clock stalls
# after the first buffer), and an Xvfb display for the tests that need a real window.
# Every server runs under the state folder and its process id is kept there, so
# `test-services.sh stop` ends exactly what this state folder started and no other sound server
# or display of the machine.
set -uo pipefail
state=${TARROWIN_TEST_STATE:-/tmp/tarrowin-test-services}

# True when the process id kept in the file is alive and still runs the given program (a process
# id left from an earlier boot may since belong to someone else's process).
started_alive() {
  local pid
  pid=$(cat "$1" 2>/dev/null) || return 1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null &&
    tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null | grep -q "^[^ ]*$2"
}

stop_started() {
  if started_alive "$state/$1.pid" "$2"; then
    local pid
    pid=$(cat "$state/$1.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
}

if [ "${1:-}" = stop ]; then
  stop_started keepalive pacat
  stop_started pulseaudio pulseaudio
  stop_started xvfb Xvfb
  rm -rf "$state"
  exit 0
fi

mkdir -p "$state"
# A runtime folder of our own: the sound server's socket lives there, apart from a developer's.
export XDG_RUNTIME_DIR=$state/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

if ! started_alive "$state/pulseaudio.pid" pulseaudio; then
  pulseaudio --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit -n \
    --load="module-native-protocol-unix" --load="module-null-sink sink_name=tarrowin_null" \
    --load="module-always-sink" >/dev/null 2>&1 &
  echo $! > "$state/pulseaudio.pid"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
pactl set-default-sink tarrowin_null >/dev/null 2>&1
if ! started_alive "$state/keepalive.pid" pacat; then
  pacat --playback --device=tarrowin_null --format=s16le --rate=22050 --channels=1 < /dev/zero >/dev/null 2>&1 &
  echo $! > "$state/keepalive.pid"
fi

if [ ! -f "$state/xvfb.display" ] || ! started_alive "$state/xvfb.pid" Xvfb; then
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
