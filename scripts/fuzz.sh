#!/usr/bin/env bash
# Runs every fuzz target for a while, each starting from the seeds that fuzzseeds writes.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
corpus="$build/corpus"
rm -rf "$corpus"
mkdir -p "$corpus"
"$build/bin/fuzzseeds" "$corpus"
for f in "$build"/bin/fuzz_*; do
  [[ -x "$f" ]] || continue
  name=$(basename "$f"); name=${name#fuzz_}
  mkdir -p "$corpus/$name"
  echo "== fuzz $name for ${seconds}s"
  (cd "$build" && "./bin/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$PWD/crash-$name-" "corpus/$name" 2>&1 | tail -n 12)
  if ls "$build"/crash-"$name"-* >/dev/null 2>&1; then
    echo "fuzz: $name found a failing input:" "$build"/crash-"$name"-* >&2
    exit 1
  fi
done
