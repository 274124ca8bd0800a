#!/bin/sh
# Renders the main window under Xvfb into PNG files, to look at it as a user
# would: the splash screen (plain, with files hovering, importing), the split
# view with each group selected, the skipped-files bar and a confirmation.
# Builds nothing: build tst_mainwindow first.
# Usage: scripts/screenshots.sh [build dir] [output dir]
set -eu
build=${1:-build}
out=${2:-$build/screenshots/window}
test -x "$build/tests/tst_mainwindow" || {
    echo "$build/tests/tst_mainwindow is missing: build it first" >&2
    exit 1
}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$out"
VIREO_SCREENSHOT_DIR=$(realpath "$out") XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/tests/tst_mainwindow" screenshots
echo "Screenshots in $out"
