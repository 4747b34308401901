#!/bin/sh
# Runs one fuzz target: first every input kept in its regressions folder, once each, then
# libFuzzer for FUZZ_SECONDS seconds (5 by default) from the target's seeds.
#
#   run-fuzzer.sh FUZZER REGRESSIONS_DIR SEED_LIST BUILD_DIR [DICTIONARY]
#
# With FUZZ_KEEP_CORPUS=1 (make fuzz) the inputs libFuzzer finds are kept in
# BUILD_DIR/corpus/<target> and the next run starts from them as well; otherwise (the short pass
# of make test) they go to BUILD_DIR/short/<target>, emptied first. libFuzzer's output goes to
# BUILD_DIR/logs/<target>.log (.regressions for the first step) and a line on what the run did to
# <target>.summary beside it; an input that fails is saved in BUILD_DIR/artifacts/<target>/.
set -eu

fuzzer=$1
regressions=$2
seeds=$3
build=$4
dictionary=${5:-}
name=$(basename "$fuzzer")
seconds=${FUZZ_SECONDS:-5}

if [ "${FUZZ_KEEP_CORPUS:-0}" = 1 ]; then
    corpus=$build/corpus/$name
else
    corpus=$build/short/$name
    rm -rf "$corpus"
fi
artifacts=$build/artifacts/$name
log=$build/logs/$name.log
mkdir -p "$corpus" "$artifacts" "$build/logs" "$build/tmp/$name"

# The targets write their temporary files here, so that none is left in /tmp after a crash.
export TMPDIR="$build/tmp/$name"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ]; then
    for symbolizer in llvm-symbolizer llvm-symbolizer-14; do
        if command -v "$symbolizer" >/dev/null 2>&1; then
            ASAN_SYMBOLIZER_PATH=$(command -v "$symbolizer")
            export ASAN_SYMBOLIZER_PATH
            break
        fi
    done
fi

# Shows the end of libFuzzer's output in log $1 and message $2, and fails.
fail() {
    tail -n 80 "$1"
    echo "$name: $2"
    exit 1
}

# Every input that ever found something, run once each.
count=0
if [ -d "$regressions" ]; then
    set --
    for input in "$regressions"/*; do
        [ -f "$input" ] && set -- "$@" "$input"
    done
    count=$#
    if [ "$count" -gt 0 ]; then
        "$fuzzer" "$@" >"$log.regressions" 2>&1 ||
            fail "$log.regressions" "a regression input fails (see the lines above)"
    fi
fi

# Then fuzzing for a bounded time, from the seeds and what earlier runs kept.
set -- -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/"
if [ -s "$seeds" ]; then
    set -- "$@" -seed_inputs=@"$seeds"
fi
if [ -n "$dictionary" ]; then
    set -- "$@" -dict="$dictionary"
fi
"$fuzzer" "$@" "$corpus" >"$log" 2>&1 ||
    fail "$log" "libFuzzer found a failing input, saved in $artifacts/ (see the lines above); once its cause is fixed, keep it in $regressions/"

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
inputs=$(find "$corpus" -type f | wc -l)
echo "$name: $count regression input(s) pass; $runs runs in ${seconds} s, $coverage, $inputs input(s) in $corpus" |
    tee "$build/logs/$name.summary"
