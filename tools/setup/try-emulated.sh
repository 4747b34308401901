#!/usr/bin/env bash
# Runs a command as on a machine whose kernel runs no 32-bit x86 programs, where make deps sets
# up QEMU's user-mode emulation of them: in a user and mount namespace of its own, with a
# binfmt_misc of its own (Linux 6.7 and later give each user namespace one) in which every i386
# program is handed to qemu-i386-static. The machine's own binfmt_misc, and every other
# process's 32-bit programs, are left alone.
#
#   tools/setup/try-emulated.sh make test
#   tools/setup/try-emulated.sh tools/setup/runs-i386.sh     # says "under user-mode emulation"
#
# Needs qemu-user-static installed, and 32-bit Wine for the tests (make deps on a machine that
# runs 32-bit programs installs it).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -gt 0 ] || { echo "usage: try-emulated.sh COMMAND [ARGUMENT...]" >&2; exit 2; }
[ -x /usr/bin/qemu-i386-static ] ||
    { echo "try-emulated.sh: no /usr/bin/qemu-i386-static (apt-get install qemu-user-static)" >&2; exit 1; }
if [ -z "${DISCMENU_IN_EMULATION_NAMESPACE:-}" ]; then
    export DISCMENU_IN_EMULATION_NAMESPACE=1
    exec unshare --user --map-root-user --mount "$0" "$@"
fi
# A binfmt_misc of this namespace only: mounted here, never the machine's.
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
    { echo "try-emulated.sh: this kernel gives a user namespace no binfmt_misc of its own" >&2; exit 1; }
"$here/i386-emulation.sh" --set-up >&2 || exit 1
exec "$@"
