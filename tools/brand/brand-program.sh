#!/usr/bin/env bash
# Writes a brand folder into a built Install.exe with discmenu-brand, for make: under Wine on
# Linux, in a Wine prefix of the project's own (build/brand/wineprefix, made once), never in
# ~/.wine. The 32-bit tool where this machine runs 32-bit x86 programs natively, the x86_64
# one elsewhere; either brands either program.
#   brand-program.sh TOOL_EXE BRAND_DIR PROGRAM [-o OUT]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tool=${1:?usage: brand-program.sh TOOL_EXE BRAND_DIR PROGRAM [-o OUT]}
shift
[ -f "$tool" ] || { echo "brand-program.sh: $tool is not built" >&2; exit 2; }
# The loader of the tool's architecture: its PE header's machine, 8664 for x86_64.
pe=$(od -An -tu4 -j60 -N4 "$tool" | tr -d ' ')
if [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$tool" | tr -d ' ')" = 8664 ]; then
    wine=/usr/lib/wine/wine64
else
    wine=/usr/lib/wine/wine
fi
[ -x "$wine" ] || wine=wine
export WINEPREFIX=$root/build/brand/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xf7000000}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$wine" wineboot.exe -i >/dev/null 2>&1
fi
status=0
"$wine" "$tool" "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
