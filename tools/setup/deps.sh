#!/usr/bin/env bash
# make deps: installs the Debian packages that the build and the tests need, when missing, and
# then checks that everything is there. Quick when nothing is missing; loud when it cannot.
#
# - A package index that cannot be downloaded is a warning: installation goes on with the
#   indexes that did download. When an index is missing and apt then finds versions of two
#   suites that do not fit together (a library's 64-bit version from one suite, its 32-bit one
#   only in the other), the installation is tried once more preferring the release's main
#   suite. With every index there, the plain installation is the one to trust.
# - 32-bit Wine (the i386 architecture's wine32) is installed where the machine runs 32-bit x86
#   programs (runs-i386.sh). Where its kernel runs none, QEMU's user-mode emulation is set up
#   first (qemu-user-static and a binfmt_misc handler for i386 programs, i386-emulation.sh), and
#   the 32-bit programs run emulated. Where even that cannot be had, 32-bit Wine is left out,
#   and removed if an earlier run installed it, so that `wine` is 64-bit Wine; the tests then
#   report the 32-bit program's runtime tests skipped, and this says so once.
# - A package that cannot be installed stops it with a non-zero exit, naming the packages and
#   apt's reason.
#
# Extra packages to install can be named in DISCMENU_EXTRA_PACKAGES (for trying this script).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Wine runs the Windows programs; the Chinese font lets it draw Chinese texts on a Western
# system, and the tests run the menu under a Western and a Chinese locale, which must be
# generated. discmenu-check measures texts on Linux with Liberation Sans, which has Arial's
# metrics. The fuzz targets are built with clang and its libFuzzer and sanitizer runtimes;
# llvm-14 brings the symbolizer for their reports. make iso writes disc images with xorriso,
# make sign signs programs with osslsigncode, and the tests make their certificates with openssl.
# The program's pictures are stored deflated: zlib for the build host's encoder and tests, and
# for the Windows programs' decoder, linked statically (libz-mingw-w64-dev). make bench counts
# what the relaunch reads from the disc with strace.
packages=(cmake make g++ binutils googletest libgtest-dev mingw-w64-tools
          g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          zlib1g-dev libz-mingw-w64-dev strace
          wine wine64 xvfb xauth xdotool x11-utils openbox imagemagick python3
          fonts-wqy-microhei fonts-liberation locales clang libclang-rt-14-dev llvm-14
          xorriso osslsigncode openssl ${DISCMENU_EXTRA_PACKAGES:-})
packages32=(wine32:i386)
locales=(en_US.UTF-8 zh_CN.UTF-8)
# The commands the build and the tests call, checked after installing.
commands=(cmake g++ as ld i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix
          i686-w64-mingw32-windres x86_64-w64-mingw32-windres wine wineserver Xvfb xauth xdotool
          xprop xdpyinfo openbox import python3 clang++ iconv xorriso osslsigncode openssl)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp "${TMPDIR:-/tmp}/discmenu-deps.XXXXXX")
trap 'rm -f "$log"' EXIT

say() { echo "make deps: $*"; }
fail() {
    echo "make deps: error: $*" >&2
    exit 1
}

installed() { [ -z "$(missing_of "$1")" ]; }

# The packages of the arguments that are not installed, one a line; one dpkg-query for all.
missing_of() {
    local present
    present=$(dpkg-query -W -f='${binary:Package} ${Package} ${Status}\n' "$@" 2>/dev/null |
        awk '/ install ok installed$/ { print $1; print $2 }')
    local package
    for package in "$@"; do grep -qxF "$package" <<<"$present" || echo "$package"; done
}

# apt's own reasons: its error and warning lines.
reasons() { grep -E '^(E|W|Err):|^ [^ ].* : Depends' "$log" | sed 's/^/    /' | head -n 20; }

updated=""
index_missing=""
update_index() {
    [ -n "$updated" ] && return
    updated=1
    say "updating the package index"
    # apt exits 100 for some indexes that failed and 0 for others, with a warning.
    if ! $sudo apt-get update -q >"$log" 2>&1 || grep -qE '^(E:|W: Failed to fetch|W: Some index)' "$log"; then
        index_missing=1
        echo "make deps: warning: apt-get update could not download every package index;" \
            "installing from the indexes it has:" >&2
        reasons >&2
    fi
}

# Installs the packages that are missing; returns 1 when apt cannot, its reasons in $log.
try_install() {
    local missing
    missing=$(missing_of "$@" | tr '\n' ' ')
    [ -n "$missing" ] || return 0
    update_index
    say "installing $missing"
    # shellcheck disable=SC2086  # one word per package
    $sudo apt-get install -y -q --no-install-recommends $missing >"$log" 2>&1 && return 0
    local release
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    # Preferring the main suite mends a missing index of another suite; with every index there
    # it can only pick older 32-bit libraries than the 64-bit ones installed.
    if [ -n "$index_missing" ] && [ -n "$release" ]; then
        say "apt could not install them as they stand; trying again preferring $release's own suite"
        # shellcheck disable=SC2086
        $sudo apt-get install -y -q --no-install-recommends -o "APT::Default-Release=$release" \
            $missing >"$log" 2>&1 && return 0
    fi
    return 1
}

install() {
    try_install "$@" || fail "could not install $(missing_of "$@" | tr '\n' ' '); apt says:
$(reasons)"
}

install "${packages[@]}"

# 32-bit Wine where 32-bit programs run, natively or emulated; 64-bit Wine alone elsewhere.
add_i386() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture for 32-bit Wine ($1)"
        $sudo dpkg --add-architecture i386 || return 1
        updated=""
    fi
}
if why=$("$here/runs-i386.sh" --machine); then
    add_i386 "$why" || fail "could not add the i386 architecture"
    install "${packages32[@]}"
else
    # The kernel runs no 32-bit program: QEMU's user-mode emulation of them, then 32-bit Wine.
    say "$why: setting up QEMU's user-mode emulation of 32-bit x86 programs for 32-bit Wine"
    emulation=""
    if ! try_install qemu-user-static; then
        emulation="qemu-user-static cannot be installed: $(reasons | tr -s ' \n' ' ')"
    elif ! reason=$($sudo "$here/i386-emulation.sh" --set-up); then
        emulation=$reason
    elif ! why=$("$here/runs-i386.sh" --machine); then
        emulation="32-bit programs still do not run under the emulation: $why"
    elif ! add_i386 "$why"; then
        emulation="the i386 architecture cannot be added"
    elif ! try_install "${packages32[@]}"; then
        emulation="wine32:i386 cannot be installed: $(reasons | tr -s ' \n' ' ')"
    fi
    if [ -n "$emulation" ]; then
        echo "make deps: warning: the 32-bit program's runtime tests (Wine, end-to-end) will be" \
            "reported skipped: this machine runs no 32-bit x86 programs, and their emulation" \
            "cannot be set up: $emulation" >&2
        for package in "${packages32[@]}"; do
            installed "$package" || continue
            say "removing $package: with it installed \`wine\` would pick 32-bit Wine, which cannot run here"
            $sudo apt-get remove -y -q "$package" >"$log" 2>&1 ||
                fail "could not remove $package; apt says:
$(reasons)"
        done
    else
        say "32-bit x86 programs run here under user-mode emulation: the 32-bit program's tests" \
            "run emulated (slowly; see README, Which machine runs which tests)"
    fi
fi

generate=""
for locale in "${locales[@]}"; do
    name=${locale/UTF-8/utf8}
    locale -a 2>/dev/null | grep -qx "$name" && continue
    $sudo sed -i "s/^# *$locale UTF-8/$locale UTF-8/" /etc/locale.gen
    grep -q "^$locale UTF-8" /etc/locale.gen || echo "$locale UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    generate=1
done
[ -z "$generate" ] || $sudo locale-gen >/dev/null || fail "could not generate the locales ${locales[*]}"

# Everything there?
absent=$(missing_of "${packages[@]}" | tr '\n' ' ')
[ -z "$absent" ] || fail "still not installed: $absent"
for command in "${commands[@]}"; do
    command -v "$command" >/dev/null || absent="$absent $command"
done
[ -z "$absent" ] || fail "commands missing after installing:$absent"
for locale in "${locales[@]}"; do
    locale -a | grep -qx "${locale/UTF-8/utf8}" || fail "locale $locale is not generated"
done
QEMU_RESERVED_VA=0xf7000000 WINEDEBUG=-all wine --version >/dev/null 2>"$log" ||
    fail "wine does not start: $(cat "$log")"
exit 0
