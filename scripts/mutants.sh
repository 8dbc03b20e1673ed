#!/usr/bin/env bash
# Planted faults: applies each fault of a list on its own, rebuilds incrementally, runs the test
# programs, restores the file and says whether the tests caught the fault.
#
#   scripts/mutants.sh [--check] [list] [pattern]
#
#   list     the faults (default scripts/mutants.txt); see that file for the format
#   pattern  runs only the entries whose line contains it (a file name, a word of the text)
#   --check  only checks the list: every text to find occurs exactly once in its file
#
# The build goes to build-mutants (MUTANTS_BUILD), never to build; MUTANTS_ALL=1 runs every test
# of every program for each fault (slower), so that the log says which tests catch it. The program that tests the
# fault's own folder runs first; the others run only while the fault survives. A fault that
# does not build, or whose text is not found exactly once, is a defect of the list: it is
# reported as such and makes the script fail. The closing line is "N caught, M missed".
set -uo pipefail
cd "$(dirname "$0")/.."
shopt -u patsub_replacement 2>/dev/null || true

check_only=0
if [[ ${1:-} == --check ]]; then
    check_only=1
    shift
fi
list=${1:-scripts/mutants.txt}
pattern=${2:-}
build=${MUTANTS_BUILD:-build-mutants}
jobs=${MUTANTS_JOBS:-2}
log=$build/mutants.log

backup=$(mktemp)
mutated=""
restore() {
    if [[ -n $mutated ]]; then
        cp "$backup" "$mutated" # a fresh time stamp: the next build recompiles the file
        mutated=""
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'restore; exit 130' INT TERM

# The file's content, trailing newlines kept.
read_file() {
    local text
    text=$(cat "$1" && printf x) || return 1
    printf '%s' "${text%x}"
}

# How often $2 occurs in the file $1: 0, 1 or 2 (meaning more than once).
occurrences() {
    local content rest
    content=$(read_file "$1") || return 1
    rest=${content#*"$2"}
    if [[ $rest == "$content" ]]; then
        echo 0
    elif [[ $rest == *"$2"* ]]; then
        echo 2
    else
        echo 1
    fi
}

# The test programs, the one for the fault's folder first (src/platform/user -> test_platform_user).
programs_for() {
    local dir=${1%/*}
    dir=${dir#src/}
    dir=${dir#tools/}
    local first=$build/bin/test_${dir//\//_}
    [[ -x $first ]] && echo "$first"
    for p in "$build"/bin/test_*; do
        [[ $p != "$first" && -x $p ]] && echo "$p"
    done
}

# Runs the programs until one fails; prints the one that failed. With MUTANTS_ALL=1 every
# program runs to its end, so the log names every test that catches the fault.
run_tests() {
    local p failed=""
    local fast=--gtest_fail_fast=1
    [[ ${MUTANTS_ALL:-0} == 1 ]] && fast=""
    for p in $(programs_for "$1"); do
        if ! SKINKIT_BIN=$bin timeout 600 "$p" --gtest_brief=1 $fast >>"$log" 2>&1; then
            failed="$failed ${p##*/}"
            [[ -z $fast ]] || break
        fi
    done
    [[ -z $failed ]] && return 0
    echo "${failed# }"
    return 1
}

entries=()
while IFS= read -r line || [[ -n $line ]]; do
    [[ -z ${line//[[:space:]]/} || $line == \#* ]] && continue
    [[ -n $pattern && $line != *"$pattern"* ]] && continue
    entries+=("$line")
done <"$list"

broken=0
for entry in "${entries[@]}"; do
    IFS=$'\t' read -r file find replace <<<"$entry"
    if [[ ! -f $file || -z $find ]]; then
        echo "bad entry: $entry"
        broken=$((broken + 1))
        continue
    fi
    count=$(occurrences "$file" "$find")
    if [[ $count != 1 ]]; then
        echo "refused: $file: text found ${count/2/more than once}${count/[12]/} times: $find"
        broken=$((broken + 1))
    fi
done
if ((check_only)); then
    echo "${#entries[@]} entries, $broken defective"
    exit $((broken > 0))
fi
((broken > 0)) && echo "fix the list first" && exit 1

mkdir -p "$build"
bin=$(cd "$build" && pwd)/bin # the tests run from folders of their own
: >"$log"
echo "configuring and building $build ..."
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Mutants -DCMAKE_CXX_FLAGS_MUTANTS=-O1 \
    -DCMAKE_C_FLAGS_MUTANTS=-O1 >>"$log" 2>&1 &&
    cmake --build "$build" -j "$jobs" >>"$log" 2>&1 || {
    echo "the unchanged tree does not build; see $log"
    exit 1
}
if failed=$(run_tests src/none); then :; else
    echo "the unchanged tree fails $failed; see $log"
    exit 1
fi

caught=0 missed=0 n=0
for entry in "${entries[@]}"; do
    IFS=$'\t' read -r file find replace <<<"$entry"
    n=$((n + 1))
    label="$file: $find -> ${replace:-(nothing)}"
    cp "$file" "$backup"
    mutated=$file
    content=$(read_file "$file")
    printf '%s' "${content/"$find"/"$replace"}" >"$file"
    echo "=== $label" >>"$log"
    if ! cmake --build "$build" -j "$jobs" >>"$log" 2>&1; then
        echo "[$n/${#entries[@]}] does not build  $label"
        broken=$((broken + 1))
    elif by=$(run_tests "$file"); then
        echo "[$n/${#entries[@]}] MISSED  $label"
        missed=$((missed + 1))
    else
        echo "[$n/${#entries[@]}] caught by $by  $label"
        caught=$((caught + 1))
    fi
    restore
done
# Leave the build matching the tree.
cmake --build "$build" -j "$jobs" >>"$log" 2>&1
((broken > 0)) && echo "$broken entries do not build"
echo "$caught caught, $missed missed"
exit $((broken > 0))
