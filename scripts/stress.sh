#!/usr/bin/env bash
# Runs the tests that drive an X server (ctest label x11: the X layer, the
# dialogs, the window-picture helper, the tool end to end) round after round,
# several copies side by side, beside busy processes that keep every core
# taken, as on a CI machine doing other work. Such a test must wait for what
# its next step needs (a window mapped, managed, focused, a grab released, a
# dump that shows the change), never for a time; one that fails only here
# does not. Each failure is named with its round, and its log is kept under
# <build>/stress-runs/. Fails when any test failed.
# Usage: scripts/stress.sh <build-dir> [rounds] [copies] [busy processes]
#   defaults: 10 rounds, 4 copies, one and a half busy processes per core
set -euo pipefail
build=$(cd "$1" && pwd)
rounds=${2:-10}
copies=${3:-4}
busy=${4:-$(($(nproc) * 3 / 2))}
runs=$build/stress-runs
rm -rf "$runs"
mkdir -p "$runs"

busy_pids=()
stop_busy() { [ ${#busy_pids[@]} -eq 0 ] || kill "${busy_pids[@]}" 2>/dev/null || true; }
trap stop_busy EXIT
for _ in $(seq "$busy"); do
  (while :; do :; done) &
  busy_pids+=($!)
done

failed=0
for round in $(seq "$rounds"); do
  copy_pids=()
  for copy in $(seq "$copies"); do
    # Each copy writes its own log; the test cases share nothing else.
    ctest --test-dir "$build" -L x11 -j "$(nproc)" --output-on-failure \
      >"$runs/round$round-copy$copy.log" 2>&1 &
    copy_pids+=($!)
  done
  for pid in "${copy_pids[@]}"; do wait "$pid" || true; done
  names=$(awk 'FNR == 1 { listed = 0 }
                /The following tests FAILED:/ { listed = 1; next }
                listed && /^[[:space:]]+[0-9]+ - / { sub(/^[[:space:]]+[0-9]+ - /, ""); print }' \
    "$runs"/round"$round"-copy*.log)
  if [ -n "$names" ]; then
    failed=$((failed + $(wc -l <<<"$names")))
    echo "round $round: $(wc -l <<<"$names") failed:"
    sed 's/^/  /' <<<"$names"
  else
    echo "round $round: every test passed in $copies copies"
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "$failed failures in $rounds rounds of $copies copies beside $busy busy processes;" \
    "logs in $runs" >&2
  exit 1
fi
echo "No failure in $rounds rounds of $copies copies beside $busy busy processes."
