#!/usr/bin/env bash
# Runs every benchmark program of a benchmark build. A program that fails does
# not stop the others: the failed ones are named at the end, and the exit
# status is then non-zero.
# Usage: scripts/bench.sh <build-dir> [extra Google Benchmark flags]
set -uo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 <build-dir> [extra Google Benchmark flags]" >&2
  exit 2
fi
build=$1
shift
ran=0
failed=()
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  ran=$((ran + 1))
  echo "== $(basename "$b")"
  "$b" "$@"
  status=$?
  if [ "$status" -ne 0 ]; then
    failed+=("$(basename "$b") (exit status $status)")
    echo "== $(basename "$b") failed with exit status $status" >&2
  fi
done
if [ "$ran" -eq 0 ]; then
  echo "no benchmark programs in $build/bench: build with -DGW_BENCH=ON first" >&2
  exit 1
fi
if [ ${#failed[@]} -ne 0 ]; then
  echo "== ${#failed[@]} of $ran benchmark programs failed:" >&2
  printf '   %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "== all $ran benchmark programs ran"
