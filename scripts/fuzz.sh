#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build side by side, one per core, each for
# the given number of seconds from a scratch copy of its seed corpus
# (fuzz/corpus/<target>). Everything a run leaves goes under the build folder:
# <build>/fuzz-runs/<target>.log, and crash, timeout and leak inputs as
# <build>/fuzz-runs/<target>-crash-<hash> and the like. A failing run's log
# is printed, and the executions of every target are listed at the end. The
# previous run's folder is kept as <build>/fuzz-runs.prev.
# Usage: scripts/fuzz.sh <build-dir> <seconds> [parallel runs]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-20}
jobs=${3:-$(nproc)}
root=$(cd "$(dirname "$0")/.." && pwd)
runs=$build/fuzz-runs
rm -rf "$runs.prev"
[ -d "$runs" ] && mv "$runs" "$runs.prev"
mkdir -p "$runs"

run_one() {
  local target=$1 seconds=$2 root=$3 runs=$4
  local name
  name=$(basename "$target")
  local corpus=$runs/$name.corpus
  mkdir -p "$corpus"
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$corpus/"
  # UBSan stops at its first report (the build says so); the trace makes the
  # report readable from the log alone.
  if UBSAN_OPTIONS=print_stacktrace=1 "$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$runs/$name-" "$corpus" \
      >"$runs/$name.log" 2>&1; then
    echo ok >"$runs/$name.status"
  else
    echo FAILED >"$runs/$name.status"
  fi
  rm -rf "$corpus"
  echo "$name: $(cat "$runs/$name.status")"
}
export -f run_one

echo "== fuzzing each target for ${seconds}s, $jobs at a time"
targets=()
for t in "$build"/fuzz/fuzz_*; do
  [ -x "$t" ] && targets+=("$t")
done
printf '%s\n' "${targets[@]}" |
  xargs -P "$jobs" -I{} bash -c 'run_one "$1" "$2" "$3" "$4"' _ {} "$seconds" "$root" "$runs"

status=0
for t in "${targets[@]}"; do
  name=$(basename "$t")
  if [ "$(cat "$runs/$name.status" 2>/dev/null)" != ok ]; then
    echo "== FAILED: $name (log: $runs/$name.log)"
    tail -n 60 "$runs/$name.log"
    ls "$runs/$name"-* 2>/dev/null || true
    status=1
  fi
done

echo "== executions per target in ${seconds}s"
for t in "${targets[@]}"; do
  name=$(basename "$t")
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$runs/$name.log" | tail -n 1)
  printf '%-20s %12s  %s\n' "$name" "${execs:-?}" "$(cat "$runs/$name.status" 2>/dev/null)"
done
exit $status
