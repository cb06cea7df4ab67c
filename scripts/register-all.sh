#!/bin/sh
# Registers the stand-in host and the component in the build's Wine prefix
# with the real regsvr32, as an installation would; /u unregisters them.
#   register-all.sh BUILD_DIR [/u]
set -e
build=$1
mode=${2:-}
run() { "$(dirname "$0")/wine-run" --prefix "$build/wineprefix" "$@"; }
register() {
    [ -f "$build/bin/$1" ] || return 0
    dll=$(run winepath -w "$build/bin/$1")
    run regsvr32 /s $mode "$dll"
}
if [ "$mode" = "/u" ]; then
    register VornTiloOnline.dll
    register VornHostStandIn.dll
else
    register VornHostStandIn.dll
    register VornTiloOnline.dll
fi
