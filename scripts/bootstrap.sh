#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the saver needs.
# Quick and silent when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libgl-dev libxkbcommon-dev
  libjpeg-dev zlib1g-dev libpng-dev libx11-dev
  libemf2svg-dev libwmf-dev fonts-urw-base35
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils
  fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
