#!/usr/bin/env bash
# Runs a Windows program under Wine: in a throwaway prefix copied from the test run's template
# (never the user's prefix), under an X server of its own, with Wine's debug output off.
# Used as the emulator of the cross build, so every Wine test gets a prefix of its own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
template=${DISCMENU_WINE_TEMPLATE:-$here/../../build/mingw/wine-template}
[ -f "$template/system.reg" ] || "$here/prepare-prefix.sh" "$template" >/dev/null

prefix=$(mktemp -d "${TMPDIR:-/tmp}/discmenu-wine.XXXXXX")
cleanup() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# QEMU's reservation of the 32-bit address space, for 32-bit Wine under its emulation (see
# prepare-prefix.sh); the build's own loader by its full path, else Debian's `wine`.
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xf7000000}
wine=${DISCMENU_WINE_LOADER:-wine}
if [ -n "${DISCMENU_KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    "$wine" "$@"
else
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$wine" "$@"
fi
