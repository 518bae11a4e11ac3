#!/usr/bin/env bash
# scripts/run.sh with no usable display, against builds made of the real tool
# and stand-ins: the tool's picture is saved and the run succeeds; a tool
# that ends before showing its window, or badly after being closed, fails the
# run with the reason; and nothing the run started outlives it.
# Usage: run_test.sh <scripts/run.sh> <build-dir>
set -uo pipefail
script=$1
real=$(cd "$2" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

fail() {
  echo "FAILED: $1" >&2
  echo "--- output:" >&2
  cat "$dir/out" >&2
  exit 1
}

# A build whose tool is the given program, beside the real picture helper.
build_with() {
  local b=$dir/$1
  mkdir -p "$b/apps/grantwell" "$b/tools/winshot"
  ln -s "$real/tools/winshot/gw_winshot" "$b/tools/winshot/gw_winshot"
  if [ -n "$2" ]; then
    printf '#!/bin/sh\n%s\n' "$2" >"$b/apps/grantwell/grantwell"
    chmod +x "$b/apps/grantwell/grantwell"
  else
    ln -s "$real/apps/grantwell/grantwell" "$b/apps/grantwell/grantwell"
  fi
  echo "$b"
}

# Runs the script in a session of its own, and fails if anything of that
# session (Xvfb, openbox, the tool) is still there after it.
run() {
  setsid bash "$script" "$@" >"$dir/out" 2>&1 &
  local pid=$!
  wait "$pid"
  status=$?
  local left
  left=$(pgrep -a -s "$pid") || return 0
  pkill -KILL -s "$pid"
  fail "processes of the run outlived it: $left"
}

# width and height from the PNG header, as "415 625"
size_of() {
  od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'
}

b=$(build_with tool "")
DISPLAY= run "$b"
[ "$status" -eq 0 ] || fail "the tool's run failed"
grep -q "A picture of its window: $b/grantwell.png" "$dir/out" || fail "the picture is not named"
[ "$(size_of "$b/grantwell.png")" = "415 625" ] || fail "the picture is not of the 415x625 window"

rm "$b/grantwell.png"
DISPLAY=:nonexistent run "$b" "Permissions=%staff:f"
[ "$status" -eq 0 ] || fail "the run on an unusable display failed"
grep -q 'The display ":nonexistent" does not answer' "$dir/out" || fail "no word on the display"
[ -f "$b/grantwell.png" ] || fail "no picture on an unusable display"

b=$(build_with early "exit 3")
DISPLAY= run "$b"
[ "$status" -ne 0 ] || fail "a tool that ended at once passed"
grep -q "ended (exit status 3) before showing its window" "$dir/out" || fail "no reason given"
[ ! -e "$b/grantwell.png" ] || fail "a picture of nothing"

b=$(build_with stand-in 'exec xmessage -name korvath-grantwell "$@"')
DISPLAY= run "$b"
[ "$status" -ne 0 ] || fail "a tool that ended badly after being closed passed"
grep -q "ended with exit status 1" "$dir/out" || fail "the exit status is not named"

b=$dir/empty
mkdir -p "$b"
DISPLAY= run "$b"
[ "$status" -ne 0 ] || fail "a build without the tool passed"
grep -q "is missing: build first" "$dir/out" || fail "no word on what is missing"
echo "1 passed, 0 failed"
