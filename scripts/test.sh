#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole suite; ends with CTest's summary.
# Arguments go to CMake, those after "--" to CTest: scripts/test.sh -DTARVIX_SANITIZE=ON -- -LE install
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cmake_args=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    cmake_args+=("$1")
    shift
done
if [ $# -gt 0 ]; then
    shift
fi
tarvix_build "${cmake_args[@]}"
cd "$TARVIX_BUILD"
ctest --output-on-failure -j2 --timeout 600 "$@"
