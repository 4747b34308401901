#!/usr/bin/env bash
# The sample disc checks clean: assembles it from disc/content as `make disc` does (any file
# stands in for Install.exe and the setup programs, which only the cross build makes) and runs
# discmenu-check over it.
#   check-sample-disc.sh SOURCE_DIR CHECK_PROGRAM WORK_DIR
set -euo pipefail
source_dir=${1:?usage: check-sample-disc.sh SOURCE_DIR CHECK_PROGRAM WORK_DIR}
program=${2:?}
work=${3:?}
rm -rf "$work"
mkdir -p "$work"
cmake -DDISC_DIR="$work/disc" -DINSTALL_EXE="$program" -DSTANDIN_EXE="$program" \
      -DICONV="$(command -v iconv)" -DWORK_DIR="$work/scratch" \
      -P "$source_dir/disc/AssembleDisc.cmake" >/dev/null
status=0
output=$("$program" "$work/disc") || status=$?
printf '%s\n' "$output"
expected="Checked 6 language files and 12 pages: 0 errors, 0 warnings."
if [ "$status" -ne 0 ] || [ "$output" != "$expected" ]; then
    echo "FAILED: expected exit status 0 and \"$expected\", got $status" >&2
    exit 1
fi
