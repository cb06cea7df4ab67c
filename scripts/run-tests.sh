#!/usr/bin/env bash
# Runs every test of a build under one X server and one Wine server, in the
# build's private Wine prefix.
#   run-tests.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$build/wineprefix WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

inner() {
    # A Wine server that outlives single test programs; warmed up first so
    # the services it starts do not hold CTest's output pipe.
    [ -d "$WINEPREFIX/drive_c" ] || "$here/wine-run" wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p
    "$here/wine-run" cmd /c exit 0 >/dev/null 2>&1 </dev/null
    local status=0
    (cd "$build" && ctest --output-on-failure "$@") || status=$?
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    return $status
}

if [ -z "${VORN_INNER_XVFB:-}" ]; then
    export VORN_INNER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$@"
fi
inner "$@"
