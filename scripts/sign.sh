#!/usr/bin/env bash
# Signs Windows files (the DLL, the package) in place with Authenticode,
# SHA-256, by osslsigncode, with the certificate the environment names:
#   SIGN_PFX=FILE.pfx SIGN_PASSWORD_FILE=FILE [SIGN_TIMESTAMP_URL=URL] sign.sh FILE...
# SIGN_PFX is a PKCS#12 file with the key and its certificate chain,
# SIGN_PASSWORD_FILE holds its password (first line), SIGN_TIMESTAMP_URL an
# RFC 3161 time-stamping service, so that the signature outlives the
# certificate. Without SIGN_PFX the files stay unsigned and one line says so.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: sign.sh FILE..." >&2; exit 2; }

if [ -z "${SIGN_PFX:-}" ]; then
    echo "sign: no SIGN_PFX given: $(printf '%s ' "${@##*/}")left unsigned"
    exit 0
fi
if [ ! -r "$SIGN_PFX" ]; then
    echo "sign: cannot read the certificate SIGN_PFX=$SIGN_PFX" >&2
    exit 1
fi
if [ -z "${SIGN_PASSWORD_FILE:-}" ] || [ ! -r "$SIGN_PASSWORD_FILE" ]; then
    echo "sign: SIGN_PASSWORD_FILE must name a readable file holding the password of $SIGN_PFX" >&2
    exit 1
fi

options=(-pkcs12 "$SIGN_PFX" -readpass "$SIGN_PASSWORD_FILE" -h sha256 -n "Vorn Tilo Online")
if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$SIGN_TIMESTAMP_URL")
fi
for file in "$@"; do
    # osslsigncode writes a new file; the signed copy replaces the original
    # only when signing succeeded.
    rm -f "$file.signed"
    if ! osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >"$file.sign.log" 2>&1; then
        echo "sign: signing $file failed:" >&2
        cat "$file.sign.log" >&2
        rm -f "$file.signed" "$file.sign.log"
        exit 1
    fi
    mv "$file.signed" "$file"
    rm -f "$file.sign.log"
    echo "sign: signed $file"
done
