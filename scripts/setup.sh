#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, skipping
# what is already there. Must run as root when anything is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
          wine wine32:i386 fonts-wine xvfb xauth libwine-dev googletest imagemagick
          wixl msitools faketime osslsigncode openssl cmake make time cppcheck)

# Wine runs the 32-bit component through its 32-bit loader, a Linux i386
# program. Where it cannot run (scripts/wine-lane), the tests run in a 64-bit
# build under 64-bit Wine, which needs the 64-bit compilers and Wine too.
lane64_packages=(wine64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

install() {
    [ $# -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: $*; run as root to install them" >&2
        exit 1
    fi
    echo "setup: installing $*"
    export DEBIAN_FRONTEND=noninteractive
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

install $(missing_of "${packages[@]}")
if ! "$(dirname "$0")/wine-lane" check; then
    install $(missing_of "${lane64_packages[@]}")
fi
