#!/usr/bin/env bash
# Tests against code: non-blank lines of C++ (.cpp, .h) under tests/ against src/, tools/ and
# examples/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | grep -cv '^[[:space:]]*$'
}
tests=$(count tests)
code=$(count src tools examples)
echo "tests $tests, code $code: $((100 * tests / code))%"
