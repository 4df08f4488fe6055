#!/usr/bin/env bash
# Builds the small program in quenta_consumer/ against the installed Quenta with
# find_package(Quenta) and runs it offscreen.
# Usage: quenta_consumer_test.sh CMAKE PREFIX
set -euo pipefail
cmake=$1
prefix=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$cmake" -S "$(dirname "${BASH_SOURCE[0]}")/quenta_consumer" -B "$scratch" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >"$scratch.log" 2>&1 ||
    { cat "$scratch.log"; rm -f "$scratch.log"; exit 1; }
rm -f "$scratch.log"
"$cmake" --build "$scratch"
QT_QPA_PLATFORM=offscreen "$scratch/quenta_consumer"
