#!/usr/bin/env bash
# Installs what is missing, builds the program (no test program or benchmark: scripts/test.sh
# builds those), and runs it on the simulated instrument: with a display the main window opens;
# without one the shipped I-V example runs headless in virtual time and the script says where its
# data file and chart image are. Arguments, when given, go to the program instead.
set -euo pipefail
TARVIX_SETUP=program source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tarvix_build_program

program="$TARVIX_BUILD/bin/tarvix4140"
if [ $# -gt 0 ]; then
    exec "$program" "$@"
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" --driver sim
fi

# A build tree's program folder is its bin/ folder.
data="$TARVIX_BUILD/bin/data"
mkdir -p "$data"
"$program" --driver sim --dry-run \
    --run "$TARVIX_BUILD/share/tarvix-4140/config/IV_diode_sweep.ini" \
    --data "$data/IV_diode_sweep.txt" --plot "$data/IV_diode_sweep.png"
echo "Data file:   $data/IV_diode_sweep.txt"
echo "Chart image: $data/IV_diode_sweep.png"
