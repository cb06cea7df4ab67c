#!/usr/bin/env bash
# Runs every benchmark of a build in its Wine session, after registering the
# stand-in host and the component; each prints its own figures.
#   run-benchmarks.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VORN_WINE_SESSION:-}" ]; then
    exec "$here/wine-session" "$build" "$0" "$build"
fi
"$here/register-all.sh" "$build"
for benchmark in "$build"/bin/benchmarks/*.exe; do
    [ -e "$benchmark" ] || continue
    echo "== $(basename "$benchmark" .exe)"
    "$here/wine-run" "$benchmark"
done
