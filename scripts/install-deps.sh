#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its asset tool need, or the packages
# named as arguments instead, but only those that are missing. Uses sudo when not run as
# root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  dpkg-dev file
  libglfw3-dev libglew-dev libglm-dev libbullet-dev libopenal-dev
  googletest libgtest-dev libbenchmark-dev
  libfreetype-dev fonts-dejavu-core
  glslang-tools clang-format
  xvfb xauth xdotool imagemagick x11-utils x11-apps sox
  libgl1-mesa-dri mesa-utils
  lintian groff-base man-db appstream
)
if [ $# -gt 0 ]; then packages=("$@"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
