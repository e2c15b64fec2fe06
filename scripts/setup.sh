#!/usr/bin/env bash
# Installs, once, the Debian packages the build, the program and the tests need,
# and any further packages named on the command line.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6network6 qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libssl3 ca-certificates
  fonts-liberation2 fonts-dejavu-core
  libbenchmark-dev
  xvfb xauth poppler-utils
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
