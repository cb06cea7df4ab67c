#!/usr/bin/env bash
# Runs the fuzz drivers of a build, each for a time budget, in the build's
# Wine session (make fuzz):
#   run-fuzz.sh BUILD_DIR
# Settings, from the environment (make passes its variables of these names):
#   FUZZ_SECONDS    seconds for each driver (default 60)
#   FUZZ_SEED       seed of the mutations (default: from the clock; printed)
#   FUZZ_DRIVERS    which drivers (default: statements payments payment-batch)
#   FUZZ_CODEPAGE   932, 936, 949 or 950: the drivers run under that ANSI
#                   code page, as under a Japanese, Chinese or Korean locale
#   FUZZ_WINEDEBUG  Wine's debug channels for the drivers; with warn+heap Wine
#                   checks its heaps and the drivers validate every heap
#                   after each input
# Findings are kept in BUILD_DIR/fuzz/<driver>/. A driver that crashes, hangs
# or breaks the heap leaves its input there and starts again with the next
# seed until its time is used up. Exit status 1 when anything not known
# before was found.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/.." && pwd)
if [ -z "${VORN_WINE_SESSION:-}" ]; then
    if [ -n "${FUZZ_WINEDEBUG:-}" ]; then
        export WINEDEBUG=$FUZZ_WINEDEBUG
    fi
    exec "$here/wine-session" "$build" "$0" "$build"
fi

seconds=${FUZZ_SECONDS:-60}
seed=${FUZZ_SEED:-$(( $(date +%s) % 1000000 * 1000 + RANDOM % 1000 ))}
options=()
case ${WINEDEBUG:-} in
    *heap*) options+=(--heap-check) ;;
esac
locale=
case ${FUZZ_CODEPAGE:-} in
    '') ;;
    932) locale=ja_JP.UTF-8 ;;
    936) locale=zh_CN.UTF-8 ;;
    949) locale=ko_KR.UTF-8 ;;
    950) locale=zh_TW.UTF-8 ;;
    *) echo "run-fuzz: FUZZ_CODEPAGE must be 932, 936, 949 or 950" >&2; exit 2 ;;
esac
if [ -n "$locale" ]; then
    options+=(--codepage "$FUZZ_CODEPAGE")
fi

status=0
for driver in ${FUZZ_DRIVERS:-statements payments payment-batch}; do
    program=$build/bin/fuzz-$driver.exe
    if [ ! -e "$program" ]; then
        echo "run-fuzz: no driver $driver" >&2
        exit 2
    fi
    mkdir -p "$build/fuzz/$driver"
    log=$build/fuzz/$driver/wine.log
    : > "$log"
    end=$(( $(date +%s) + seconds ))
    run_seed=$seed
    while left=$(( end - $(date +%s) )); [ "$left" -gt 0 ]; do
        result=0
        env ${locale:+LC_ALL=$locale} "$here/wine-run" "$program" --seed "$run_seed" --seconds "$left" \
            --seeds "$source/tests/fuzz/seeds/$driver" --known "$source/tests/fuzz/known-failing.txt" \
            --out "$build/fuzz" "${options[@]}" 2>>"$log" </dev/null || result=$?
        case $result in
            0) break ;;
            1) status=1; break ;;
            3|4|5) status=1; run_seed=$(( run_seed + 1 )); echo "[$driver] starting again with seed $run_seed" ;;
            *) echo "[$driver] ended with status $result; Wine's output is in $log"; status=1; break ;;
        esac
    done
    # Wine's own heap checks report on its error output.
    heap=$(grep -c ':heap:' "$log" || true)
    if [ "$heap" -gt 0 ]; then
        echo "[$driver] Wine reported $heap heap problems: see $log"
        status=1
    fi
done
exit $status
