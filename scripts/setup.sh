#!/usr/bin/env bash
# Installs every Debian package that building and testing need. Idempotent:
# when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ make python3
  googletest libbenchmark-dev
  g++-multilib qemu-user
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine xvfb xauth x11-utils x11-apps xdotool zip
  unicode-data
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}; run this script as root" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
