#!/usr/bin/env bash
# make iso: the disc image of a disc folder, written with xorriso: ISO 9660 with Joliet names
# (what Windows reads) and Rock Ridge (what Linux reads).
#
#   make-iso.sh [--label TEXT] [--force] [--check PROGRAM] DISC_DIR IMAGE
#
# - autorun.inf: a folder without one gets one (open=Install.exe, icon=Install.exe,0,
#   label=TEXT); an existing one must open Install.exe, and should have icon= and label=.
# - The volume label is TEXT, or autorun.inf's label=; either must be 1 to 32 letters, digits,
#   blanks, '.', '_' or '-'.
# - discmenu-check (PROGRAM, with --release) checks the folder first; a folder it finds errors
#   in is refused unless --force is given.
# - The same files give the same image, byte for byte: every date in it is SOURCE_DATE_EPOCH
#   (seconds since 1970) when set, else 2000-01-01 00:00:00 UTC; owners and permissions are
#   fixed, and xorriso reads no start-up files.
set -euo pipefail

usage="usage: make-iso.sh [--label TEXT] [--force] [--check PROGRAM] DISC_DIR IMAGE"
label=""
force=""
check=""
while [ $# -gt 0 ]; do
    case "$1" in
    --label) label=${2?$usage}; shift 2 ;;
    --force) force=1; shift ;;
    --check) check=${2?$usage}; shift 2 ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) break ;;
    esac
done
[ $# -eq 2 ] || { echo "$usage" >&2; exit 2; }
disc=$1
image=$2

say() { echo "make iso: $*"; }
fail() {
    echo "make iso: error: $*" >&2
    exit 1
}

[ -d "$disc" ] || fail "\"$disc\" is not a folder (DISC=folder)"
command -v xorriso >/dev/null || fail "xorriso is not installed (make deps installs it)"

# The value of `key` in the [autorun] section of autorun.inf (names in any letter case, blanks
# and a carriage return around it removed); empty when absent.
autorun_value() {
    awk -v key="$1" '
        { sub(/\r$/, "") }
        /^[ \t]*\[/ { section = tolower($0); gsub(/[ \t\[\]]/, "", section); next }
        section == "autorun" && index($0, "=") {
            name = tolower(substr($0, 1, index($0, "=") - 1)); gsub(/^[ \t]+|[ \t]+$/, "", name)
            if (name == key) {
                value = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
                print value; exit
            }
        }' "$autorun"
}

# autorun.inf, in any letter case, at the root of the disc.
autorun=$(find "$disc" -maxdepth 1 -type f -iname autorun.inf -print -quit)
# A label as a volume label and in autorun.inf can hold.
check_label() { # check_label LABEL WHERE
    [[ "$1" =~ ^[A-Za-z0-9\ ._-]{1,32}$ ]] ||
        fail "the label \"$1\"$2 is not 1 to 32 letters, digits, blanks, '.', '_' or '-'"
}
[ -z "$label" ] || check_label "$label" ""
if [ -z "$autorun" ]; then
    [ -n "$label" ] || fail "$disc has no autorun.inf: give a label (LABEL=...) and one is written"
    autorun=$disc/autorun.inf
    printf '[autorun]\r\nopen=Install.exe\r\nicon=Install.exe,0\r\nlabel=%s\r\n' "$label" >"$autorun"
    say "wrote $autorun (open=Install.exe, icon=Install.exe,0, label=$label)"
else
    open=$(autorun_value open)
    if [ "$(tr '[:upper:]' '[:lower:]' <<<"$open")" != install.exe ] && [ -z "$force" ]; then
        fail "$autorun opens \"$open\", not Install.exe: the menu would not start (FORCE=1 builds the image anyway)"
    fi
    [ -n "$(autorun_value icon)" ] || say "warning: $autorun has no icon= (Windows shows the drive's own icon)"
    written=$(autorun_value label)
    [ -n "$written" ] || say "warning: $autorun has no label= (Windows shows the volume label)"
    [ -z "$written" ] || [ -n "$label" ] || check_label "$written" " of $autorun"
    label=${label:-$written}
    [ -n "$label" ] || fail "no volume label: autorun.inf has no label=; give one with LABEL=..."
fi
[ ${#label} -le 32 ] || fail "the label \"$label\" is longer than 32 characters"
[ ${#label} -le 16 ] ||
    say "warning: the label \"$label\" is longer than 16 characters: Joliet keeps the first 16"

if [ -n "$check" ]; then
    say "checking $disc: $check --release"
    status=0
    "$check" --release "$disc" || status=$?
    if [ "$status" -ge 3 ]; then
        fail "discmenu-check could not check $disc"
    elif [ "$status" -eq 2 ] && [ -z "$force" ]; then
        fail "discmenu-check finds errors in $disc: mend them, or build the image anyway with FORCE=1"
    elif [ "$status" -eq 2 ]; then
        say "building the image despite the errors (FORCE=1)"
    fi
fi

epoch=${SOURCE_DATE_EPOCH:-946684800}
[[ "$epoch" =~ ^[0-9]+$ ]] || fail "SOURCE_DATE_EPOCH=\"$epoch\" is not a number of seconds"
when=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S UTC')

mkdir -p "$(dirname "$image")"
partial=$(mktemp "$image.XXXXXX")
log=$(mktemp "${TMPDIR:-/tmp}/make-iso.XXXXXX")
trap 'rm -f "$partial" "$log"' EXIT
rm -f "$partial" # xorriso writes a new image where there is no file
say "writing $image: volume \"$label\", ISO 9660 + Joliet + Rock Ridge, every date $when"
if ! xorriso -no_rc -local_charset UTF-8 -report_about SORRY -outdev "$partial" \
    -volid "$label" -joliet on \
    -volume_date uuid "$(date -u -d "@$epoch" +%Y%m%d%H%M%S00)" \
    -volume_date all_file_dates "=$epoch" -iso_nowtime "=$epoch" \
    -map "$disc" / \
    -chown_r 0 / -- -chgrp_r 0 / -- \
    -find / -type d -exec chmod 0555 -- \
    -find / -type f -exec chmod 0444 -- \
    -commit >"$log" 2>&1; then
    cat "$log" >&2
    fail "xorriso could not write the image"
fi
mv "$partial" "$image"
say "$image: $(stat -c %s "$image") bytes, SHA-256 $(sha256sum "$image" | cut -d' ' -f1)"
