#!/bin/sh
# Renders the settings side panel, the preferences window and the presets menu
# under Xvfb into PNG files, to look at them as a user would.
# Usage: scripts/screenshot-settings.sh [build dir] [output dir]
set -eu
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target vireo-shots
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$out"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bench/vireo-shots" settings "$(realpath "$out")"
echo "Screenshots in $out"
