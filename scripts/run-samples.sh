#!/usr/bin/env bash
# make run: registers the stand-in host and the component in the build's
# Wine prefix, then runs the bundled samples end to end with the command-line
# host: the payment batch through each of the four payment formats (a robot
# answering the dialogs) and a statement of each layout. Payment files and
# reports go to BUILD/run/, emptied first, so every run gives the same.
#   run-samples.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

# One X server and one Wine server for all the runs.
if [ -z "${VORN_WINE_SESSION:-}" ]; then
    exec "$here/wine-session" "$build" "$0" "$@"
fi

out=$build/run
rm -rf "$out"
mkdir -p "$out"
cd "$root"
export VORN_BUILD_DIR=$build
account=60-12-47/31926818

# tilohost STATUS ARGUMENTS...: shows the command as a person would type it,
# then its output; it must end with exit status STATUS.
tilohost() {
    local wanted=$1 shown=() argument status=0
    shift
    for argument in "$@"; do
        case $argument in
            *[\ \;\&]*) shown+=("'$argument'") ;;
            *) shown+=("$argument") ;;
        esac
    done
    echo
    echo "\$ scripts/tilohost ${shown[*]}"
    "$here/tilohost" "$@" || status=$?
    echo "(exit status $status)"
    if [ "$status" != "$wanted" ]; then
        echo "run-samples: exit status $status, not $wanted" >&2
        exit 1
    fi
}

tilohost 0 register

formats=("standard-domestic" "template-domestic" "bulk-list" "ad-hoc-bulk")
answers=("format=0"
         "format=1;template=SUPPLIERS JUNE"
         "format=2;template=SUPPLIERS;benref=VORN JUNE RUN"
         "format=3;benref=VORN JUNE RUN")
for format in 0 1 2 3; do
    name=${formats[$format]}
    # The sample batch holds payments that fail their checks: status 5.
    tilohost 5 pay samples/payments.csv --account "$account" \
        --auto "${answers[$format]};save=$out/$name.csv" --report "$out/pay-$name.report"
done

for layout in 18 14; do
    tilohost 0 import "samples/statement-$layout-columns.csv" --account "$account" \
        --report "$out/import-$layout-columns.report"
done

echo
echo "Where the files went ($out):"
for file in "$out"/*; do
    echo "  ${file#"$root"/}  ($(wc -l <"$file") lines)"
done
