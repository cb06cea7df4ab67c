#!/usr/bin/env bash
# Runs every test of a build in its Wine session; a selection (-R, -E) that
# matches no test is an error.
#   run-tests.sh BUILD_DIR [ctest arguments...]
# Where no 32-bit program runs (scripts/wine-lane), BUILD_DIR's own tests
# (those that read or build the sources) run first, then those of its 64-bit
# build BUILD_DIR/x64; what could not run is said before and after.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
if "$here/wine-lane" check; then
    exec "$here/wine-session" "$build" ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
fi

lane() {
    cat >&2 <<'TEXT'
run-tests: THIS MACHINE RUNS NO 32-BIT PROGRAMS (its kernel's 32-bit emulation is
run-tests: off), so Wine cannot run the 32-bit component. The 32-bit build is
run-tests: compiled and its source checks run; the component's tests run on a
run-tests: 64-bit build of the same sources under 64-bit Wine. Not run here: the
run-tests: 32-bit DLL and programs themselves, the package tests and the signing
run-tests: test. make test on a machine that runs 32-bit programs runs them all.
TEXT
}
lane
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest --test-dir "$build" --output-on-failure --no-tests=ignore "$@" 2>&1 | tee "$log" || status=$?
"$here/wine-session" "$build/x64" ctest --test-dir "$build/x64" --output-on-failure --no-tests=ignore "$@" 2>&1 |
    tee -a "$log" || status=$?
# Each part that ran a test ends with "N% tests passed, M tests failed out of T".
if ! grep -q 'tests failed out of' "$log"; then
    echo "run-tests: no test matches the selection" >&2
    status=8
fi
lane
exit $status
