#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each, starting from
# a scratch copy of its seed corpus (fuzz/corpus/<target>).
# Usage: scripts/fuzz.sh <build-dir> <seconds>
set -euo pipefail
build=$1
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$work/"
  echo "== $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=0 "$work" 2>"$work.log"; then
    tail -n 40 "$work.log"
    echo "FAILED: $name"
    status=1
  else
    grep -E '^Done|#[0-9]+.*DONE' "$work.log" | tail -n 1 || true
  fi
  rm -rf "$work" "$work.log"
done
exit $status
