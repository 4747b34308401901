#!/usr/bin/env bash
# make disc BRAND=dir builds each program once, with the sample's look, and writes the brand
# into both the 32-bit program of the disc and the x86_64 program of an earlier mingw64 build
# with discmenu-brand, so that neither program keeps an older brand; with no such build it
# builds none. Neither build is configured from the brand folder. Reads what make would run
# (make -n), with a stand-in for the mingw64 build folder.
#   test-make-disc.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=${1:?usage: test-make-disc.sh SOURCE_DIR WORK_DIR}
work=${2:?}
rm -rf "$work" && mkdir -p "$work/mingw64" "$work/brand" "$work/own disc" &&
    touch "$work/mingw64/CMakeCache.txt"
failed=0
with=$(make -s -n -C "$source_dir" disc MINGW64="$work/mingw64" BRAND="$work/brand" 2>&1)
without=$(make -s -n -C "$source_dir" disc MINGW64="$work/none" BRAND="$work/brand" 2>&1)
own=$(make -s -n -C "$source_dir" disc MINGW64="$work/none" BRAND="$work/brand" \
    DISC="$work/own disc" 2>&1)
sample=$(make -s -n -C "$source_dir" disc MINGW64="$work/mingw64" 2>&1)
fail() {
    printf 'FAILED: %s:\n%s\n' "$1" "$2" >&2
    failed=1
}
brands() { # whether the commands $2 write the brand into the program $1
    grep -qF "tools/brand/brand-program.sh " <<<"$2" &&
        grep "tools/brand/brand-program.sh " <<<"$2" | grep -qF "'$work/brand' $1"
}
brands build/disc64/Install.exe "$with" || fail "the x86_64 program is not given the brand" "$with"
grep -q "cmake --build --preset mingw64 .*--target disc" <<<"$with" ||
    fail "the x86_64 program is not built again" "$with"
brands build/disc/Install.exe "$with" || fail "the 32-bit program is not given the brand" "$with"
brands "'$work/own disc/Install.exe'" "$own" ||
    fail "the program put on the author's disc is not given the brand" "$own"
if grep -q "DISCMENU_BRAND_DIR:PATH=$work/brand" <<<"$with$own"; then
    fail "a build is configured from the brand folder" "$with"
fi
# Where the 32-bit tool does not run here, the x86_64 build is made for its tool.
native=$([ "$("$source_dir/tools/setup/runs-i386.sh" --how 2>/dev/null)" = native ] && echo yes)
if [ -n "$native" ] && grep -q "preset mingw64" <<<"$without"; then
    fail "an x86_64 build made without one having been made before" "$without"
fi
if grep -q "brand-program.sh" <<<"$sample"; then
    fail "a brand written without BRAND" "$sample"
fi
exit $failed
