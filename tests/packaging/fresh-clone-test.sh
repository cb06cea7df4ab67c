#!/usr/bin/env bash
# make package on a fresh clone of the sources with no display, as on a
# packager's machine: the package comes out under the clone's build folder,
# its scratch Wine prefix is gone, and its tables match the build's own
# package (the same product, registry entries, folders and components).
#   fresh-clone-test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
work=$(mktemp -d "$build/packaging/fresh-clone.XXXXXX")
trap 'rm -rf "$work"' EXIT

if ! git clone -q "$source" "$work/source" 2>"$work/clone.err"; then
    echo "FAIL: $source does not clone: $(cat "$work/clone.err")"
    exit 1
fi
# Nothing of this session reaches the clone's make: no display, no Wine
# prefix, no make job server.
if ! env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY -u WINEPREFIX -u VORN_WINE_SESSION \
    -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -C "$work/source" package BUILD="$work/build" \
    >"$work/make.log" 2>&1 </dev/null; then
    echo "FAIL: make package failed:"
    tail -n 30 "$work/make.log"
    exit 1
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
ours=("$(head -n 1 "$build/packaging/msi.stamp")")
theirs=("$work"/build/dist/VornTiloOnline-*.msi)
[ ${#theirs[@]} = 1 ] && [ -f "${theirs[0]}" ] || fail "not one package in the clone's build/dist: ${theirs[*]}"
[ "${theirs[0]##*/}" = "${ours[0]##*/}" ] || fail "the clone made ${theirs[0]##*/}, the build ${ours[0]##*/}"
[ ! -e "$work/build/packaging/capture" ] || fail "the scratch Wine prefix was left behind"

tables() { msiinfo tables "$1" | LC_ALL=C sort; }
[ "$(tables "${theirs[0]}")" = "$(tables "${ours[0]}")" ] || fail "the packages have different tables"
for table in Property Directory Component FeatureComponents Registry RemoveFile Upgrade LaunchCondition; do
    diff <(msiinfo export "${ours[0]}" $table) <(msiinfo export "${theirs[0]}" $table) >"$work/$table.diff" ||
        fail "the $table tables differ: $(cat "$work/$table.diff")"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "make package on a fresh clone: ${theirs[0]##*/}, $(stat -c %s "${theirs[0]}") bytes"
