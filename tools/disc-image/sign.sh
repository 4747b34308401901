#!/usr/bin/env bash
# make sign: signs Install.exe of a disc folder, and the other programs named, in place, with
# Authenticode through osslsigncode: a SHA-1 signature, which every Windows from XP on checks,
# with a nested SHA-256 one, which Windows 7 and later prefer. With a timestamp server, each
# signature gets an RFC 3161 timestamp, so that it stays valid after the certificate ends.
#
#   sign.sh [--timestamp URL] [--password-file FILE] [--programs "PROGRAM ..."] DISC_DIR CERT.pfx
#           [PROGRAM ...]
#
# PROGRAM: a path on the disc (Disk1/setup.exe or Disk1\setup.exe); --programs takes several,
# separated by blanks. The certificate file's password: read from FILE (its first line), else
# from the environment variable PASS, else asked for when the input is a terminal (nothing
# typed: none); it reaches osslsigncode through a file of this user's, never on a command line.
# A program that is signed already is signed anew. Every value is used as it is: nothing in it
# is run.
set -euo pipefail

usage="usage: sign.sh [--timestamp URL] [--password-file FILE] [--programs \"PROGRAM ...\"] DISC_DIR CERT.pfx [PROGRAM ...]"
timestamp=""
password_file=""
listed=()
while [ $# -gt 0 ]; do
    case "$1" in
    --timestamp) timestamp=${2?$usage}; shift 2 ;;
    --password-file) password_file=${2?$usage}; shift 2 ;;
    --programs) read -r -a listed <<<"${2?$usage}"; shift 2 ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) break ;;
    esac
done
[ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }
disc=$1
certificate=$2
shift 2

say() { echo "make sign: $*"; }
fail() {
    echo "make sign: error: $*" >&2
    exit 1
}

[ -d "$disc" ] || fail "\"$disc\" is not a folder (DISC=folder)"
[ -f "$certificate" ] || fail "no certificate file \"$certificate\" (CERT=file.pfx)"
if [ -n "$timestamp" ] && ! [[ "$timestamp" =~ ^https?://[A-Za-z0-9._~:/?#@!\&+,\;=%-]+$ ]]; then
    fail "the timestamp server \"$timestamp\" is not an http:// or https:// address (TIMESTAMP=URL)"
fi
[ -z "$password_file" ] || [ -f "$password_file" ] ||
    fail "no password file \"$password_file\" (PASS_FILE=file)"
command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (make deps installs it)"

work=$(mktemp -d "${TMPDIR:-/tmp}/make-sign.XXXXXX")
trap 'rm -rf "$work"' EXIT
password=()
if [ -n "$password_file" ]; then
    password=(-readpass "$password_file")
elif [ -n "${PASS:-}" ]; then
    (umask 077 && printf '%s' "$PASS" >"$work/password")
    password=(-readpass "$work/password")
elif [ -t 0 ]; then
    typed=""
    read -r -s -p "Password of $certificate (none: Enter): " typed || true
    echo
    if [ -n "$typed" ]; then
        (umask 077 && printf '%s' "$typed" >"$work/password")
        password=(-readpass "$work/password")
    fi
fi
stamp=()
[ -z "$timestamp" ] || stamp=(-ts "$timestamp")

# Signs the file `$1`: a SHA-1 signature, then a SHA-256 one nested in it.
sign() {
    local file=$1 unsigned=$work/unsigned.exe
    # osslsigncode adds a signature to one there: start from the program without it.
    if osslsigncode extract-signature -in "$file" -out "$work/old.p7" >/dev/null 2>&1; then
        osslsigncode remove-signature -in "$file" -out "$unsigned" >"$work/log" 2>&1 ||
            fail "cannot remove the old signature of $file: $(tail -n 3 "$work/log")"
    else
        cp "$file" "$unsigned"
    fi
    rm -f "$work/sha1.exe" "$work/both.exe" "$work/old.p7"
    osslsigncode sign -pkcs12 "$certificate" "${password[@]}" -h sha1 "${stamp[@]}" \
        -in "$unsigned" -out "$work/sha1.exe" >"$work/log" 2>&1 ||
        fail "cannot sign $file with SHA-1: $(tail -n 3 "$work/log")"
    osslsigncode sign -pkcs12 "$certificate" "${password[@]}" -h sha256 "${stamp[@]}" -nest \
        -in "$work/sha1.exe" -out "$work/both.exe" >"$work/log" 2>&1 ||
        fail "cannot add the SHA-256 signature to $file: $(tail -n 3 "$work/log")"
    cp "$work/both.exe" "$file"
    say "signed $file: SHA-1 and nested SHA-256${timestamp:+, timestamped by $timestamp}"
}

# Every program is looked for before the first is signed: a wrong name signs nothing.
programs=(Install.exe "${listed[@]}" "$@")
for program in "${programs[@]}"; do
    [ -f "$disc/${program//\\//}" ] || fail "no program \"$program\" in $disc (PROGRAMS=\"path ...\")"
done
for program in "${programs[@]}"; do
    sign "$disc/${program//\\//}"
done
