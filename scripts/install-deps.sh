#!/usr/bin/env bash
# Installs the Debian 12 packages Tavrin needs to build, run and test, and to build and check
# its Debian package. Idempotent: packages that are already present are left alone, and apt is
# not touched at all when nothing is missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake qt6-base-dev libglew-dev libglu1-mesa-dev libgl-dev
  libgtest-dev libgmock-dev clang
  xvfb xauth libgl1-mesa-dri fonts-liberation fonts-dejavu-core
  xdotool x11-utils imagemagick libx11-dev
  dpkg-dev file help2man appstream desktop-file-utils lintian
  stockfish
  libavcodec-dev libavformat-dev libavfilter-dev libswscale-dev libavutil-dev pkg-config ffmpeg
  libzstd-dev zlib1g-dev libbz2-dev libzip-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo is available" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
