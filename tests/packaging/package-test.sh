#!/usr/bin/env bash
# The package as an administrator uses it, with Wine's msiexec, in a fresh
# Wine prefix of the test's own that is removed when the test ends:
#   package-test.sh TEST SOURCE_DIR BUILD_DIR INSTALL_FOLDER
#   install    a silent install; the registry gains exactly what regsvr32
#              writes for the installed file; the Add/Remove Programs entry;
#              the component through COM; tilohost's reports on the samples
#              are the ones pinned for the build's DLL
#   upgrade    a newer package replaces the installed one; the older one is
#              then refused; the same package again changes nothing
#   repair     a repair brings the deleted DLL back, and the component works
#   uninstall  every key, file and folder of the package goes, and nothing
#              else (the host's settings file stays)
#   old_windows  on Windows Vista the launch condition refuses the package
#              and nothing is installed
# INSTALL_FOLDER is the Windows path the package installs to.
set -uo pipefail
test=$1
source=$(cd "$2" && pwd)
build=$(cd "$3" && pwd)
folder=$4
packaging=$build/packaging

# The test runs again inside a Wine session of its own prefix (which starts
# and, at the end, stops that prefix's server and no other).
if [ -z "${VORN_PACKAGE_TEST_WORK:-}" ]; then
    work=$(mktemp -d "$packaging/test-$test.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    VORN_PACKAGE_TEST_WORK=$work "$source/scripts/wine-session" --prefix "$work/prefix" "$build" "$0" "$@"
    exit $?
fi
work=$VORN_PACKAGE_TEST_WORK
prefix=$work/prefix
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

wine_run() { "$source/scripts/wine-run" --prefix "$prefix" "$@" </dev/null; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The build names the package it made last in its stamp (older ones stay
# beside it in build/dist).
made_package() {
    local file
    file=$(head -n 1 "$packaging/$1.stamp" 2>/dev/null)
    if [ -z "$file" ] || [ ! -f "$file" ]; then
        echo "FAIL: no package made by the target $1 (the build makes it)"
        exit 1
    fi
    printf '%s' "$file"
}
package=$(made_package msi)
newer=$(made_package msi_newer)
version_of() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }
version=$(version_of "$package" ProductVersion)
product=$(version_of "$package" ProductCode)
installed=$(wine_run winepath -u "$folder" 2>/dev/null)
dll=$installed/VornTiloOnline.dll

# msiexec NAME EXPECTED ARGUMENTS...: Wine's msiexec with a full log in
# $work/NAME.log; its exit code must be EXPECTED (of which Wine passes on
# the low byte: 1603 arrives as 67).
msiexec() {
    local name=$1 wanted=$2
    shift 2
    wine_run msiexec "$@" /l*v "$(windows_path "$work/$name.log")" >/dev/null 2>&1
    local status=$?
    [ "$status" = $((wanted % 256)) ] || fail "$name: msiexec $* exited $status, not $wanted (log: $(tail -n 5 "$work/$name.log" | tr -d '\r'))"
}

# The registry as sorted lines (reglist.exe): the classes, the installer's
# and Add/Remove Programs' keys, the user's keys less Wine's own.
listing() {
    wine_run "$packaging/reglist.exe" --except 'HKCU\Software\Wine' 'HKLM\Software\Classes' \
        'HKLM\Software\Microsoft\Windows\CurrentVersion' 'HKCU\Software' >"$1" 2>>"$work/reglist.err"
    [ -s "$1" ] || fail "no registry listing: $(cat "$work/reglist.err")"
}

# What the component's registration put in the classes: lines added from
# listing $1 to listing $2, without Windows Installer's records of products.
added_classes() {
    LC_ALL=C comm -13 "$1" "$2" | grep -E $'^(KEY|VALUE)\tHKLM\\\\Software\\\\Classes\\\\' |
        grep -v -E $'^(KEY|VALUE)\tHKLM\\\\Software\\\\Classes\\\\Installer(\\\\|\t|$)'
}

# registration_is BEFORE AFTER WHAT: the classes gained exactly what regsvr32
# wrote for the DLL at the installed place in the build's scratch prefix.
registration_is() {
    if ! diff -u "$packaging/registration.lst" <(added_classes "$1" "$2") >"$work/registration.diff"; then
        fail "$3: the registry differs from what regsvr32 writes (- regsvr32, + package):"
        grep '^[-+][KV]' "$work/registration.diff"
    fi
}

# The files and folders of drive C:, less the temporary ones.
files() { (cd "$prefix/drive_c" && find . ! -path './windows/temp/*' ! -path './users/*/Temp/*' | LC_ALL=C sort) >"$1"; }

nothing_removed() {
    local removed
    removed=$(LC_ALL=C comm -23 "$1" "$2")
    [ -z "$removed" ] || fail "$3: keys or values went that were there before: $removed"
}

# The folder holds the build's DLL and nothing else.
installed_file_is_the_builds() {
    [ "$(ls -A "$installed" 2>/dev/null)" = VornTiloOnline.dll ] ||
        fail "$1: $folder holds \"$(ls -A "$installed" 2>/dev/null | tr '\n' ' ')\", not VornTiloOnline.dll alone"
    cmp -s "$dll" "$build/bin/VornTiloOnline.dll" || fail "$1: the installed DLL is not the build's"
}

# The host as installed on a PC: tilohost and the stand-in host's DLL in a
# folder of their own, the stand-in registered.
host=$work/host
install_host() {
    mkdir -p "$host/bin"
    cp "$build/bin/tilohost.exe" "$build/bin/VornHostStandIn.dll" "$host/bin/"
    wine_run regsvr32 /s "$(windows_path "$host/bin/VornHostStandIn.dll")" >/dev/null 2>&1 ||
        fail "the stand-in host does not register"
}

# The component works through COM, from the installed file (no other
# VornTiloOnline.dll lies beside component_check.exe).
component_works() {
    wine_run "$packaging/component_check.exe" >"$work/check.out" 2>&1
    local status=$?
    tr -d '\r' <"$work/check.out" >"$work/check.txt"
    [ $status = 0 ] || { fail "$1: the component does not work: $(cat "$work/check.txt")"; return; }
    for line in "type library: $folder\\VornTiloOnline.dll" "module: $folder\\VornTiloOnline.dll" \
        "early bound name: Tilo Online" "late bound name: Tilo Online"; do
        grep -qixF -- "$line" "$work/check.txt" || fail "$1: no \"$line\" in: $(cat "$work/check.txt")"
    done
}

# tilohost NAME ARGUMENTS...: tilohost in the host's folder, report in
# $work/NAME.report, compared with the one pinned for the build's DLL.
tilohost_report() {
    local name=$1 expected=$2 status=0
    shift 2
    VORN_BUILD_DIR=$host "$source/scripts/tilohost" "$@" --report "$work/$name.report" >"$work/$name.out" 2>&1 ||
        status=$?
    [ "$status" = "$expected" ] ||
        fail "$name: tilohost ended with $status, not $expected: $(tail -n 3 "$work/$name.out")"
    diff -u "$source/tests/host/tilohost/expected/$name.report" "$work/$name.report" ||
        fail "$name: the report differs from the one against the build's DLL"
}

# The Add/Remove Programs entries of the product, one line each:
# PRODUCTCODE<TAB>DISPLAYVERSION.
arp_entries() {
    awk -F'\t' '$1 == "VALUE" && $2 ~ /\\CurrentVersion\\Uninstall\\[^\\]+$/ { key = $2; sub(/.*\\/, "", key)
            if ($3 == "DisplayName") name[key] = $5; if ($3 == "DisplayVersion") shown[key] = $5 }
         END { for (key in name) if (name[key] == "Vorn Tilo Online") print key "\t" shown[key] }' "$1"
}

case $test in
install)
    # The DLL is a versioned file of the package (the Installer's file rules
    # compare versions), with its resource's version and language, no hash.
    [ "$(msiinfo export "$package" File | tr -d '\r' | awk -F'\t' '$1 == "VornTiloOnline.dll" { print $5 "/" $6 }')" = \
        "$version/2057" ] || fail "install: the package's DLL is not a file of version $version, language 2057"
    [ -z "$(msiinfo export "$package" MsiFileHash | tr -d '\r' | awk -F'\t' '$1 == "VornTiloOnline.dll"')" ] ||
        fail "install: a versioned file with a hash"
    install_host
    listing "$work/before"
    msiexec install 0 /i "$(windows_path "$package")" /qn
    listing "$work/after"
    installed_file_is_the_builds install
    registration_is "$work/before" "$work/after" install
    nothing_removed "$work/before" "$work/after" install
    [ "$(arp_entries "$work/after")" = "$product	$version" ] ||
        fail "install: Add/Remove Programs shows \"$(arp_entries "$work/after")\", not $product $version"
    uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
    grep -qxF "VALUE	$uninstall_key	Publisher	REG_SZ	Vorn" "$work/after" || fail "install: no publisher Vorn"
    grep -qxF "VALUE	$uninstall_key	NoModify	REG_DWORD	1" "$work/after" || fail "install: Add/Remove Programs offers Change"
    icon=$(awk -F'\t' '$1 == "VALUE" && $3 == "ProductIcon" && $2 ~ /Classes\\Installer\\Products\\/ { print $5 }' "$work/after")
    [ -n "$icon" ] && cmp -s "$(wine_run winepath -u "$icon" 2>/dev/null)" "$source/src/resources/Dialog.ico" ||
        fail "install: the product's icon \"$icon\" is not the component's icon 200"
    component_works install

    # The samples, as the tilohost test runs them against the build's DLL.
    account=60-12-47/31926818
    answers=("format=0;iat=0" "format=1;template=SUPPLIERS JUNE"
             "format=2;template=SUPPLIERS;benref=VORN JUNE RUN" "format=3;benref=VORN JUNE RUN")
    for format in 0 1 2 3; do
        # The sample batch holds invalid payments: the file is written all the same.
        tilohost_report pay-format$format 5 pay "$source/samples/payments.csv" --account "$account" \
            --auto "${answers[$format]};save=$work/format$format.csv"
    done
    for layout in 18 14; do
        tilohost_report import-$layout-columns 0 import "$source/samples/statement-$layout-columns.csv" \
            --account "$account"
    done
    ;;

upgrade)
    install_host
    listing "$work/fresh"
    newer_version=$(version_of "$newer" ProductVersion)
    newer_product=$(version_of "$newer" ProductCode)
    msiexec install 0 /i "$(windows_path "$package")" /qn
    msiexec upgrade 0 /i "$(windows_path "$newer")" /qn
    listing "$work/upgraded"
    [ "$(arp_entries "$work/upgraded")" = "$newer_product	$newer_version" ] ||
        fail "upgrade: Add/Remove Programs shows \"$(arp_entries "$work/upgraded")\", not $newer_product $newer_version alone"
    # Windows Installer's register of the products of each UpgradeCode.
    related=$(grep -c -F $'VALUE\tHKLM\\Software\\Classes\\Installer\\UpgradeCodes\\' "$work/upgraded")
    [ "$related" = 1 ] || fail "upgrade: $related products of the UpgradeCode, not 1"
    installed_file_is_the_builds upgrade
    registration_is "$work/fresh" "$work/upgraded" upgrade
    component_works upgrade

    # Refused by the launch condition that carries the message (Wine's
    # msiexec does not copy the message into the log, as Windows' does).
    msiexec downgrade 1603 /i "$(windows_path "$package")" /qn
    tr -d '\r' <"$work/downgrade.log" >"$work/downgrade.txt"
    grep -qxF "Property(S): WIX_DOWNGRADE_DETECTED = $newer_product" "$work/downgrade.txt" ||
        fail "downgrade: the newer product was not found"
    grep -q '^Action ended .*: LaunchConditions\. Return value 0\.$' "$work/downgrade.txt" ||
        fail "downgrade: not refused by the launch conditions"
    msiinfo export "$package" LaunchCondition | tr -d '\r' | grep -qxF \
        "NOT WIX_DOWNGRADE_DETECTED	A newer version of Vorn Tilo Online is already installed. To install this version, remove the newer one first." ||
        fail "downgrade: the package has no launch condition with the message"
    listing "$work/refused"
    diff -q "$work/upgraded" "$work/refused" >/dev/null || fail "downgrade: the refused package changed the registry"

    # The installer notes each source a package came from in its source
    # list; nothing else may change.
    msiexec again 0 /i "$(windows_path "$newer")" /qn
    listing "$work/again"
    sources=$'\\\\SourceList(\\\\|\t)'
    diff <(grep -v -E "$sources" "$work/upgraded") <(grep -v -E "$sources" "$work/again") ||
        fail "again: the same package installed twice changed the registry"
    installed_file_is_the_builds again
    ;;

repair)
    install_host
    msiexec install 0 /i "$(windows_path "$package")" /qn
    rm -f "$dll"
    wine_run "$packaging/component_check.exe" >/dev/null 2>&1 && fail "repair: the component works without its DLL"
    # What msiexec /fa asks for (Wine's msiexec does not take /f).
    msiexec repair 0 /i "$(windows_path "$package")" REINSTALL=ALL REINSTALLMODE=a /qn
    installed_file_is_the_builds repair
    component_works repair
    ;;

old_windows)
    # Windows Vista is 6.0: below the 6.1 of Windows 7 that the package needs.
    wine_run winecfg /v vista >/dev/null 2>&1 || fail "old_windows: winecfg did not set Windows Vista"
    listing "$work/before"
    msiexec old_windows 1603 /i "$(windows_path "$package")" /qn
    tr -d '\r' <"$work/old_windows.log" >"$work/old_windows.txt"
    grep -qxF 'Property(S): VersionNT = 600' "$work/old_windows.txt" ||
        fail "old_windows: the installer did not run as on Windows Vista (VersionNT 600)"
    listing "$work/after"
    diff -q "$work/before" "$work/after" >/dev/null || fail "old_windows: the refused package changed the registry"
    [ ! -e "$dll" ] || fail "old_windows: the DLL was installed"
    ;;

uninstall)
    install_host
    settings="$prefix/drive_c/ProgramData/VORN/Vorn EBanking"
    listing "$work/before"
    files "$work/files-before"
    msiexec install 0 /i "$(windows_path "$package")" /qn
    listing "$work/installed"
    files "$work/files-installed"
    # A payment run: the user's remembered settings in the host's settings
    # file, and the user's own traces (the save dialog's last folder).
    # The sample batch holds invalid payments: the run ends with 5.
    status=0
    VORN_BUILD_DIR=$host "$source/scripts/tilohost" pay "$source/samples/payments.csv" --account 60-12-47/31926818 \
        --auto "format=2;template=SUPPLIERS;benref=VORN JUNE RUN;save=$work/run.csv" >"$work/pay.out" 2>&1 ||
        status=$?
    [ "$status" = 5 ] || fail "uninstall: the payment run ended with $status: $(tail -n 3 "$work/pay.out")"
    grep -q "TiloOnlineTemplate" "$settings/BANKSERV.INI" 2>/dev/null || fail "uninstall: no remembered settings"
    (cd "$settings" && md5sum ./*) >"$work/settings-used" 2>&1
    listing "$work/used"
    files "$work/files-used"
    LC_ALL=C comm -13 "$work/installed" "$work/used" >"$work/user-keys"
    LC_ALL=C comm -13 "$work/files-installed" "$work/files-used" >"$work/user-files"

    msiexec uninstall 0 /x "$(windows_path "$package")" /qn
    listing "$work/after"
    files "$work/files-after"
    nothing_removed "$work/before" "$work/after" uninstall
    nothing_removed "$work/user-keys" "$work/after" "uninstall (the user's keys)"
    # Windows Installer keeps its (now empty) registers of products.
    remaining=$(LC_ALL=C comm -13 "$work/before" "$work/after" | LC_ALL=C comm -23 - "$work/user-keys" | grep -v -E \
        $'^KEY\tHKLM\\\\Software\\\\(Classes\\\\Installer|Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer)(\\\\(Features|Products|UpgradeCodes|UserData(\\\\S-1-5-18(\\\\(Components|Products))?)?))?$')
    [ -z "$remaining" ] || fail "uninstall: keys or values of the package remain: $remaining"
    gone=$(LC_ALL=C comm -23 "$work/files-before" "$work/files-after")
    [ -z "$gone" ] || fail "uninstall: files went that were there before: $gone"
    gone=$(LC_ALL=C comm -23 "$work/user-files" "$work/files-after")
    [ -z "$gone" ] || fail "uninstall: the user's files went: $gone"
    # The installer's own folder stays, as it does on Windows.
    left=$(LC_ALL=C comm -13 "$work/files-before" "$work/files-after" | LC_ALL=C comm -23 - "$work/user-files" |
        grep -v -x -F ./windows/Installer)
    [ -z "$left" ] || fail "uninstall: files or folders of the package remain: $left"
    (cd "$settings" && md5sum ./*) 2>&1 | diff "$work/settings-used" - || fail "uninstall: the settings folder changed"
    ;;

*)
    echo "package-test.sh: unknown test $test" >&2
    exit 2
    ;;
esac

if [ "$failures" -gt 0 ]; then
    echo "package $test: $failures failures"
    exit 1
fi
echo "package $test: all checks passed"
