#!/usr/bin/env bash
# QEMU's user-mode emulation of 32-bit x86 programs, for a machine whose kernel runs none
# (32-bit Wine is such a program): a binfmt_misc handler hands every i386 ELF program to
# qemu-i386-static. Flag F opens the emulator when the handler is registered, so that it is
# found in every mount namespace and chroot.
#
#   i386-emulation.sh --handler  print the enabled handler for i386 programs, if any (exit 0),
#                                else exit 1
#   i386-emulation.sh --set-up   mount binfmt_misc where it is not mounted and register the
#                                handler (as root); exit 1 with the reason when it cannot
#
# 32-bit Wine under this emulation needs QEMU_RESERVED_VA=0xf7000000 in its environment (the
# tests set it), or it cannot map its shared user data.
set -uo pipefail
binfmt=/proc/sys/fs/binfmt_misc
name=discmenu-i386
emulator=/usr/bin/qemu-i386-static
# An i386 ELF executable or shared object (e_ident class 1, little-endian; e_machine 3), as
# the kernel's register file takes them: escapes, not bytes.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
magic_hex=7f454c4601010100000000000000000002000300

# The first enabled handler whose magic is that of i386 programs.
handler() {
    [ -r "$binfmt/status" ] && [ "$(cat "$binfmt/status")" = enabled ] || return 1
    local entry
    for entry in "$binfmt"/*; do
        case ${entry##*/} in register | status) continue ;; esac
        [ -r "$entry" ] || continue
        if grep -qx enabled "$entry" && grep -qx "magic $magic_hex" "$entry"; then
            echo "binfmt_misc handler ${entry##*/}: $(sed -n 's/^interpreter //p' "$entry")"
            return 0
        fi
    done
    return 1
}

set_up() {
    [ -x "$emulator" ] || { echo "no $emulator (package qemu-user-static)"; return 1; }
    if [ ! -e "$binfmt/register" ]; then
        mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
            { echo "binfmt_misc is not mounted and cannot be mounted at $binfmt"; return 1; }
    fi
    handler >/dev/null && return 0
    if [ -e "$binfmt/$name" ]; then
        echo 1 >"$binfmt/$name" 2>/dev/null && handler >/dev/null && return 0
        echo -1 >"$binfmt/$name" 2>/dev/null
    fi
    # The kernel reads the \x escapes itself.
    printf '%s' ":$name:M::$magic:$mask:$emulator:F" >"$binfmt/register" 2>/dev/null ||
        { echo "binfmt_misc refused the handler for i386 programs"; return 1; }
    handler >/dev/null || { echo "the handler for i386 programs is not enabled"; return 1; }
}

case ${1:-} in
--handler) handler ;;
--set-up) set_up ;;
*)
    echo "usage: i386-emulation.sh --handler | --set-up" >&2
    exit 2
    ;;
esac
