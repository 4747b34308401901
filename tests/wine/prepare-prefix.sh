#!/usr/bin/env bash
# Prepares the Wine prefix that the tests of one run copy from: created anew at every run,
# with no offer to download Mono or Gecko, no crash dialog, window frames drawn by Wine, and text
# files associated with the system's editor.
set -euo pipefail
template=${1:?usage: prepare-prefix.sh DIR}
rm -rf "$template"
mkdir -p "$(dirname "$template")"
export WINEPREFIX=$template WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Where 32-bit Wine runs under QEMU's emulation, QEMU must reserve the 32-bit address space up
# front, or Wine cannot map its shared user data; natively nothing reads it.
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xf7000000}
# 64-bit Wine sets the prefix up where it is installed, else the build's own loader
# (DISCMENU_WINE_LOADER, by its full path), else Debian's `wine`. Where 32-bit Wine is installed
# too, the prefix is a 64-bit one with its 32-bit part (WoW64), as on a customer's 64-bit
# Windows, whichever loader makes it; but where 32-bit programs run emulated, each `reg add` of
# a 32-bit reg.exe takes minutes, and a 64-bit one a second.
wine=${DISCMENU_WINE_LOADER:-wine}
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
# How long each step took, for the log: where the time of an emulated run goes.
started=$SECONDS
step() {
    "$wine" "$@" >/dev/null 2>&1
    echo "prepare-prefix: $(( SECONDS - started )) s after the start: $1 $2 done"
}
step wineboot.exe -i
step reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
# Wine draws the window frames itself, as Windows does: there is no window manager on Xvfb.
step reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
# Text files open in the system's editor, as on Windows; Wine's registry leaves .txt without a
# program, and a document entry of a disc would only warn.
step reg add 'HKCR\.txt' /ve /d txtfile /f
wineserver -k || true
test -f "$template/system.reg"
echo "Wine prefix ready: $template"
