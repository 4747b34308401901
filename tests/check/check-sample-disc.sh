#!/usr/bin/env bash
# The sample disc checks clean: assembles it from disc/content as `make disc` does (any file
# stands in for Install.exe and the setup programs, which only the cross build makes) and runs
# discmenu-check over it. Its Install.exe is not signed: a note, and with --release a warning.
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
unsigned="Install.exe: the program is not signed: Windows names no publisher for it, and \
SmartScreen warns when it is started from a downloaded disc image (make sign signs it) (unsigned)"
failed=0
for release in "" --release; do
    if [ -z "$release" ]; then
        expected_status=0
        expected="note: $unsigned
Checked 6 language files and 12 pages: 0 errors, 0 warnings, 1 note."
    else
        expected_status=1
        expected="warning: $unsigned
Checked 6 language files and 12 pages: 0 errors, 1 warning."
    fi
    status=0
    output=$("$program" $release "$work/disc") || status=$?
    printf '%s\n' "$output"
    if [ "$status" -ne "$expected_status" ] || [ "$output" != "$expected" ]; then
        echo "FAILED: expected exit status $expected_status and \"$expected\", got $status" >&2
        failed=1
    fi
done
exit $failed
