#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test DiDuzozoz, when missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  libpng-dev zlib1g-dev unifont
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev fonts-ipafont-gothic
  googletest libgtest-dev libbenchmark-dev libzxing-dev
  libxcb1-dev xvfb xauth xclip xdotool x11-utils imagemagick parcellite procps valgrind time
  help2man bash-completion man-db file dpkg-dev lintian appstream desktop-file-utils
  at-spi2-core python3-pyatspi dbus libxtst6
  qpdf poppler-utils ghostscript librsvg2-bin zint zbar-tools
  g++-mingw-w64-x86-64 libz-mingw-w64-dev wine wine64 wixl
)

# --list: print the packages, one a line, for callers that install them themselves.
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${PACKAGES[@]}"
  exit 0
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
