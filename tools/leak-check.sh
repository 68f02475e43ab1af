#!/usr/bin/env bash
# Runs vantric-batch and the program itself from a sanitizer build (-DVANTRIC_SANITIZE=ON) with
# LeakSanitizer on: start, build a sheet, print, exit. Leaks inside the libraries listed in
# tools/lsan.supp are not ours and are ignored; any other leak fails the check.
#   tools/leak-check.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?sanitizer build directory}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/drives/D"

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0

check() { # name log status [expected status]
    local name=$1 log=$2 status=$3 expected=${4:-0}
    if grep -q "LeakSanitizer: detected memory leaks" "$log"; then
        echo "leak-check: $name: LEAKS" >&2
        sed -n '/LeakSanitizer/,/SUMMARY/p' "$log" | head -60 >&2
        failed=1
    elif [ "$status" -ne "$expected" ]; then
        echo "leak-check: $name: exit status $status" >&2
        tail -20 "$log" >&2
        failed=1
    else
        echo "leak-check: $name: no leaks"
    fi
}

batch() { # name expected-status arguments...
    local name=$1 expected=$2; shift 2
    VANTRIC_DRIVES="$work/drives" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" \
        "$build/bin/vantric-batch" "$@" >"$work/out" 2>"$work/$name.log"
    check "vantric-batch $*" "$work/$name.log" $? "$expected"
}
batch single 0 single 12 --pdf "$work/single.pdf"
batch multi 0 multi 3 2 120 --dump
batch overweight 0 overweight --pdf "$work/overweight.pdf"
batch refused 2 multi 3 0 --dump

# The program as a person uses it: the end-to-end run (sheet, preview, print, quit) on the
# sanitizer build. It skips (77) where no X server or CUPS can be started; under CI it fails.
if [ -f "$here/../tests/e2e/person_run.py" ] && [ -x "$build/bin/vantric" ]; then
    python3 "$here/../tests/e2e/person_run.py" --vantric "$build/bin/vantric" \
        --artifacts "$work/e2e" --cups-setup "$here/cups-setup.sh" >"$work/e2e.out" 2>&1
    status=$?
    if [ $status -eq 77 ]; then
        echo "leak-check: vantric: skipped ($(tail -1 "$work/e2e.out"))"
    else
        check "vantric (start, sheet, preview, print, quit)" "$work/e2e/vantric.log" $status
    fi
fi
exit $failed
