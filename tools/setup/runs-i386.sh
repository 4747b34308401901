#!/usr/bin/env bash
# Tells whether this machine runs 32-bit x86 programs, which 32-bit Wine needs, and how: it
# builds the tiny program i386-probe.s and runs it. Some kernels run 64-bit programs only, and
# refuse every 32-bit one with "Exec format error"; there, QEMU's user-mode emulation can run
# them, through a binfmt_misc handler for i386 programs (tools/setup/i386-emulation.sh), and
# then every 32-bit program runs emulated, much more slowly.
#
#   runs-i386.sh            exit 0 when the tests shall run the 32-bit program here: the machine
#                           runs 32-bit x86 programs and DISCMENU_64BIT_ONLY is not set
#   runs-i386.sh --machine  exit 0 when the machine runs 32-bit x86 programs, whatever
#                           DISCMENU_64BIT_ONLY says (make deps installs 32-bit Wine then)
#   runs-i386.sh --how      as runs-i386.sh, but prints one word: native, emulated or none
# Otherwise it prints one line that says why.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mode=${1:-}

answer() { # answer STATUS HOW WHY
    if [ "$mode" = --how ]; then echo "$2"; else echo "$3"; fi
    exit "$1"
}

if [ "$mode" != --machine ] && [ -n "${DISCMENU_64BIT_ONLY:-}" ]; then
    answer 1 none "DISCMENU_64BIT_ONLY is set"
fi
if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
    answer 1 none "cannot tell whether this machine runs 32-bit x86 programs: no assembler (binutils)"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/discmenu-i386.XXXXXX")
trap 'rm -rf "$work"' EXIT
if ! as --32 -o "$work/probe.o" "$here/i386-probe.s" 2>"$work/log" ||
    ! ld -m elf_i386 -o "$work/probe" "$work/probe.o" 2>>"$work/log"; then
    answer 1 none "cannot tell whether this machine runs 32-bit x86 programs: the probe did not build: $(tr '\n' ' ' <"$work/log")"
fi
error=$("$work/probe" 2>&1)
status=$?
if [ "$status" -eq 32 ]; then
    # A binfmt_misc handler for i386 programs goes before the kernel's own loader.
    if handler=$("$here/i386-emulation.sh" --handler); then
        answer 0 emulated "this machine runs 32-bit x86 programs under user-mode emulation ($handler)"
    fi
    answer 0 native "this machine runs 32-bit x86 programs natively"
fi
error=${error##*: }
answer 1 none "this machine runs no 32-bit x86 programs (a 32-bit program ends with status $status${error:+: $error})"
