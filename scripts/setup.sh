#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, skipping
# what is already there. Must run as root when anything is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
          wine wine32:i386 fonts-wine xvfb xauth libwine-dev googletest imagemagick
          wixl msitools cmake make)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run as root to install them" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
