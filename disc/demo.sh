#!/usr/bin/env bash
# Shows the menu of the sample disc under Wine, or of the disc folder given: a copy of it in the
# prefix's C: drive, with the program built here (the one this machine runs) at its root, so
# that the folder itself is left as it is. With a display, the menu opens there; without one,
# it runs under a private X server and a screenshot of the page is saved instead.
# Wine runs in a prefix of the project's own (build/demo/wineprefix), never in ~/.wine; a prefix
# made before text files were associated there is made anew.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
demo=$root/build/demo
# The 32-bit program where this machine runs 32-bit x86 programs natively, the x86_64 one
# elsewhere (under emulation, the 32-bit one takes a minute to show).
if why=$("$root/tools/setup/runs-i386.sh") &&
    [ "$("$root/tools/setup/runs-i386.sh" --how)" = native ]; then
    disc=$root/build/disc probe=$root/build/mingw/tests/winprobe.exe
    echo "Showing the 32-bit program: $why."
else
    disc=$root/build/disc64 probe=$root/build/mingw64/tests/winprobe.exe
    echo "Showing the x86_64 program (build/disc64): $why."
fi
export WINEPREFIX=$demo/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xf7000000}
mkdir -p "$demo"
grep -qi '^\[Software\\\\Classes\\\\.txt\]' "$WINEPREFIX/system.reg" 2>/dev/null ||
    "$root/tests/wine/prepare-prefix.sh" "$WINEPREFIX" >/dev/null
if [ -n "${1:-}" ]; then
    copy=$WINEPREFIX/drive_c/disc
    rm -rf "$copy"
    cp -r "$1" "$copy"
    cp "$disc/Install.exe" "$copy/Install.exe"
    echo "Showing $1 as C:\\disc, with ${disc#"$root"/}/Install.exe at its root."
    disc=$copy
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting the menu of $disc on $DISPLAY (close it to end)."
    wine "$disc/Install.exe"
    exit 0
fi

# No display: a private X server, the menu, a screenshot of its window.
rm -f "$demo/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$demo/display" 2>/dev/null &
xvfb_pid=$!
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$demo/display")
wineserver -p </dev/null >/dev/null 2>&1
wine "$probe" windows </dev/null >/dev/null 2>&1
wine "$disc/Install.exe" </dev/null >/dev/null 2>&1
window=$(wine "$probe" wait Install 30000 | tr -d '\r') || { echo "The menu did not open."; exit 1; }
read -r _ _ _ _ _ _ _ _ _ _ left top right bottom <<<"$window"
sleep 1
import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
    "$demo/menu.png"
echo "No display: the menu ran under Xvfb; screenshot saved to build/demo/menu.png"
