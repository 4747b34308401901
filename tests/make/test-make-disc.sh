#!/usr/bin/env bash
# make disc BRAND=dir builds the x86_64 program of an earlier mingw64 build from that brand as
# well, so that neither program keeps an older brand; with no such build it builds none. Reads
# what make would run (make -n), with a stand-in for the mingw64 build folder.
#   test-make-disc.sh SOURCE_DIR WORK_DIR
set -uo pipefail
source_dir=${1:?usage: test-make-disc.sh SOURCE_DIR WORK_DIR}
work=${2:?}
rm -rf "$work" && mkdir -p "$work/mingw64" "$work/brand" && touch "$work/mingw64/CMakeCache.txt"
failed=0
with=$(make -s -n -C "$source_dir" disc MINGW64="$work/mingw64" BRAND="$work/brand" 2>&1)
without=$(make -s -n -C "$source_dir" disc MINGW64="$work/none" BRAND="$work/brand" 2>&1)
if ! grep -q "cmake --preset mingw64 .*-DDISCMENU_BRAND_DIR:PATH=$work/brand " <<<"$with" ||
   ! grep -q "cmake --build --preset mingw64 .*--target disc" <<<"$with"; then
    printf 'FAILED: the x86_64 program is not built from the brand:\n%s\n' "$with" >&2
    failed=1
fi
if ! grep -q "cmake --preset mingw .*-DDISCMENU_BRAND_DIR:PATH=$work/brand " <<<"$with"; then
    printf 'FAILED: the 32-bit program is not built from the brand:\n%s\n' "$with" >&2
    failed=1
fi
if grep -q "preset mingw64" <<<"$without"; then
    printf 'FAILED: an x86_64 build made without one having been made before:\n%s\n' \
        "$without" >&2
    failed=1
fi
exit $failed
