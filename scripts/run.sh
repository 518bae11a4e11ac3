#!/usr/bin/env bash
# Runs the tool from a build. On a usable display it starts there and this
# returns when it is closed. Where there is none (DISPLAY unset or not
# answering: a fresh server, CI), it starts a private Xvfb with openbox, runs
# the tool there, saves a picture of its window, closes it through the window
# manager, checks that it ended with exit status 0 and says where the picture
# is. Arguments (name=value) replace the sample Permissions list.
# Usage: scripts/run.sh <build-dir> [name=value...]
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 <build-dir> [name=value...]" >&2
  exit 2
fi
build=$1
shift
tool=$build/apps/grantwell/grantwell
window=korvath-grantwell
picture=$build/grantwell.png
args=("$@")
# Users, groups, everybody, and a custom set that denies one feature.
[ ${#args[@]} -ne 0 ] || args=("Permissions=alice:v,bob:chkprst!q,%staff:d,%users:f,*:v")

for f in "$tool" "$build/tools/winshot/gw_winshot"; do
  if [ ! -x "$f" ]; then
    echo "$f is missing: build first (make build)" >&2
    exit 1
  fi
done

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$tool" "${args[@]}"
fi
[ -z "${DISPLAY:-}" ] || echo "The display \"$DISPLAY\" does not answer: using a private one." >&2

xvfb_pid=""
wm_pid=""
stop() {
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  # Xvfb can miss a SIGTERM that comes just as it goes to sleep, and then
  # sleeps on for minutes: the request is repeated until it has ended (the
  # shell reaps it at once, so that kill then fails).
  while [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; do
    timeout 0.1 tail --pid="$xvfb_pid" -s 0.01 -f /dev/null || true
  done
  wait 2>/dev/null || true
}
trap stop EXIT

# Xvfb picks a free display number and writes it once it accepts clients.
coproc xvfb { exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null; }
xvfb_pid=$xvfb_PID
if ! read -r -t 30 -u "${xvfb[0]}" number; then
  echo "Xvfb did not come up within 30 s (is xvfb installed? bash scripts/setup.sh)" >&2
  exit 1
fi
export DISPLAY=:$number
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!

"$build/tools/winshot/gw_winshot" --wm "$window" "$picture" -- "$tool" "${args[@]}"
echo "No usable display here: the tool ran on a private X server with openbox, was"
echo "closed through the window manager and ended with exit status 0."
echo "A picture of its window: $picture"
