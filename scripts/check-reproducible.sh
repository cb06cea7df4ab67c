#!/usr/bin/env bash
# Builds the sources twice, in two folders of different names and depths,
# and compares the unsigned DLL and tilohost.exe byte for byte, so that
# anyone can check that a DLL handed out was built from a given commit.
# Prints each file's SHA-256 from both builds; fails on any difference,
# naming the first differing bytes. Needs no Wine (it builds, runs nothing).
#   check-reproducible.sh [SOURCE_DIR [WORK_DIR]]
# The sources are the checkout's files as they stand (tracked and untracked,
# less what git ignores); WORK_DIR (default: a temporary folder) is removed.
set -euo pipefail
source=$(cd "${1:-$(dirname "$0")/..}" && pwd)
if [ -n "${2:-}" ]; then
    mkdir -p "$2"
    work=$(cd "$2" && pwd)
else
    work=$(mktemp -d)
fi
trap 'rm -rf "$work"' EXIT
products=(bin/VornTiloOnline.dll bin/tilohost.exe)

# Tools that read SOURCE_DATE_EPOCH take the commit's time, not the clock's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct)}

build() {
    local src=$1 bin=$2
    mkdir -p "$src"
    # A file deleted but not yet committed is skipped, as the commit will.
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        tar -C "$source" --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$src" -xf -
    # Nothing of a calling make (its job server) reaches these builds.
    env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL \
        cmake -S "$src" -B "$bin" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=Release >"$work/configure.log" 2>&1 ||
        { tail -n 20 "$work/configure.log"; exit 1; }
    env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL \
        cmake --build "$bin" -j "$(nproc)" --target VornTiloOnline tilohost >"$work/build.log" 2>&1 ||
        { tail -n 30 "$work/build.log"; exit 1; }
}
build "$work/one/src" "$work/one/build"
build "$work/second-place/sources/tree" "$work/second-place/out"

different=0
for product in "${products[@]}"; do
    first=$work/one/build/$product
    second=$work/second-place/out/$product
    echo "$(sha256sum <"$first" | cut -d' ' -f1)  first build:  $product"
    echo "$(sha256sum <"$second" | cut -d' ' -f1)  second build: $product"
    if ! cmp -s "$first" "$second"; then
        echo "FAIL: $product differs between the builds (offset, then octal bytes):"
        cmp -l "$first" "$second" | head -n 10
        different=1
    fi
done
[ "$different" = 0 ] && echo "the two builds are byte for byte the same"
exit "$different"
