#!/bin/sh
# Renders the main window under Xvfb into PNG files, to look at it as a user
# would: the splash screen (plain, with files hovering, importing), the split
# view with each group selected, the skipped-files bar and a confirmation.
# Usage: scripts/screenshots.sh [build dir] [output dir]
set -eu
build=${1:-build}
out=${2:-$build/screenshots/window}
cmake --build "$build" --target vireo-shots
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$out"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bench/vireo-shots" window "$(realpath "$out")"
echo "Screenshots in $out"
