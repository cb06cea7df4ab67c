#!/usr/bin/env bash
# scripts/sign.sh on copies of built files (the DLL, and the package where
# one could be built), with a throwaway certificate made here by openssl:
# unsigned with a notice when no certificate is given; signed with SHA-256
# and verified by osslsigncode against that certificate; one flipped byte
# fails verification; a wrong password fails and leaves the file as it was.
#   sign-test.sh SOURCE_DIR FILE...
set -uo pipefail
source=$(cd "$1" && pwd)
shift
sign=$source/scripts/sign.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A self-signed code-signing certificate, valid for a day, in a PKCS#12
# file with a password, as a signing service would hand one out.
echo "throwaway-$$" >"$work/password"
echo "not-the-password" >"$work/wrong-password"
if ! openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Vorn Tilo Online test signing" \
        -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
        -keyout "$work/key.pem" -out "$work/certificate.pem" >"$work/openssl.log" 2>&1 ||
    ! openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signing.pfx" \
        -passout "file:$work/password" >>"$work/openssl.log" 2>&1; then
    echo "FAIL: openssl made no certificate: $(cat "$work/openssl.log")"
    exit 1
fi
verify() { osslsigncode verify -CAfile "$work/certificate.pem" -in "$1" >"$1.verify" 2>&1; }

for file in "$@"; do
    name=${file##*/}
    [ -f "$file" ] || { fail "$file was not built"; continue; }
    copy=$work/$name
    cp "$file" "$copy"

    notice=$(env -u SIGN_PFX -u SIGN_PASSWORD_FILE "$sign" "$copy") || fail "$name: unsigned build failed"
    [ "$(printf '%s\n' "$notice" | wc -l)" = 1 ] && [[ $notice == *unsigned* ]] ||
        fail "$name: not one line saying it stays unsigned: $notice"
    cmp -s "$file" "$copy" || fail "$name: changed although no certificate was given"
    ! verify "$copy" || fail "$name: an unsigned file verifies"

    if SIGN_PFX=$work/signing.pfx SIGN_PASSWORD_FILE=$work/wrong-password "$sign" "$copy" >/dev/null 2>&1; then
        fail "$name: signed with a wrong password"
    fi
    cmp -s "$file" "$copy" || fail "$name: a failed signing changed the file"

    if ! SIGN_PFX=$work/signing.pfx SIGN_PASSWORD_FILE=$work/password "$sign" "$copy" >"$work/sign.out" 2>&1; then
        fail "$name: signing failed: $(cat "$work/sign.out")"
        continue
    fi
    if ! verify "$copy"; then
        fail "$name: the signature does not verify: $(tail -n 5 "$copy.verify")"
        continue
    fi
    grep -q '^Message digest algorithm *: SHA256' "$copy.verify" || fail "$name: not signed with SHA-256"
    grep -q 'Subject: /CN=Vorn Tilo Online test signing' "$copy.verify" || fail "$name: not signed by the test's certificate"

    # A byte in the middle of the file: code or data that the signature covers.
    tampered=$work/tampered-$name
    cp "$copy" "$tampered"
    offset=$(($(stat -c %s "$file") / 2))
    byte=$(od -An -tu1 -j "$offset" -N 1 "$tampered" | tr -d ' ')
    printf "$(printf '\\%03o' $((byte ^ 1)))" | dd of="$tampered" bs=1 seek="$offset" conv=notrunc status=none
    cmp -s "$copy" "$tampered" && fail "$name: the byte at $offset was not flipped"
    ! verify "$tampered" || fail "$name: a file with the byte at $offset flipped still verifies"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "signed, verified and tamper-checked: $(printf '%s ' "${@##*/}")"
