#!/usr/bin/env bash
# Runs every benchmark program; each prints its figures as ratios against a reference
# measured in the same run. Each benchmark runs five times, interleaved at random with the
# others, and the ratios compare the medians.
set -euo pipefail
build=${1:-build-bench}
status=0
for b in "$build"/bin/bench_*; do
  [[ -x "$b" ]] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.05 --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true || status=1
done
exit $status
