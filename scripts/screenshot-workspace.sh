#!/bin/sh
# Renders the group workspace under Xvfb into PNG files, to look at it as a
# user would: every group, the settings side sheet, the trim popover, the
# target menu and the progress sheet during a run.
# Usage: scripts/screenshot-workspace.sh [build dir] [output dir]
set -eu
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target vireo-shots
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$out"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
    VIREO_HWACCEL=none xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bench/vireo-shots" workspace "$(realpath "$out")"
echo "Screenshots in $out"
