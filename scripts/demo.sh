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

echo "== sample skin: draw its bitmaps, build its package, show what it holds"
"$bin/skingen" examples/skins/ocean/ocean.xml "$out/skins/ocean"
"$bin/skinpack" build "$out/skins/ocean/ocean.xml"
"$bin/skinpack" info "$out/skins/ocean/ocean.sdf"

echo "== demo application: a frame window and the skin's main window, rendered headless"
"$bin/demo" "$out/skins/ocean" sdf --png "$out/demo.png"
