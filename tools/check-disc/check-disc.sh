#!/usr/bin/env bash
# make check-disc: runs discmenu-check over a disc folder and says whether the disc can ship.
# Warnings and notes are printed and leave the disc shippable (exit status 0); errors stop it
# (exit status 2), and so does a check that could not run (its own status, 3). discmenu-check
# itself keeps its statuses (0 clean or notes only, 1 warnings, 2 errors) for pipelines.
#   check-disc.sh CHECK_PROGRAM DISC_DIR [OPTION...]
set -uo pipefail
program=${1:?usage: check-disc.sh CHECK_PROGRAM DISC_DIR [OPTION...]}
disc=${2:?usage: check-disc.sh CHECK_PROGRAM DISC_DIR [OPTION...]}
shift 2
echo "$program${*:+ $*} \"$disc\""
"$program" "$@" "$disc"
status=$?
case $status in
0) echo "make check-disc: no errors: the disc can ship." ;;
1) echo "make check-disc: no errors, only the warnings above: the disc can ship; mend them" \
        "where you can." ;;
2) echo "make check-disc: the disc has errors (above): it cannot ship as it is." >&2
   exit 2 ;;
*) echo "make check-disc: the check could not run (exit status $status)." >&2
   exit "$status" ;;
esac
