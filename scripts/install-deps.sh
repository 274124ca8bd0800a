#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vireo need.
# Idempotent: when everything is present it changes nothing and asks no network.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libqt6svg6 qt6-svg-dev qt6-qpa-plugins
  libgl-dev libvips-dev libheif1
  ffmpeg libavformat-dev libavcodec-dev libavutil-dev libuchardet-dev
  xvfb xauth fonts-dejavu-core adwaita-icon-theme
  dbus-x11 desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
