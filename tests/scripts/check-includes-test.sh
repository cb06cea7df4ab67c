#!/usr/bin/env bash
# scripts/check-includes.sh on a copy of the tree: it passes the tree as it
# is, and names the file and line of each include against the direction
# once wrong ones are put in.
#   check-includes-test.sh SOURCE_DIR
set -uo pipefail
source=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

mkdir -p "$work/scripts"
cp "$source/README.md" "$work/"
cp "$source/scripts/check-includes.sh" "$work/scripts/"
cp -r "$source/src" "$source/host" "$work/"

"$work/scripts/check-includes.sh" "$work" >"$work/clean.out" || fail "the tree as it is: $(cat "$work/clean.out")"

# append FILE LINE: LINE becomes the last line of FILE; echoes its number.
append() {
    echo "$2" >>"$work/$1"
    wc -l <"$work/$1"
}

upward=$(append src/com/ComModule.cpp '#include "payments/PaymentRun.h"')
sideways=$(append src/statements/TransactionFile.h '#include "dialog/BankingCalendar.h"')
intoObjects=$(append host/standin/BankSettings.cpp '#include "objects/FakePayments.h"')
standinInside=$(append host/tilohost/PayCommand.cpp '#include "standin/StandInState.h"')
componentInside=$(append host/robot/WindowRobot.cpp '#include "com/ErrorReporting.h"')
flat=$(append host/tilohost/ReportFile.cpp '#include "FileAccess.h"')
throughShare=$(append src/com/PaymentTypes.h '#include "text/CString.h"')
# A misspelt file in the table: what it names is refused, and said to be
# missing.
sed -i 's#`src/com/ObjectRoot.h`#`src/com/ObjectRoots.h`#' "$work/README.md"
tableUse=$(grep -n '^#include "com/ObjectRoot.h"' "$work/host/common/HostObjectRoot.h" | cut -d: -f1)
mkdir -p "$work/host/newfolder"
echo '#pragma once' >"$work/host/newfolder/Thing.h"
# What may stay: generated headers, the host's share of src/, the folders
# named in the row and their own.
append host/tilohost/ReportFile.cpp '#include "VornTiloOnline.h"' >/dev/null
append host/tilohost/ReportFile.cpp '#include "com/ComHolders.h"' >/dev/null
append host/tilohost/ReportFile.cpp '#include "common/HostObjectRoot.h"' >/dev/null
append src/module/Registration.cpp '#include "text/CString.h"' >/dev/null

"$work/scripts/check-includes.sh" "$work" >"$work/wrong.out"
status=$?
[ "$status" = 1 ] || fail "exit status $status with wrong includes, not 1"
for wanted in \
    "src/com/ComModule.cpp:$upward: includes src/payments/PaymentRun.h, which src/com/ may not include (README.md, Layout)" \
    "src/statements/TransactionFile.h:$sideways: includes src/dialog/BankingCalendar.h, which src/statements/ may not include (README.md, Layout)" \
    "host/standin/BankSettings.cpp:$intoObjects: includes host/objects/FakePayments.h, which host/standin/ may not include (README.md, Layout)" \
    "host/tilohost/PayCommand.cpp:$standinInside: includes host/standin/StandInState.h, which host/tilohost/ may not include (README.md, Layout)" \
    "host/robot/WindowRobot.cpp:$componentInside: includes src/com/ErrorReporting.h, which host/robot/ may not include (README.md, Layout)" \
    "host/tilohost/ReportFile.cpp:$flat: \"FileAccess.h\" is no folder-qualified path to a file of src/ or host/" \
    "src/com/PaymentTypes.h:$throughShare: includes src/text/CString.h, which host/ may not include, though it may include src/com/PaymentTypes.h (README.md, Layout)" \
    "host/newfolder/Thing.h: its folder host/newfolder/ has no row in the README's layout table" \
    "README.md: the layout table's row of host/ names src/com/ObjectRoots.h, which is not there" \
    "host/common/HostObjectRoot.h:$tableUse: includes src/com/ObjectRoot.h, which host/common/ may not include (README.md, Layout)" \
    "check-includes: 10 include(s) against the direction in README.md's layout table"; do
    grep -qxF -- "$wanted" "$work/wrong.out" || fail "no line \"$wanted\""
done
lines=$(grep -c . "$work/wrong.out")
[ "$lines" = 11 ] || fail "$lines lines, not 11: $(cat "$work/wrong.out")"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "check-includes: passes the tree, names every wrong include"
