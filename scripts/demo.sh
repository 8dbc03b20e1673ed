#!/usr/bin/env bash
# The most complete end-to-end use of skinkit that exists so far.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"

echo "== skinpack: pack a few files, list the package, extract an entry"
printf 'Hello from a skin package.\n' >"$out/readme.txt"
head -c 40000 /dev/urandom >"$out/noise.bin"
cp README.md "$out/README.md"
"$bin/skinpack" create "$out/demo.sdf" "$out/readme.txt" "$out/noise.bin" "$out/README.md"
"$bin/skinpack" list "$out/demo.sdf"
"$bin/skinpack" extract "$out/demo.sdf" readme.txt

echo "== sample skins: draw their bitmaps, build their packages, show what they hold"
mkdir -p "$out/skins"
for skin in ocean paper; do
  "$bin/skingen" "examples/skins/$skin/$skin.xml" "$out/gen/$skin" >/dev/null
  "$bin/skinpack" build "$out/gen/$skin/$skin.xml"
  "$bin/skinpack" info "$out/gen/$skin/$skin.sdf"
  cp "$out/gen/$skin/$skin.sdf" "$out/skins/"
done

echo "== demo player: every screen on every skin, rendered headless"
"$bin/demo" "$out/skins" sdf --out "$out"

echo "== demo player: a tour of taps and drags, a picture after each step"
mkdir -p "$out/tour"
"$bin/demo" "$out/skins" sdf --script examples/demo/tour.txt --out "$out/tour"
