#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each under AddressSanitizer and UndefinedBehaviorSanitizer.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# New inputs go to BUILD_DIR/fuzz-corpus (the committed seeds in fuzz/corpus stay as they are),
# inputs that crash to BUILD_DIR/fuzz-crashes. Exits non-zero when any target found a crash.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build directory}
seconds=${2:?seconds per target}
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(count profile column_definition combo_items menu_definition font_description
             batch_arguments ticket_list)
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../tools/lsan.supp:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen

failed=0
mkdir -p "$build/fuzz-crashes"
for t in "${targets[@]}"; do
    if [ ! -x "$build/fuzz/${t}_fuzzer" ]; then
        echo "fuzz: $t: no target $build/fuzz/${t}_fuzzer (build the 'fuzzers' target)" >&2
        failed=1
        continue
    fi
    work="$build/fuzz-corpus/$t"
    mkdir -p "$work"
    log="$build/fuzz-crashes/$t.log"
    "$build/fuzz/${t}_fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$build/fuzz-crashes/$t-" -print_final_stats=1 \
        "$work" "$here/corpus/$t" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    corpus=$(ls "$work" | wc -l)
    if [ $status -eq 0 ]; then
        echo "fuzz: $t: ${runs:-?} runs in ${seconds}s, corpus $corpus, no crash"
    else
        failed=1
        echo "fuzz: $t: CRASH (status $status) after ${runs:-?} runs; log $log" >&2
        grep -E "ERROR|runtime error|property violated|SUMMARY|Test unit written" "$log" | head -8 >&2
    fi
done
exit $failed
