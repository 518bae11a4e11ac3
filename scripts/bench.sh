#!/usr/bin/env bash
# Runs every benchmark program of a benchmark build.
# Usage: scripts/bench.sh <build-dir> [extra Google Benchmark flags]
set -euo pipefail
build=$1
shift
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$@"
done
