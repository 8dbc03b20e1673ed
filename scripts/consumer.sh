#!/usr/bin/env bash
# Installs skinkit into a temporary prefix, then builds examples/consumer against the installed
# package twice (through find_package(skinkit), and in one line through pkg-config) and runs
# both on a sample skin packed by the installed skinpack. The screens land in BUILD/consumer/.
set -euo pipefail
build=${1:-build}
out="$build/consumer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
rm -rf "$out"
mkdir -p "$out" "$work/skins"

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && ls -d bin/skinpack lib/libskinkit.a lib/cmake/skinkit/skinkitConfig.cmake \
  lib/pkgconfig/skinkit.pc include/skinkit/controls/skinbutton.h)

echo "== a sample skin, packed by the installed skinpack"
"$build/bin/skingen" examples/skins/ocean/ocean.xml "$work/gen" >/dev/null
"$prefix/bin/skinpack" build "$work/gen/ocean.xml"
cp "$work/gen/ocean.sdf" "$work/skins/"

echo "== consumer built with find_package(skinkit)"
cmake -S examples/consumer -B "$work/cmake-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/consumer" "$work/skins" sdf "$out/cmake.png"

echo "== consumer built with pkg-config"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
# shellcheck disable=SC2046 # the flags are meant to split into words
c++ -std=c++20 -o "$work/consumer" examples/consumer/main.cpp $(pkg-config --cflags --libs skinkit)
"$work/consumer" "$work/skins" sdf "$out/pkg-config.png"
