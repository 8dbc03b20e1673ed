#!/usr/bin/env bash
# Runs every benchmark program; each prints its figures as ratios against a reference
# measured in the same run.
set -euo pipefail
build=${1:-build-bench}
status=0
for b in "$build"/bin/bench_*; do
  [[ -x "$b" ]] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 || status=1
done
exit $status
