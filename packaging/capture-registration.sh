#!/usr/bin/env bash
# Registers the component with regsvr32 in a scratch Wine prefix, at the
# place the package installs it, and writes the registry lines (reglist's
# format) that the registration added: the one source of the package's
# registry entries, and what the package tests compare installations with.
#   capture-registration.sh DLL REGLIST_EXE INSTALL_FOLDER WORK_DIR OUTPUT
# INSTALL_FOLDER is the Windows path the package installs to; WORK_DIR holds
# the scratch prefix while it runs and is removed. Needs no display.
set -euo pipefail
dll=$(realpath "$1")
reglist=$(realpath "$2")
folder=$3
work=$(realpath -m "$4")
output=$5
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix WINEARCH=win32
# Wine's services outlive the programs that start them: they write to the
# log, not to the build's output, and the server of this prefix (and no
# other) is ended when the script ends.
finish() {
    status=$?
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ $status -ne 0 ] && [ -f "$work/wine.log" ]; then
        echo "capture-registration: Wine's output:" >&2
        tail -n 20 "$work/wine.log" >&2
    fi
    rm -rf "$work" "$output.new"
}
trap finish EXIT
wine_run() { "$scripts/wine-run" "$@" </dev/null 2>>"$work/wine.log"; }

wine_run wineboot -i >>"$work/wine.log"
unix_folder=$(wine_run winepath -u "$folder")
mkdir -p "$unix_folder"
cp "$dll" "$unix_folder/"
module="$folder\\$(basename "$dll")"

# The classes, and the user's keys less Wine's own.
listing() { wine_run "$reglist" --except 'HKCU\Software\Wine' 'HKLM\Software\Classes' 'HKCU\Software' >"$1"; }
listing "$work/before"
if ! wine_run regsvr32 /s "$module" >>"$work/wine.log"; then
    echo "capture-registration: regsvr32 $module failed" >&2
    exit 1
fi
listing "$work/after"

removed=$(LC_ALL=C comm -23 "$work/before" "$work/after")
if [ -n "$removed" ]; then
    echo "capture-registration: the registration changed or removed what was there:" >&2
    echo "$removed" >&2
    exit 1
fi
LC_ALL=C comm -13 "$work/before" "$work/after" >"$output.new"
if [ ! -s "$output.new" ]; then
    echo "capture-registration: the registration added nothing" >&2
    exit 1
fi
mv "$output.new" "$output"
