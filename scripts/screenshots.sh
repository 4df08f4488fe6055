#!/usr/bin/env bash
# Renders the program's windows into screenshots/*.png for people to look at: offscreen at 100 %,
# offscreen at 200 % into screenshots/200/, and once more under Xvfb into screenshots/xvfb/ when
# xvfb-run is installed (there the main window after the program's start-up, on the shipped I-V
# example, shows with a real window system's frame and fonts). Builds nothing:
# pass the build folder (default build/), built with the tarvix-screenshots target.
# The user guide's pictures (share/images/) are the guide-*.png of the 100 % run, each half its
# window's size and no wider than the guide's window shows whole as it opens (help-window-opened).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
program="$build/bin/tarvix-screenshots"
if [ ! -x "$program" ]; then
    echo "No $program: build it first (cmake --build $build --target tarvix-screenshots)" >&2
    exit 1
fi

out="$root/screenshots"
export QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0
QT_QPA_PLATFORM=offscreen "$program" "$out"
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen "$program" "$out/200"
if command -v xvfb-run >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$program" "$out/xvfb"
fi
