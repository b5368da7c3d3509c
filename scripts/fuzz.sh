#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60). Fails on any finding: crash, failed check, sanitizer report or leak.
# Usage: scripts/fuzz.sh [SECONDS]
# A finding is left in BUILD/fuzz-work/findings-TARGET/; copy it into
# tests/fuzz/regressions/ under a name that says what it caught, so the
# normal test run replays it from then on. To run one input by hand:
#   QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=tests/sanitizer/lsan.supp \
#       build-fuzz/tests/fuzz/fuzz_window FILE
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
case $seconds in
    ''|*[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

scripts/install-deps.sh test
build_dir=${DUPLINK_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDUPLINK_WERROR=ON -DDUPLINK_FUZZ=ON
cmake --build "$build_dir" --parallel "$(nproc)" --target fuzz_decoder fuzz_window fuzz_watch make_corpus

work=$build_dir/fuzz-work
rm -rf "$work/seeds"
"$build_dir/tests/fuzz/make_corpus" "$work/seeds"

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for target in decoder window watch; do
    corpus=$work/corpus-$target
    findings=$work/findings-$target
    log=$work/$target.log
    mkdir -p "$corpus"
    rm -rf "$findings"
    mkdir -p "$findings"
    options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=25
             -artifact_prefix="$findings/")
    if [ "$target" = window ]; then
        # The window's document legitimately grows until the data pane is
        # full, which would make libFuzzer scan the whole heap for leaks after
        # nearly every input. Leaked blocks stay leaked, so the check at exit
        # still catches them.
        options+=(-detect_leaks=0)
    fi
    echo "fuzz_$target: ${seconds}s"
    result=0
    "$build_dir/tests/fuzz/fuzz_$target" "${options[@]}" \
        "$corpus" "$work/seeds/$target" tests/fuzz/regressions >"$log" 2>&1 || result=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$target: ${executions:-?} executions, ${rate:-?} per second, exit status $result"
    if [ "$result" -ne 0 ] || [ -n "$(ls -A "$findings")" ] \
        || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
        status=1
        echo "fuzz_$target: FINDING; log $log" >&2
        grep -E -A40 'ERROR:|runtime error:|fault:' "$log" | head -80 >&2 || tail -40 "$log" >&2
        ls -l "$findings" >&2
    fi
done
exit $status
