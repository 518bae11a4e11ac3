#!/usr/bin/env bash
# scripts/bench.sh against stand-in benchmark programs: one that fails in the
# middle must not keep the later ones from running, and the run must end by
# naming it and failing; a build without programs fails too.
set -uo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/build/bench" "$dir/empty/bench"
printf '#!/bin/sh\necho "a ran $*"\n' >"$dir/build/bench/bench_a"
printf '#!/bin/sh\necho "b ran"\nexit 3\n' >"$dir/build/bench/bench_b"
printf '#!/bin/sh\necho "c ran $*"\n' >"$dir/build/bench/bench_c"
printf 'not a program\n' >"$dir/build/bench/bench_notes.txt"
chmod +x "$dir"/build/bench/bench_[abc]

fail() {
  echo "FAILED: $1" >&2
  echo "--- output:" >&2
  cat "$dir/out" >&2
  exit 1
}

bash "$script" "$dir/build" --flag >"$dir/out" 2>&1
status=$?
[ "$status" -ne 0 ] || fail "a failed program left the exit status 0"
grep -qx "a ran --flag" "$dir/out" || fail "the flags did not reach the first program"
grep -qx "c ran --flag" "$dir/out" || fail "the program after the failed one did not run"
grep -q "bench_b (exit status 3)" "$dir/out" || fail "the summary does not name the failed program"
grep -q "bench_notes" "$dir/out" && fail "a file that is not a program was run"

rm "$dir/build/bench/bench_b"
bash "$script" "$dir/build" >"$dir/out" 2>&1 || fail "a run without failures failed"

bash "$script" "$dir/empty" >"$dir/out" 2>&1 && fail "a build without programs passed"
echo "1 passed, 0 failed"
