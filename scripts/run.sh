#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program. Arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tarvix_build
exec "$TARVIX_BUILD/bin/tarvix4140" "$@"
