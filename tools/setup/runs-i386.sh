#!/usr/bin/env bash
# Tells whether this machine runs 32-bit x86 programs, which 32-bit Wine needs: it builds the
# tiny program i386-probe.s and runs it. Some kernels run 64-bit programs only, and refuse every
# 32-bit one with "Exec format error".
#
#   runs-i386.sh            exit 0 when the tests shall run the 32-bit program here: the machine
#                           runs 32-bit x86 programs and DISCMENU_64BIT_ONLY is not set
#   runs-i386.sh --machine  exit 0 when the machine runs 32-bit x86 programs, whatever
#                           DISCMENU_64BIT_ONLY says (make deps installs 32-bit Wine then)
# Either way it prints one line that says why.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ "${1:-}" != --machine ] && [ -n "${DISCMENU_64BIT_ONLY:-}" ]; then
    echo "DISCMENU_64BIT_ONLY is set"
    exit 1
fi
if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
    echo "cannot tell whether this machine runs 32-bit x86 programs: no assembler (binutils)"
    exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/discmenu-i386.XXXXXX")
trap 'rm -rf "$work"' EXIT
if ! as --32 -o "$work/probe.o" "$here/i386-probe.s" 2>"$work/log" ||
    ! ld -m elf_i386 -o "$work/probe" "$work/probe.o" 2>>"$work/log"; then
    echo "cannot tell whether this machine runs 32-bit x86 programs: the probe did not build:" \
        "$(tr '\n' ' ' <"$work/log")"
    exit 1
fi
error=$("$work/probe" 2>&1)
status=$?
if [ "$status" -eq 32 ]; then
    echo "this machine runs 32-bit x86 programs"
    exit 0
fi
error=${error##*: }
echo "this machine runs no 32-bit x86 programs (a 32-bit program ends with status $status${error:+: $error})"
exit 1
