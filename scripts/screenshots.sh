#!/bin/sh
# Renders Vireo's views under Xvfb into PNG files, to look at them as a user
# would. Scenes:
#   window     the splash (plain, targeted, importing), the split view with
#              each group, the skipped-files bar, a confirmation
#   workspace  every group, the settings side sheet, the trim popover, the
#              target menu, the progress sheet during a run
#   settings   the side panel, the preferences window, the presets menu
# Usage: scripts/screenshots.sh [scene...] [--build DIR] [--out DIR]
# Without a scene, all three; PNGs go to DIR/<scene>/ (default build/screenshots).
set -eu
build=build
out=
scenes=
while [ $# -gt 0 ]; do
    case $1 in
        --build) build=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) scenes="$scenes $1"; shift ;;
    esac
done
out=${out:-$build/screenshots}
scenes=${scenes:-window workspace settings}
cmake --build "$build" --target vireo-shots
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
for scene in $scenes; do
    mkdir -p "$out/$scene"
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=xcb VIREO_HWACCEL=none \
        xvfb-run -a -s "-screen 0 1280x800x24" \
        "$build/bench/vireo-shots" "$scene" "$(realpath "$out/$scene")"
    echo "Screenshots in $out/$scene"
done
