#!/usr/bin/env bash
# The Windows build of discmenu-check under Wine says of the sample disc what the Linux build
# says, in both forms (text and JSON), with the same exit status, and finds it clean but for
# the note that its Install.exe is not signed.
#   check-under-wine.sh WINE_RUN CHECK_EXE DISC_DIR LINUX_CHECK_PROGRAM
set -uo pipefail
wine_run=${1:?usage: check-under-wine.sh WINE_RUN CHECK_EXE DISC_DIR LINUX_CHECK_PROGRAM}
program=${2:?}
disc=${3:?}
linux_check=${4:?}
clean="note: Install.exe: the program is not signed: Windows names no publisher for it, and \
SmartScreen warns when it is started from a downloaded disc image (make sign signs it) (unsigned)
Checked 6 language files and 12 pages: 0 errors, 0 warnings, 1 note."
failed=0
for mode in text --json; do
    arguments=("$disc")
    [ "$mode" = text ] || arguments=("$mode" "$disc")
    windows=$("$wine_run" "$program" "${arguments[@]}" 2>/dev/null)
    windows_status=$?
    echo "--- $mode, under Wine (exit status $windows_status):"
    printf '%s\n' "$windows" | tail -n 3
    if [ "$windows_status" -ne 0 ]; then
        echo "FAILED: exit status $windows_status, not 0" >&2
        failed=1
    fi
    if [ "$mode" = text ] && [ "$windows" != "$clean" ]; then
        echo "FAILED: not the clean summary \"$clean\"" >&2
        failed=1
    fi
    if [ -x "$linux_check" ]; then
        linux=$("$linux_check" "${arguments[@]}")
        if [ "$linux" != "$windows" ]; then
            echo "FAILED: the Linux build says otherwise:" >&2
            diff <(printf '%s\n' "$linux") <(printf '%s\n' "$windows") >&2
            failed=1
        fi
    else
        echo "(no $linux_check to compare with: build it with make linux)"
    fi
done
exit $failed
