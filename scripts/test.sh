#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole suite; ends with CTest's summary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tarvix_build "$@"
cd "$TARVIX_BUILD"
ctest --output-on-failure -j2 --timeout 600
