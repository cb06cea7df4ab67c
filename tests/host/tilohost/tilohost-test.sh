#!/usr/bin/env bash
# The command-line host run as a person runs it, through scripts/tilohost,
# on the bundled samples and on bad input: its reports are compared with the
# expected ones kept beside this script, its exit statuses and its key lines
# for people are checked. Runs inside the tests' Wine session (ctest).
#   tilohost-test.sh SOURCE_DIR BUILD_DIR
#
# The processing date: the runs take the date the dialog offers (the next
# crediting day, always one it accepts), except one that sets a Wednesday 8
# to 21 days ahead that is not 25 or 26 December or 1 January, a banking day
# within 45 days whatever today is; that date is checked in its payment file.
# The reports hold no date of the run, so they are compared whole.
set -uo pipefail
source=$(cd "$1" && pwd)
export VORN_BUILD_DIR=$2
expected=$source/tests/host/tilohost/expected
inputs=$source/tests/host/tilohost/input
samples=$source/samples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
account=60-12-47/31926818

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# run NAME STATUS ARGUMENTS...: runs tilohost, output in $work/NAME.out and
# $work/NAME.err; the exit status must be STATUS.
run() {
    local name=$1 wanted=$2
    shift 2
    "$source/scripts/tilohost" "$@" >"$work/$name.out" 2>"$work/$name.err"
    local status=$?
    [ "$status" = "$wanted" ] || fail "$name: exit status $status, not $wanted: $(cat "$work/$name.err")"
}

# same_report NAME: $work/NAME.report is the expected one.
same_report() {
    if ! diff -u "$expected/$1.report" "$work/$1.report"; then
        fail "$1: the report differs from tests/host/tilohost/expected/$1.report"
    fi
}

# says NAME TEXT: the output (standard output and error) holds TEXT.
says() {
    grep -qF -- "$2" "$work/$1.out" "$work/$1.err" || fail "$1: no line with \"$2\""
}

# A Wednesday 8 to 21 days ahead that is no bank holiday.
processing_day() {
    local offset day
    for offset in $(seq 8 21); do
        day=$(date -d "+$offset days" +%F)
        case $(date -d "$day" +%u-%m-%d) in
            3-12-25 | 3-12-26 | 3-01-01) ;;
            3-*) echo "$day"; return ;;
        esac
    done
}

# Registering again changes nothing.
run register 0 register
says register "type library VORNTILOONLINELib 1.0: registered"
says register "bank in the category \"Vorn Bank Components\": registered"

# The sample batch through the four formats.
day=$(processing_day)
formats=("format=0;iat=0;date=$day"
         "format=1;template=SUPPLIERS JUNE"
         "format=2;template=SUPPLIERS;benref=VORN JUNE RUN"
         "format=3;benref=VORN JUNE RUN")
for format in 0 1 2 3; do
    name=pay-format$format
    run $name 0 pay "$samples/payments.csv" --account "$account" \
        --auto "${formats[$format]};save=$work/format$format.csv" --report "$work/$name.report"
    same_report $name
    says $name "Run status: 1 (RunHasInvalidPayments)"
    says $name "HRESULT: 0x00000001 (S_FALSE)"
    [ -f "$work/format$format.csv" ] || fail "$name: no payment file"
done
says pay-format0 "Robot: IAT rows 0 marked (Set)"
says pay-format0 "Robot: processing date $day set"
says pay-format0 "     6      -45.00  Greenway Cleaning Co"
says pay-format0 "21  Invalid Amount specified for payment: negative payments not supported."
says pay-format0 "Payment file: "
# Row 0 marked in the dialog and the batch's own IAT (row 5) give IAT lines.
[ "$(cut -d, -f4 "$work/format0.csv" | tr -d '\r' | tr '\n' ' ')" = "03 01 01 01 01 03 01 01 01 01 01 " ] ||
    fail "pay-format0: record types $(cut -d, -f4 "$work/format0.csv" | tr '\r\n' '  ')"
grep -q ",$(date -d "$day" +%d%m%Y)," "$work/format0.csv" || fail "pay-format0: the processing date $day is not in the file"
[ "$(wc -l <"$work/format2.csv")" = 12 ] || fail "pay-format2: not a header line and 11 payment lines"

# A processing date before today is refused, OK does not close the dialog,
# Cancel does (dropping the changes): nothing is written.
run pay-refused-date 0 pay "$samples/payments.csv" --account "$account" \
    --auto "format=1;template=T;date=2001-01-01;save=$work/refused.csv" --report "$work/pay-refused-date.report"
same_report pay-refused-date
says pay-refused-date "Robot: the dialog stayed open after OK: cancelled"
says pay-refused-date "Payment file: none written"
[ ! -e "$work/refused.csv" ] || fail "pay-refused-date: a payment file was written"

# A file that exists is replaced: the question is reported and answered Yes.
run pay-replace 0 pay "$samples/payments.csv" --auto "save=$work/format0.csv" --report "$work/pay-replace.report"
grep -q '^message,.*replace it?$' "$work/pay-replace.report" || fail "pay-replace: no question to replace the file"
tail -n 1 "$work/pay-replace.report" | grep -qx 'run,1,0x00000001' || fail "pay-replace: not written"

# Cancelling the save dialog.
run pay-save-cancel 0 pay "$samples/payments.csv" --auto "format=3;save=cancel" --report "$work/pay-save-cancel.report"
tail -n 1 "$work/pay-save-cancel.report" | grep -qx 'run,3,0x00000000' || fail "pay-save-cancel: not cancelled"

# The host's payment file defaults: the save dialog offers that name in
# that folder, and the robot saves under it; a picture of the dialog is kept.
run pay-defaults 0 pay "$samples/payments.csv" --defaults "june-batch,txt,$work" \
    --auto "format=2;template=T;benref=B;shot=$work/dialog.png" --report "$work/pay-defaults.report"
[ -f "$work/june-batch.txt" ] || fail "pay-defaults: not saved under the offered name"
[ "$(head -c 4 "$work/dialog.png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "pay-defaults: no picture"
# A default folder that does not exist is reported, and C:\ offered instead.
run pay-no-folder 0 pay "$samples/payments.csv" --defaults="june-batch,csv,$work/no-such-folder" \
    --auto "save=cancel" --report "$work/pay-no-folder.report"
grep -q '^message,Invalid default path,' "$work/pay-no-folder.report" || fail "pay-no-folder: no warning"

# More than 4000 payments: the message, and no dialog.
{
    echo "Amount,PayeeAccountName"
    for index in $(seq 4001); do echo "1.00,Payee $index"; done
} >"$work/too-many.csv"
run pay-too-many 0 pay "$work/too-many.csv" --auto "format=0" --report "$work/pay-too-many.report"
[ "$(tail -n 2 "$work/pay-too-many.report")" = "message,Vorn Tilo Online,Too many payment instructions have been submitted. Tilo Online supports a maximum of 4000 payments in a single file.
run,40,0x00000028" ] || fail "pay-too-many: $(tail -n 2 "$work/pay-too-many.report")"
[ "$(grep -c '^payment,' "$work/pay-too-many.report")" = 4001 ] || fail "pay-too-many: not every payment reported"

# The statements of both layouts, the account's lines only.
for layout in 18 14; do
    name=import-$layout-columns
    run $name 0 import "$samples/statement-$layout-columns.csv" --account "$account" --report "$work/$name.report"
    same_report $name
    says $name "Recognition: 1, a \"Tilo Online Statement\""
done
says import-18-columns "     4  03/06/2026  debit          150.00  100231              CHQ 100231 PETTY CASH"

# The user cancels the file choice: the statement is not touched.
run import-cancel 0 import "$samples/statement-14-columns.csv" --cancel --report="$work/import-cancel.report"
same_report import-cancel

# A file that is no statement (the recognition declines it, the user picks
# it all the same): the statement is cleared and gets nothing.
run import-no-statement 0 import "$samples/payments.csv" --account "$account" --report "$work/import-no-statement.report"
same_report import-no-statement
says import-no-statement "Recognition: 0, not a statement file"

# Bad input: the program stops before it runs anything, and writes no report.
run bad-column 2 pay "$inputs/unknown-column.csv" --auto format=0 --report "$work/bad-column.report"
says bad-column "unknown-column.csv: line 1: unknown column \"Payee Name\""
run bad-amount 2 pay "$inputs/bad-amount.csv" --auto format=0 --report "$work/bad-amount.report"
says bad-amount "bad-amount.csv: line 4: malformed amount \"1,250.00\""
run missing-batch 2 pay "$work/no-such-batch.csv" --auto format=0 --report "$work/missing-batch.report"
says missing-batch "no-such-batch.csv: no such file"
run missing-statement 2 import "$work/no-such-statement.csv" --report "$work/missing-statement.report"
says missing-statement "no-such-statement.csv: no such file"
run folder-statement 2 import "$work" --report "$work/folder-statement.report"
says folder-statement "a folder, not a statement file"
for name in bad-column bad-amount missing-batch missing-statement folder-statement; do
    [ ! -e "$work/$name.report" ] || fail "$name: a report was written"
done

# Bad usage.
run unknown-command 2 frobnicate
says unknown-command "unknown command \"frobnicate\""
says unknown-command "tilohost help"
run wrong-option 2 import "$samples/statement-14-columns.csv" --auto format=0
says wrong-option "option --auto does not belong to command import"
run bad-answer 2 pay "$samples/payments.csv" --auto "format=0;iat=11"
says bad-answer "iat row 11 is not in the batch of 11 payments"
run help 0 help
says help "Usage:"
says help "Linux paths"

run status-text 0 status-text 29
says status-text "29: Invalid Payee Bank Account Number: the account number must be 8 digits and a numeric value."
run status-none 0 status-text 40
says status-none "40: (no text)"

# Unregistering twice, and what the host meets then: its call fails.
run unregister 0 unregister
says unregister "class VornTiloOnline.Bank.1: not registered"
says unregister "type library VornEBanking 1.0: not registered"
run unregister-again 0 unregister
says unregister-again "Component: not registered, nothing to remove"
run unregistered 1 status-text 0
says unregistered "VornTiloOnline.Bank.1 is not registered (run: tilohost register)"
run register-again 0 register

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "tilohost: all checks passed"
