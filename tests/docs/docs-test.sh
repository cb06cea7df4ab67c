#!/usr/bin/env bash
# Every example of the pages in docs/ checked against what the tools make of
# it: the batch is paid in the four formats through scripts/tilohost and the
# payment files, the annotated lines and their fields, the report and the
# remembered settings compared with the pages; the statements are imported
# and their reports and the component's log compared; the list of status
# texts compared; the scripting examples run under Wine's cscript. An
# example is the fenced block after a line "<!-- example: NAME -->"; an
# annotated line the block after "<!-- line of: NAME -->", followed by a
# table of "| FIELD | `VALUE` |".
# Runs inside the tests' Wine session (ctest).
#   docs-test.sh SOURCE_DIR BUILD_DIR
#
# The pages show the processing date 17 June 2026; the runs take a date the
# dialog accepts today, which is put back to that one before comparing.
set -uo pipefail
source=$(cd "$1" && pwd)
export VORN_BUILD_DIR=$2
docs=$source/docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
account=60-12-47/31926818
shownDay=17062026
source "$source/tests/support/processing-day.sh"

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# example PAGE NAME: the example's lines.
example() {
    awk -v name="$2" '
        $0 == "<!-- example: " name " -->" { found = 1; next }
        found == 1 && /^```/ { found = 2; next }
        found == 2 && /^```/ { exit }
        found == 2 { print }
    ' "$docs/$1"
}

# take PAGE NAME: the example into $work/NAME.
take() {
    example "$1" "$2" >"$work/$2"
    [ -s "$work/$2" ] || fail "$1: no example $2"
}

# same PAGE NAME FILE: FILE holds what the example shows.
same() {
    diff -u <(example "$1" "$2") "$3" >"$work/diff" ||
        fail "$1: the example $2 is not what the tools make of it:
$(cat "$work/diff")"
}

# tilohost STATUS ARGUMENTS...: a run that must end with exit status STATUS.
tilohost() {
    local wanted=$1
    shift
    "$source/scripts/tilohost" "$@" >"$work/out" 2>&1
    local status=$?
    [ "$status" = "$wanted" ] || fail "tilohost $*: exit status $status, not $wanted: $(tail -n 5 "$work/out")"
}

# The batch in the four formats; the bulk list last, whose remembered texts
# the settings page shows.
take payment-batch.md batch.csv
day=$(processing_day)
written=$(date -d "$day" +%d%m%Y)
names=([0]=standard.csv [1]=template.csv [3]=june-payments.csv [2]=bulk-list.csv)
answers=([0]="format=0" [1]="format=1;template=SUPPLIERS JUNE" [3]="format=3;benref=VORN JUNE RUN"
         [2]="format=2;template=SUPPLIERS;benref=VORN JUNE RUN")
mkdir "$work/paid"
for format in 0 1 3 2; do
    name=${names[$format]}
    # Saved under the page's name, which the ad hoc bulk header holds.
    tilohost 5 pay "$work/batch.csv" --account "$account" \
        --auto "${answers[$format]};date=$day;save=$work/paid/$name" --report "$work/${name%.csv}.report"
    tr -d '\r' <"$work/paid/$name" | sed "s/,$written,/,$shownDay,/" >"$work/$name"
    same payment-file.md "$name" "$work/$name"
done
same payment-batch.md standard.report "$work/standard.report"

# The annotated lines: each a line of its file, each field as its table says.
awk '
    /^<!-- line of: / { file = $4; state = 1; pairs = ""; next }
    state == 1 && /^```/ { state = 2; next }
    state == 2 && /^```/ { state = 3; next }
    state == 2 { line = $0; next }
    state == 3 && /^\| [0-9]+ \| `/ {
        split($0, cells, "|")
        field = cells[2]; gsub(/ /, "", field)
        value = cells[3]; sub(/^ *`/, "", value); sub(/` *$/, "", value)
        pairs = pairs field "=" value "\037"
        next
    }
    state == 3 && /^\|/ { next }
    state == 3 && /^$/ && pairs != "" { print file "\t" line "\t" pairs; state = 0 }
' "$docs/payment-file.md" >"$work/annotated"
[ "$(wc -l <"$work/annotated")" -ge 7 ] || fail "payment-file.md: fewer annotated lines than record types"
while IFS=$'\t' read -r file line pairs; do
    grep -qxF -- "$line" "$work/$file" || fail "payment-file.md: the annotated line is not in $file: $line"
    IFS=$'\037' read -r -a fields <<<"$pairs"
    for pair in "${fields[@]}"; do
        [ -n "$pair" ] || continue
        value=$(cut -d, -f"${pair%%=*}" <<<"$line")
        [ "$value" = "${pair#*=}" ] || fail "payment-file.md: field ${pair%%=*} of a $file line is \"$value\", not \"${pair#*=}\""
    done
done <"$work/annotated"

# The remembered texts of the account, after the bulk list run.
ini=$("$source/scripts/wine-run" winepath -u 'C:\ProgramData\VORN\Vorn EBanking\BANKSERV.INI' 2>/dev/null)
{
    echo "[MIGRATED]"
    tr -d '\r' <"$ini" | grep -E '^TiloOnline(Template|BenRef)601247_31926818='
} >"$work/BANKSERV.INI"
grep -qx '\[MIGRATED\]' <(tr -d '\r' <"$ini") || fail "settings.md: no section MIGRATED in $ini"
same settings.md BANKSERV.INI "$work/BANKSERV.INI"

# The statements.
for layout in 18 14; do
    take statement-file.md "statement-$layout.csv"
    tilohost 0 import "$work/statement-$layout.csv" --account "$account" --report "$work/statement-$layout.report"
    same statement-file.md "statement-$layout.report" "$work/statement-$layout.report"
done
take statement-file.md statement-footer.csv
tilohost 0 import "$work/statement-footer.csv" --account "$account" --log "$work/statement-footer.log"
timeless() { sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}  /TIME  /'; }
diff -u <(example statement-file.md statement-footer.log | timeless) <(timeless <"$work/statement-footer.log") \
    >"$work/diff" || fail "statement-file.md: the log of statement-footer.csv differs:
$(cat "$work/diff")"
# Each refused file fails the import with the message the page shows.
for refused in line-after-footer unquoted-comma 17-fields amount open-quote no-statement; do
    take statement-file.md "refused-$refused.csv"
    tilohost 1 import "$work/refused-$refused.csv" --account "$account"
    grep -qF -- "$(example statement-file.md "refused-$refused.message")" "$work/out" ||
        fail "statement-file.md: refused-$refused.csv is not refused as the page says: $(tail -n 4 "$work/out")"
done

# The status texts.
tilohost 0 status-text
same status-codes.md status-text.out "$work/out"

# The scripting examples, late bound under Wine's cscript, each printing
# what the page shows.
for script in services.vbs services.js; do
    take scripting.md "$script"
    "$source/scripts/wine-run" cscript //nologo "$("$source/scripts/wine-run" winepath -w "$work/$script" 2>/dev/null)" \
        </dev/null >"$work/$script.out" 2>"$work/$script.err" ||
        fail "scripting.md: cscript $script failed: $(tail -n 5 "$work/$script.err")"
    tr -d '\r' <"$work/$script.out" >"$work/$script.txt"
    same scripting.md "$script.out" "$work/$script.txt"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "docs: every example checked"
