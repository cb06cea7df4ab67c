#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, skipping
# what is already there. Must run as root when anything is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
          wine wine32:i386 fonts-wine xvfb xauth libwine-dev googletest imagemagick
          wixl msitools faketime osslsigncode openssl cmake make)

# Wine runs the 32-bit component and tests through its 32-bit loader, a
# Linux i386 program: a kernel that runs no 32-bit programs (its 32-bit
# emulation disabled, as the kernel says when one is started) can register
# and test nothing. Say so at once instead of failing deep in the build.
check_32bit_programs() {
    local loader=/usr/lib/wine/wine
    [ -x "$loader" ] || return 0
    local out
    if ! out=$("$loader" --version 2>&1); then
        echo "setup: this machine cannot run 32-bit programs ($loader: ${out##*: })." >&2
        echo "setup: Wine's 32-bit loader cannot start, so nothing can be registered, run or tested here;" >&2
        echo "setup: the kernel must run 32-bit programs (Linux: boot with ia32_emulation=on)." >&2
        exit 1
    fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    check_32bit_programs
    exit 0
fi

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
check_32bit_programs
