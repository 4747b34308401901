#!/usr/bin/env bash
# Checks a program file as it goes on a disc: its machine type, a GUI program whose header lets
# the oldest supported system load it, address space randomisation and data execution
# prevention on, and imports of DLLs that Windows always loads from its system folder only (so
# that nothing planted beside the copy in the temporary folder is loaded in their place), of
# functions that the oldest supported system has (tests/data/system-functions.txt).
#
# usage: check-program-file.sh OBJDUMP PROGRAM i386|x86-64
set -euo pipefail
objdump=${1:?usage: check-program-file.sh OBJDUMP PROGRAM i386|x86-64}
program=${2:?usage: check-program-file.sh OBJDUMP PROGRAM i386|x86-64}
machine=${3:?usage: check-program-file.sh OBJDUMP PROGRAM i386|x86-64}
known=$(dirname "${BASH_SOURCE[0]}")/data/system-functions.txt

case $machine in
i386) format=pei-i386 magic=010b version=5.1 needed=$((0x40 | 0x100)) ;;
x86-64) format=pei-x86-64 magic=020b version=5.2 needed=$((0x20 | 0x40 | 0x100)) ;;
*) echo "unknown machine $machine"; exit 2 ;;
esac

headers=$("$objdump" -p "$program")
field() { sed -n "s/^$1[[:space:]]*\([0-9a-fA-F]*\).*/\1/p" <<<"$headers" | head -n 1; }
status=0
fail() { echo "$program: $*"; status=1; }

grep -q "file format $format\$" <<<"$headers" || fail "not $format"
[ "$(field Magic)" = "$magic" ] || fail "optional header magic $(field Magic), not $magic"
[ "$(field Subsystem)" = 00000002 ] || fail "not a GUI program"
actual="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
[ "$actual" = "$version" ] || fail "subsystem version $actual, not $version"
characteristics=$((16#$(field DllCharacteristics)))
[ $((characteristics & needed)) -eq "$needed" ] ||
    fail "DLL characteristics $(printf '%04x' "$characteristics") lack $(printf '%04x' "$needed")"

allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|setupapi|msvcrt)\.dll$'
shopt -s nocasematch
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
while read -r dll; do
    [[ $dll =~ $allowed ]] || fail "imports $dll, which may be loaded from the program's folder"
done <<<"$dlls"
shopt -u nocasematch
# "<dll> <function>" for every function imported by name.
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
               /^\t[0-9a-f]+\t +[0-9]+  / { print dll, $3 }' <<<"$headers")
while read -r dll function; do
    grep -qx "$dll $function" "$known" ||
        fail "imports $function from $dll, which is not known to be on the oldest supported system"
done <<<"$imports"

[ "$status" -eq 0 ] && echo "$program: $format, GUI $version, DLL characteristics" \
    "$(printf '%04x' "$characteristics"), $(wc -l <<<"$imports") functions from: $(tr '\n' ' ' <<<"$dlls")"
exit "$status"
