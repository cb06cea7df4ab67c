#!/usr/bin/env bash
# Runs every test of a build in its Wine session; a selection (-R, -E) that
# matches no test is an error.
#   run-tests.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
exec "$(dirname "$0")/wine-session" "$build" ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
