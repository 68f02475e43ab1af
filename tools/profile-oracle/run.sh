#!/usr/bin/env bash
# Runs the profile steps of tests/platform/profile/windows/cases.txt through the Windows profile
# service (Wine's implementation of it, a black box here) and keeps its answers as the expected
# results of Vantric's own profile code.
#   tools/profile-oracle/run.sh          rewrite tests/platform/profile/windows/expected.txt
#   tools/profile-oracle/run.sh --check  compare with it: exit 0 when the same, 1 when not, 77 when
#                                        Wine or MinGW-w64 is not installed
# Needs: apt-get install wine wine64 g++-mingw-w64-x86-64 locales. The service reads files
# without a byte-order mark in the ANSI code page, 936 (GBK) under LC_ALL=zh_CN.UTF-8; the locale
# is made when missing (as root). The Wine prefix is kept in ~/.cache/vantric-wine: its first
# start takes a while.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "$here/../../tests/platform/profile/windows" && pwd)
check=0
[ "${1:-}" = "--check" ] && check=1

if ! command -v wine >/dev/null || ! command -v x86_64-w64-mingw32-g++ >/dev/null; then
    echo "profile-oracle: needs wine and g++-mingw-w64-x86-64" >&2
    exit 77
fi
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || { echo "profile-oracle: no zh_CN.UTF-8 locale" >&2; exit 77; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
x86_64-w64-mingw32-g++ -O1 -static -o "$work/oracle.exe" "$here/oracle.cpp"

export WINEPREFIX=${VANTRIC_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/vantric-wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=zh_CN.UTF-8
mkdir -p "$WINEPREFIX"
windows() { echo "Z:${1//\//\\}"; }
wine "$work/oracle.exe" "$(windows "$data/cases.txt")" "$(windows "$data/files")" \
    "$(windows "$work/cases")" >"$work/expected.txt"
wineserver -k 2>/dev/null || true

if [ $check -eq 1 ]; then
    if diff -u "$data/expected.txt" "$work/expected.txt"; then
        echo "profile-oracle: the Windows profile service still answers as expected.txt says"
    else
        exit 1
    fi
else
    cp "$work/expected.txt" "$data/expected.txt"
    echo "profile-oracle: wrote $data/expected.txt"
fi
