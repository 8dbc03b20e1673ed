#!/usr/bin/env bash
# Makes every picture of the guides (docs/pictures/*.png) from the sample skins: skinview lays
# each skin out by the demo's screen map, the demo opens its popups. Nothing here is drawn by
# hand; run `make docs` after changing a control, a sample skin or the map.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
work="$build/docs"
pictures=docs/pictures
rm -rf "$work"
mkdir -p "$work/skins" "$pictures"
rm -f "$pictures"/*.png

for skin in ocean paper; do
  "$bin/skingen" "examples/skins/$skin/$skin.xml" "$work/gen/$skin" >/dev/null
  "$bin/skinpack" build "$work/gen/$skin/$skin.xml" >/dev/null
  cp "$work/gen/$skin/$skin.sdf" "$work/skins/"
  # Every screen, and one picture of each control type.
  "$bin/skinview" --controls --out "$pictures" "$work/skins/$skin.sdf" >/dev/null
  # The debug view: every component named over the screen.
  mkdir -p "$work/outline"
  "$bin/skinview" --outline --section main --out "$work/outline" "$work/skins/$skin.sdf" >/dev/null
  cp "$work/outline/$skin-main.png" "$pictures/$skin-main-outline.png"
done

# The popups open over their screens, as the demo shows them.
mkdir -p "$work/demo"
"$bin/demo" "$work/skins" sdf --out "$work/demo" >/dev/null
for skin in ocean paper; do
  for popup in skins folders options; do
    cp "$work/demo/$skin-$popup.png" "$pictures/$skin-$popup.png"
  done
done
echo "pictures in $pictures:"
ls "$pictures"
