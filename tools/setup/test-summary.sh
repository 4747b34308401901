#!/usr/bin/env bash
# The closing lines of make test: which program each group of tests ran against, and how.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
why=$("$here/runs-i386.sh")
how=$("$here/runs-i386.sh" --how)
echo "Which program each group of tests ran against, and how:"
echo "  unit tests, disc checks, image and signing tests, source check, fuzz targets: Linux programs, natively"
case $how in
native)
    echo "  the 32-bit Install.exe (build/disc; wine.*, e2e.*): every runtime test, in a 64-bit" \
        "Wine prefix with its 32-bit part (WoW64), 32-bit code native ($why)"
    echo "  the x86_64 Install.exe (build/disc64; x86_64.*): its file and resource checks and one" \
        "end-to-end run, under 64-bit Wine (/usr/lib/wine/wine64), natively"
    ;;
emulated)
    echo "  the 32-bit Install.exe (build/disc; wine.*, e2e.*): the emulated subset" \
        "(wine.prepare_prefix, wine.RegistryViews, e2e.emulated_subset), in a 64-bit Wine prefix" \
        "with its 32-bit part (WoW64), 32-bit code emulated ($why); the other runtime tests" \
        "skipped: the whole suite does not fit the time of make test emulated"
    echo "  the x86_64 Install.exe (build/disc64; x86_64.*): every runtime test, under 64-bit Wine" \
        "(/usr/lib/wine/wine64), natively"
    ;;
*)
    echo "  the 32-bit Install.exe (build/disc; wine.*, e2e.*): runtime tests skipped ($why);" \
        "its file check ran, and disc.program_resources read its resources from the file"
    echo "  the x86_64 Install.exe (build/disc64; x86_64.*): every runtime test, under 64-bit Wine," \
        "natively"
    ;;
esac
