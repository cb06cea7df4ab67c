#!/usr/bin/env bash
# The command-line host run as a person runs it, through scripts/tilohost,
# on the bundled samples and on bad input: its reports are compared with the
# expected ones kept beside this script, its exit statuses (one run of each
# kind of outcome) and its key lines for people are checked. Runs inside the
# tests' Wine session (ctest).
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
    [ "$status" = "$wanted" ] ||
        fail "$name: exit status $status, not $wanted: $(tail -n 8 "$work/$name.out") $(cat "$work/$name.err")"
    says_not "$name" "which the host does not serve"
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

# says_not NAME TEXT: no line of the output holds TEXT.
says_not() {
    ! grep -qF -- "$2" "$work/$1.out" "$work/$1.err" || fail "$1: a line with \"$2\""
}

# The pid of the Wine server of the tests' prefix (its working folder is
# named after the prefix folder's device and inode); empty when none runs.
server_pid() {
    local name process
    name=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
    for process in /proc/[0-9]*; do
        case $(readlink "$process/cwd" 2>/dev/null) in
            */"$name") echo "${process#/proc/}"; return ;;
        esac
    done
}

source "$source/tests/support/processing-day.sh"

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
    run $name 5 pay "$samples/payments.csv" --account "$account" \
        --auto "${formats[$format]};save=$work/format$format.csv" --report "$work/$name.report"
    same_report $name
    says $name "Run status: 1 (RunHasInvalidPayments)"
    says $name "HRESULT: 0x00000001 (S_FALSE)"
    says $name "  1 failed with code 28: Invalid Payee Sort Code: the sort code must contain exactly 6 digits."
    says $name "payments that failed their checks are in the payment file all the same"
    [ -f "$work/format$format.csv" ] || fail "$name: no payment file"
done
# What was written, read back from each file. The template format checks
# no payee name.
says pay-format0 "Summary: 11 payments: 7 passed their checks, 4 failed them"
says pay-format1 "Summary: 11 payments: 8 passed their checks, 3 failed them"
says pay-format1 "Warning: 3 payments that failed their checks are in the payment file all the same"
says pay-format0 "  Amount of the payments that passed: 6018.34"
says pay-format0 "  Written as IATs: 2"
says pay-format0 "  Written: format 0 (Standard Domestic/IATs), processing date $(date -d "$day" +%d/%m/%Y), template none, beneficiary reference none"
says pay-format1 "  Written: format 1 (Use a Template for Domestic/IAT), processing date "
says pay-format1 ", template \"SUPPLIERS JUNE\", beneficiary reference none"
says pay-format2 ", template \"SUPPLIERS\", beneficiary reference \"VORN JUNE RUN\""
says pay-format3 "  Written: format 3 (Ad Hoc Bulk Payments), processing date "
says pay-format3 "  Written as IATs: 0"
says pay-format0 "format0.csv  ($work/format0.csv), $(stat -c %s "$work/format0.csv") bytes, 11 lines"
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
run pay-refused-date 3 pay "$samples/payments.csv" --account "$account" \
    --auto "format=1;template=T;date=2001-01-01;save=$work/refused.csv" --report "$work/pay-refused-date.report"
same_report pay-refused-date
says pay-refused-date "Robot: the dialog stayed open after OK: cancelled"
says pay-refused-date "Payment file: none written"
says pay-refused-date "Summary: 11 payments, no payment file: the run was cancelled"
[ ! -e "$work/refused.csv" ] || fail "pay-refused-date: a payment file was written"

# A file that exists is replaced: the question is reported and answered Yes.
run pay-replace 5 pay "$samples/payments.csv" --auto "save=$work/format0.csv" --report "$work/pay-replace.report"
grep -q '^message,.*replace it?$' "$work/pay-replace.report" || fail "pay-replace: no question to replace the file"
grep -qx 'run,1,0x00000001' "$work/pay-replace.report" || fail "pay-replace: not written"

# Cancelling the save dialog, or the payment dialog.
run pay-save-cancel 3 pay "$samples/payments.csv" --auto "format=3;save=cancel" --report "$work/pay-save-cancel.report"
[ "$(tail -n 2 "$work/pay-save-cancel.report")" = "run,3,0x00000000
summary,11,0,0,0.00,0,," ] || fail "pay-save-cancel: not cancelled: $(tail -n 2 "$work/pay-save-cancel.report")"
run pay-dialog-cancel 3 pay "$samples/payments.csv" --auto "dialog=cancel" --report "$work/pay-dialog-cancel.report"
grep -qx 'run,3,0x00000000' "$work/pay-dialog-cancel.report" || fail "pay-dialog-cancel: not cancelled"

# Every payment valid: the one outcome that is all done.
printf '%s\n' "Amount,PayerSortCode,PayerAccountNumber,PayeeAccountName,PayeeSortCode,PayeeAccountNumber,PayeeReference,StatusCode" \
    "100.00,60-12-47,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678,INV 2041,0" \
    "25.50,60-12-47,31926818,Vorn Trading Reserve,60-12-47,31926845,TRANSFER,1" >"$work/valid.csv"
run pay-valid 0 pay "$work/valid.csv" --account "$account" --auto "save=$work/valid-payments.csv" \
    --report "$work/pay-valid.report"
[ "$(tail -n 2 "$work/pay-valid.report")" = "run,0,0x00000000
summary,2,2,0,125.50,1,0,$(stat -c %s "$work/valid-payments.csv")" ] || fail "pay-valid: $(tail -n 2 "$work/pay-valid.report")"
says pay-valid "Summary: 2 payments: 2 passed their checks, 0 failed them"
says_not pay-valid "Warning"

# A spreadsheet's trailing rows of empty fields are no payments.
{ cat "$work/valid.csv"; printf ',,,,,,,\r\n,,,,,,,\r\n   \r\n'; } >"$work/trailing-rows.csv"
run pay-trailing-rows 0 pay "$work/trailing-rows.csv" --auto "save=$work/trailing-rows-payments.csv"
[ "$(wc -l <"$work/trailing-rows-payments.csv")" = 2 ] || fail "pay-trailing-rows: $(cat "$work/trailing-rows-payments.csv")"

# A report or log that would be written over the batch, the statement or the
# payment file is refused before anything runs, and the input stays.
cp "$work/valid.csv" "$work/victim.csv"
run pay-report-over-batch 2 pay "$work/victim.csv" --auto "save=$work/victim-payments.csv" --report "$work/victim.csv"
says pay-report-over-batch "the report would be written over the batch file"
cmp -s "$work/valid.csv" "$work/victim.csv" || fail "pay-report-over-batch: the batch was changed"
run pay-report-over-payments 2 pay "$work/valid.csv" --auto "save=$work/same.csv" --report "$work/same.csv"
says pay-report-over-payments "the report would be written over the payment file"
cp "$samples/statement-14-columns.csv" "$work/victim-statement.csv"
run import-log-over-statement 2 import "$work/victim-statement.csv" --account "$account" --log "$work/victim-statement.csv"
says import-log-over-statement "the log would be written over the statement file"
cmp -s "$samples/statement-14-columns.csv" "$work/victim-statement.csv" ||
    fail "import-log-over-statement: the statement was changed"

# A report or log that cannot be written (a full disk) is a failure.
run import-report-full 1 import "$samples/statement-14-columns.csv" --account "$account" --report 'C:\vorn-full-disk.csv'
says import-report-full "the report could not be written"
run import-log-full 1 import "$samples/statement-14-columns.csv" --account "$account" --log 'C:\vorn-full-disk.csv'
says import-log-full "the log could not be written"
says_not import-log-full "Component log: "

# A save= path of its own is taken from the current folder.
cd "$work"
run pay-relative 0 pay valid.csv --auto "save=relative.csv"
cd - >/dev/null
[ -f "$work/relative.csv" ] || fail "pay-relative: the payment file is not in the current folder"

# A save= name beyond ASCII is saved under that name; one the ANSI code page
# cannot hold is refused before anything runs, not saved under another name.
run pay-accented 0 pay "$work/valid.csv" --auto "save=$work/paiement-café.csv"
[ -f "$work/paiement-café.csv" ] || fail "pay-accented: not saved as paiement-café.csv: $(ls "$work")"
run pay-not-ansi 2 pay "$work/valid.csv" --auto "save=$work/Ωmega.csv"
says pay-not-ansi "the payment file's name must be written in the ANSI code page"
[ -z "$(find "$work" -iname '*mega.csv')" ] || fail "pay-not-ansi: a file was written: $(ls "$work")"

# A payment file that cannot be written (its folder does not exist, not
# even in the virtual store): run status 2, no payment file.
run pay-no-file 4 pay "$work/valid.csv" --auto "save=$work/no-such-folder/payments.csv" \
    --report "$work/pay-no-file.report"
grep -qx 'run,2,0x00000000' "$work/pay-no-file.report" || fail "pay-no-file: $(tail -n 2 "$work/pay-no-file.report")"
says pay-no-file "Summary: 2 payments, no payment file: the payment file could not be written (run status 2)"
says pay-no-file 'no-such-folder\payments.csv: system error 3'

# Amounts with more than two decimals: each is warned of with the amount
# the file carries, and the total is of the amounts as written.
printf '%s\n' "Amount,PayerSortCode,PayerAccountNumber,PayeeAccountName,PayeeSortCode,PayeeAccountNumber" \
    "10.005,60-12-47,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678" \
    "0.125,60-12-47,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678" \
    "2.675,60-12-47,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678" \
    "1.115,60-12-47,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678" >"$work/pence.csv"
run pay-pence 0 pay "$work/pence.csv" --auto "save=$work/pence-payments.csv"
says pay-pence "payment 0: the amount 10.005 has more than two decimals; the payment file carries 10.01"
says pay-pence "Amount of the payments that passed: 13.91"

# A bulk header that fails its checks (the payer's sort code): the header
# is written alone.
printf '%s\n' "Amount,PayerSortCode,PayerAccountNumber,PayeeAccountName,PayeeSortCode,PayeeAccountNumber" \
    "10.00,60-12,31926818,Harbour Lane Joinery Ltd,40-11-22,12345678" \
    "20.00,60-12,31926818,Kestrel Print & Design,30-90-12,55556666" >"$work/bad-payer.csv"
run pay-bad-header 5 pay "$work/bad-payer.csv" --auto "format=3;save=$work/bad-header.csv" \
    --report "$work/pay-bad-header.report"
says pay-bad-header "Summary: 2 payments: the header line failed its checks on payment 0, so no payment line was written"
says pay-bad-header "  1 failed with code 23: Invalid Payer Sort Code"
says pay-bad-header "Not written to the payment file."
[ "$(tail -n 1 "$work/pay-bad-header.report")" = "summary,2,0,1,0.00,0,3,$(stat -c %s "$work/bad-header.csv")" ] ||
    fail "pay-bad-header: $(tail -n 1 "$work/pay-bad-header.report")"

# The host's payment file defaults: the save dialog offers that name in
# that folder, and the robot saves under it; a picture of the dialog is kept.
run pay-defaults 5 pay "$samples/payments.csv" --defaults "june-batch,txt,$work" \
    --auto "format=2;template=T;benref=B;shot=$work/dialog.png" --report "$work/pay-defaults.report"
[ -f "$work/june-batch.txt" ] || fail "pay-defaults: not saved under the offered name"
[ "$(head -c 4 "$work/dialog.png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "pay-defaults: no picture"
# A default folder that does not exist is reported, and C:\ offered instead.
run pay-no-folder 3 pay "$samples/payments.csv" --defaults="june-batch,csv,$work/no-such-folder" \
    --auto "save=cancel" --report "$work/pay-no-folder.report"
grep -q '^message,Invalid default path,' "$work/pay-no-folder.report" || fail "pay-no-folder: no warning"

# More than 4000 payments: the message, and no dialog.
{
    echo "Amount,PayeeAccountName"
    for index in $(seq 4001); do echo "1.00,Payee $index"; done
} >"$work/too-many.csv"
run pay-too-many 4 pay "$work/too-many.csv" --auto "format=0" --report "$work/pay-too-many.report"
[ "$(tail -n 3 "$work/pay-too-many.report")" = "message,Vorn Tilo Online,Too many payment instructions have been submitted. Tilo Online supports a maximum of 4000 payments in a single file.
run,40,0x00000028
summary,4001,0,0,0.00,0,," ] || fail "pay-too-many: $(tail -n 3 "$work/pay-too-many.report")"
says pay-too-many "no payment file: the batch holds more than 4000 payments"
[ "$(grep -c '^payment,' "$work/pay-too-many.report")" = 4001 ] || fail "pay-too-many: not every payment reported"

# The statements of both layouts, the account's lines only.
for layout in 18 14; do
    name=import-$layout-columns
    run $name 0 import "$samples/statement-$layout-columns.csv" --account "$account" --report "$work/$name.report"
    same_report $name
    says $name "Recognition: 1, a \"Tilo Online Statement\""
done
says import-18-columns "     4  03/06/2026  debit          150.00  100231              CHQ 100231 PETTY CASH"
says import-18-columns "Summary: 9 transactions received: 7 debits totalling 4621.85, 2 credits totalling 7318.60; dated 01/06/2026 to 10/06/2026"

# The user cancels the file choice: the statement is not touched.
run import-cancel 3 import "$samples/statement-14-columns.csv" --cancel --report="$work/import-cancel.report"
same_report import-cancel
says import-cancel "Summary: no transactions received: no file was chosen (cancelled)"

# A file that is no statement (the recognition declines it, the user picks
# it all the same): the import is refused, and the statement is not touched.
run import-no-statement 1 import "$samples/payments.csv" --account "$account" --report "$work/import-no-statement.report"
same_report import-no-statement
says import-no-statement "Recognition: 0, not a statement file"
says import-no-statement "The file is not a statement file: its first line has "
says_not import-no-statement "Statement cleared"

# The component's log: the reader's text at the end of the reading, with
# the time it was written.
run import-log 0 import "$samples/statement-14-columns.csv" --account "$account" --report "$work/import-log.report" \
    --log "$work/import-log.log"
grep -qE '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}  Failed to read the Balance record$' \
    "$work/import-log.log" || fail "import-log: no time-stamped text of the reader: $(cat "$work/import-log.log")"
says import-log "Component log: "
says import-log " in "

# A transaction line after a short line (the footer) refuses the whole file,
# naming both lines; a footer at the end of the file is read as the end.
{
    head -n 3 "$samples/statement-14-columns.csv"
    echo "TOTALS,,3"
    tail -n 1 "$samples/statement-14-columns.csv"
} >"$work/line-after-footer.csv"
run import-line-after-footer 1 import "$work/line-after-footer.csv" --account "$account"
says import-line-after-footer "Line 5 of the statement: a transaction line follows the footer at line 4. Nothing was imported."
says_not import-line-after-footer "Statement cleared"
{ cat "$samples/statement-14-columns.csv"; echo "TOTALS,,3"; } >"$work/footer.csv"
run import-footer 0 import "$work/footer.csv" --account "$account"
says_not import-footer "Warning"

# An amount that is no plain number refuses the file, naming line and text.
sed '3s/,64\.00,/,2E3,/' "$samples/statement-14-columns.csv" >"$work/exponent.csv"
run import-exponent 1 import "$work/exponent.csv" --account "$account"
says import-exponent "Line 3 of the statement has \"2E3\" in its Debit column, which is not a plain amount"

# A statement whose full path is over 259 characters is refused by the
# component for its name, never taken for a missing file.
long=$work/$(printf 'a%.0s' {1..120})/$(printf 'b%.0s' {1..120})
mkdir -p "$long"
cp "$samples/statement-14-columns.csv" "$long/statement.csv"
run import-long-path 1 import "$long/statement.csv" --account "$account"
says import-long-path "File name is too long."

# Blank lines in the middle of a statement (a file edited by hand) drop
# nothing.
{
    head -n 2 "$samples/statement-14-columns.csv"
    printf '\r\n   \r\n\r\n'
    tail -n +3 "$samples/statement-14-columns.csv"
} >"$work/blank-lines.csv"
run import-blank-lines 0 import "$work/blank-lines.csv" --account "$account" --report "$work/import-blank-lines.report"
diff -q <(grep '^txn,' "$expected/import-14-columns.report") <(grep '^txn,' "$work/import-blank-lines.report") \
    >/dev/null || fail "import-blank-lines: not the transactions of the sample"

# A statement whose name the ANSI code page cannot hold is read by its wide
# path.
cp "$samples/statement-14-columns.csv" "$work/выписка.csv"
run import-wide-name 0 import "$work/выписка.csv" --account "$account" --report "$work/import-wide-name.report"
diff -q <(grep '^txn,' "$expected/import-14-columns.report") <(grep '^txn,' "$work/import-wide-name.report") >/dev/null ||
    fail "import-wide-name: not the transactions of the sample"

# An account none of whose lines the file has: exit 6, and the accounts the
# file does hold.
run import-other-account 6 import "$samples/statement-14-columns.csv" --account 11-22-33/12345678 \
    --report "$work/import-other-account.report"
says import-other-account "Summary: no transactions received: the file holds no line for the bank account"
says import-other-account "  the file holds 60-12-47 31926818: "
[ "$(tail -n 1 "$work/import-other-account.report")" = "summary,0,0,0.00,0,0.00,,,1" ] ||
    fail "import-other-account: $(tail -n 1 "$work/import-other-account.report")"

# Bad input: the program stops before it runs anything, and writes no report.
run bad-column 2 pay "$inputs/unknown-column.csv" --auto format=0 --report "$work/bad-column.report"
says bad-column "unknown-column.csv: line 1: unknown column \"Payee Name\""
run bad-amount 2 pay "$inputs/bad-amount.csv" --auto format=0 --report "$work/bad-amount.report"
says bad-amount "bad-amount.csv: line 4: malformed amount \"1,250.00\""
printf 'Amount,PayeeAccountName\n' >"$work/header-only.csv"
run header-only 2 pay "$work/header-only.csv" --auto format=0 --report "$work/header-only.report"
says header-only "header-only.csv: line 1: a header line and no payment: nothing to pay"
run missing-batch 2 pay "$work/no-such-batch.csv" --auto format=0 --report "$work/missing-batch.report"
says missing-batch "no-such-batch.csv: no such file"
run missing-statement 2 import "$work/no-such-statement.csv" --report "$work/missing-statement.report"
says missing-statement "no-such-statement.csv: no such file"
run folder-statement 2 import "$work" --report "$work/folder-statement.report"
says folder-statement "a folder, not a statement file"
for name in bad-column bad-amount header-only missing-batch missing-statement folder-statement; do
    [ ! -e "$work/$name.report" ] || fail "$name: a report was written"
done

# A StatusCode other than 0 or 1 is run, with a warning.
printf 'Amount,PayeeAccountName,StatusCode\n1.00,A,2\n2.00,B,1\n' >"$work/iat-two.csv"
run iat-two 3 pay "$work/iat-two.csv" --auto "dialog=cancel"
says iat-two "tilohost: warning: line 2: StatusCode 2 is neither 0 nor 1: the component treats every value but 0 as an IAT mark"
says_not iat-two "line 3:"

# Bad usage.
run bare 2
says bare "Usage:"
run pay-no-file-given 2 pay
says pay-no-file-given "command pay wants a file"
says pay-no-file-given "Usage:"
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
run status-all 0 status-text
says status-all "   0  Payment processed successfully."
says status-all "  35  An error occurred with the status field."
[ "$(grep -cE '^ +[0-9]+  ' "$work/status-all.out")" = 17 ] || fail "status-all: not the 17 codes with a text"

run version 0 --version
says version "tilohost $(head -n 1 "$source/VERSION")"
says version "Component VornTiloOnline.Bank.1: file version $(head -n 1 "$source/VERSION")"
says version "($VORN_BUILD_DIR/bin/VornTiloOnline.dll)"

# Without a display: the usage comes first, pay wants its answers, and the
# Wine server that runs for the prefix (this session's) is left running.
server=$(server_pid)
[ -n "$server" ] || fail "no Wine server found for $WINEPREFIX"
env -u DISPLAY "$source/scripts/tilohost" pay >"$work/headless-usage.out" 2>"$work/headless-usage.err"
[ $? = 2 ] || fail "headless-usage: not exit status 2"
says headless-usage "command pay wants a file"
says_not headless-usage "display"
env -u DISPLAY "$source/scripts/tilohost" pay "$samples/payments.csv" >"$work/headless-pay.out" 2>"$work/headless-pay.err"
[ $? = 2 ] || fail "headless-pay: not exit status 2"
says headless-pay "there is no display: give --auto ANSWERS"
env -u DISPLAY "$source/scripts/tilohost" status-text 21 >"$work/headless-text.out" 2>"$work/headless-text.err"
[ $? = 0 ] || fail "headless-text: not exit status 0: $(cat "$work/headless-text.err")"
says headless-text "21: Invalid Amount"
[ "$(server_pid)" = "$server" ] || fail "the Wine server $server of the session was ended"

# The component's call fails: the host's settings component is not
# registered (the stand-in removed by its own regsvr32 /u).
"$source/scripts/wine-run" regsvr32 /s /u "$("$source/scripts/wine-run" winepath -w "$VORN_BUILD_DIR/bin/VornHostStandIn.dll")"
run pay-fails 1 pay "$work/valid.csv" --auto "format=0" --report "$work/pay-fails.report"
grep -qx 'run,[0-9]*,0x80020009' "$work/pay-fails.report" || fail "pay-fails: $(tail -n 2 "$work/pay-fails.report")"
says pay-fails "Summary: 2 payments, no payment file: the component's call failed (0x80020009)"
run import-fails 1 import "$samples/statement-14-columns.csv" --report "$work/import-fails.report"
grep -qx 'import,0,0x80020009' "$work/import-fails.report" || fail "import-fails: $(tail -n 2 "$work/import-fails.report")"
run register-host 0 register

# Unregistering twice, and what the host meets then: its call fails.
run unregister 0 unregister
says unregister "class VornTiloOnline.Bank.1: not registered"
says unregister "type library VornEBanking 1.0: not registered"
run unregister-again 0 unregister
says unregister-again "Component: not registered, nothing to remove"
run unregistered 1 status-text 0
says unregistered "VornTiloOnline.Bank.1 is not registered in the Wine prefix $WINEPREFIX (run: tilohost register)"
run register-again 0 register

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "tilohost: all checks passed"
