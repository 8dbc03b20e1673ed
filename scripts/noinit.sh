#!/usr/bin/env bash
# Fails when a library archive holds code that runs at load time (namespace-scope objects that
# need construction, constructor functions): the library has no static initialisers.
set -euo pipefail
status=0
for archive in "$@"; do
    # objdump names each member, then its sections; an .init_array section runs at load time.
    members=$(objdump -h "$archive" | awk '/file format/ { member = $1 } /\.init_array|\.ctors/ { print member }')
    for member in $members; do
        echo "${archive##*/}: ${member%:} runs code at load time" >&2
        status=1
    done
done
exit $status
