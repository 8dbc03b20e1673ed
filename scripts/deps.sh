#!/usr/bin/env bash
# Makes sure the Debian packages skinkit builds against are present.
# As root it installs what is missing; otherwise it prints the exact command and fails,
# so that no target runs half-configured.
set -euo pipefail

required=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libpixman-1-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev
  clang libclang-rt-14-dev
  libsdl2-dev
)

missing=()
for pkg in "${required[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

cmd="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  echo "deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "deps: missing Debian packages: ${missing[*]}" >&2
  echo "deps: run as root:  $cmd" >&2
  exit 1
fi
