#!/usr/bin/env bash
# Fuzzes the standard-library cores: builds the libFuzzer targets of tests/fuzz/ with clang in
# build-fuzz/ and runs each for SECONDS (default 60), starting from its seed inputs in
# tests/fuzz/corpus/NAME/. New inputs found on the way are kept in build-fuzz/corpus/NAME/ for the
# next run; an input that breaks a property or crashes is written to build-fuzz/artifacts/.
#   scripts/fuzz.sh [SECONDS]
#   scripts/fuzz.sh --runs N    each target: its seeds and N inputs from a random seed that
#                               changes with the commit (what CI runs), so that each commit
#                               tries inputs the others did not; the seed is printed, and
#                               TARVIX_FUZZ_SEED=S replays a run
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build=$TARVIX_ROOT/build-fuzz

# The commit's first seven hex digits as a number; outside a git checkout, 1.
commit_seed() {
    local commit
    commit=$(git -C "$TARVIX_ROOT" rev-parse --short=7 HEAD 2>/dev/null) || { echo 1; return; }
    echo $((16#$commit % 2147483646 + 1))
}

if [ "${1:-}" = --runs ]; then
    seed=${TARVIX_FUZZ_SEED:-$(commit_seed)}
    echo "Fuzzing with -seed=$seed (replay with TARVIX_FUZZ_SEED=$seed scripts/fuzz.sh --runs ${2:-})"
    limit=(-seed="$seed" -runs="${2:?--runs needs a number}")
    fixed=true
else
    limit=(-max_total_time="${1:-60}")
    fixed=false
fi

cmake -S "$TARVIX_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIX_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

mkdir -p "$build/artifacts"
for seeds in "$TARVIX_ROOT"/tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    found=$build/corpus/$name
    # A counted run starts from the seeds alone, so its seed alone decides it.
    if $fixed; then
        rm -rf "$found"
    fi
    mkdir -p "$found"
    log=$build/artifacts/$name.log
    echo "Fuzzing $name (${limit[*]})"
    if ! "$build/bin/$name" "${limit[@]}" -timeout=10 -artifact_prefix="$build/artifacts/$name-" \
        "$found" "$seeds" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$name failed; its log is $log" >&2
        exit 1
    fi
    tail -n 1 "$log"
done
