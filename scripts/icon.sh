#!/usr/bin/env bash
# Redraws the 256 px PNG icon from the SVG after the SVG was edited; both are committed.
# rsvg-convert comes with librsvg2-bin, which scripts/setup.sh installs.
set -euo pipefail
folder="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/share/desktop"
rsvg-convert --width 256 --height 256 "$folder/tarvix-4140.svg" --output "$folder/tarvix-4140.png"
