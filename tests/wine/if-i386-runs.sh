#!/usr/bin/env bash
# Runs a runtime test of the 32-bit program where this machine runs 32-bit x86 programs, which
# 32-bit Wine needs. Elsewhere (or with DISCMENU_64BIT_ONLY set) it reports the test as skipped,
# with the reason, by exit status 77; the x86_64 build runs the same tests there instead.
#
# Where they run only under user-mode emulation (QEMU), the whole suite takes far longer than
# make test may: only the tests of the emulated subset run, and the others report themselves
# skipped with the reason. A test that exists for that subset alone (one run of chosen
# end-to-end tests) is skipped where they run natively: its tests run in their own modules.
#   if-i386-runs.sh [--emulated-subset | --emulated-subset-only] COMMAND [ARGUMENT...]
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
subset=""
case ${1:-} in
--emulated-subset | --emulated-subset-only)
    subset=$1
    shift
    ;;
esac
setup=$here/../../tools/setup
if ! why=$("$setup/runs-i386.sh"); then
    echo "Skipped: $why; the x86_64 program runs this test instead."
    exit 77
fi
how=$("$setup/runs-i386.sh" --how)
if [ "$how" = emulated ] && [ -z "$subset" ]; then
    echo "Skipped: $why, where the whole 32-bit suite does not fit the time of make test;" \
        "this test is not in the emulated subset (README: Which machine runs which tests)."
    exit 77
fi
if [ "$how" = native ] && [ "$subset" = --emulated-subset-only ]; then
    echo "Skipped: $why; the tests of the emulated subset run in their own modules here."
    exit 77
fi
if [ "$how" = emulated ]; then
    # Every 32-bit program runs many times slower: the end-to-end tests' waits allow for it, and
    # they look at the session through the 64-bit probe (tests/e2e/harness.py). Beside the rest
    # of make test, one emulated start (the Java installer's) outlasted twenty times its wait.
    export DISCMENU_TIME_SCALE=${DISCMENU_TIME_SCALE:-40} DISCMENU_OBSERVE_WITH_PROBE64=1
fi
exec "$@"
