#!/usr/bin/env bash
# make check-disc over a clean disc, one with warnings only and one with errors: the first two
# can ship (exit status 0), the third cannot (2); discmenu-check itself keeps its own statuses.
#   test-check-disc.sh SOURCE_DIR CHECK_PROGRAM WORK_DIR
set -uo pipefail
source_dir=${1:?usage: test-check-disc.sh SOURCE_DIR CHECK_PROGRAM WORK_DIR}
program=${2:?}
work=${3:?}
rm -rf "$work"
mkdir -p "$work"
cmake -DDISC_DIR="$work/disc" -DINSTALL_EXE="$program" -DSTANDIN_EXE="$program" \
      -DICONV="$(command -v iconv)" -DWORK_DIR="$work/scratch" \
      -P "$source_dir/disc/AssembleDisc.cmake" >/dev/null || exit 1
cp -r "$work/disc" "$work/warnings" && rm "$work/warnings/autorun.inf"
failed=0

# One case: the folder, make check-disc's expected status and last line, discmenu-check's status.
case_of() {
    local disc=$1 expected_status=$2 expected_last=$3 checker_status=$4 output status=0
    output=$("$source_dir/tools/check-disc/check-disc.sh" "$program" "$disc" 2>&1) || status=$?
    printf '%s\n' "$output"
    if [ "$status" -ne "$expected_status" ] || [ "$(tail -n 1 <<<"$output")" != "$expected_last" ]
    then
        echo "FAILED: $disc: expected status $expected_status and \"$expected_last\", got $status" >&2
        failed=1
    fi
    status=0
    "$program" "$disc" >/dev/null 2>&1 || status=$?
    if [ "$status" -ne "$checker_status" ]; then
        echo "FAILED: $disc: discmenu-check ended with $status, not $checker_status" >&2
        failed=1
    fi
}

case_of "$work/disc" 0 "make check-disc: no errors: the disc can ship." 0
case_of "$work/warnings" 0 "make check-disc: no errors, only the warnings above: the disc can \
ship; mend them where you can." 1
case_of "$source_dir/tests/data/check/planted" 2 \
    "make check-disc: the disc has errors (above): it cannot ship as it is." 2
case_of "$work/no-such-folder" 3 "make check-disc: the check could not run (exit status 3)." 3
exit $failed
