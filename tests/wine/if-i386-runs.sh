#!/usr/bin/env bash
# Runs a runtime test of the 32-bit program where this machine runs 32-bit x86 programs, which
# 32-bit Wine needs. Elsewhere (or with DISCMENU_64BIT_ONLY set) it reports the test as skipped,
# with the reason, by exit status 77; the x86_64 build runs the same tests there instead.
#   if-i386-runs.sh COMMAND [ARGUMENT...]
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if ! why=$("$here/../../tools/setup/runs-i386.sh"); then
    echo "Skipped: $why; the x86_64 program runs this test instead."
    exit 77
fi
exec "$@"
