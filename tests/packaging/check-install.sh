#!/usr/bin/env bash
# check-install.sh BUILD_DIR STAGE_DIR
# Runs `cmake --install` into STAGE_DIR (as DESTDIR, prefix /usr) and checks that exactly the
# programs and what goes with them (desktop entry, icons, metadata, manual pages, completion,
# copyright and changelog) are installed, that they fit together, and that the installed
# programs run on their own.
set -u
build=$1
stage=$2
prefix=/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$stage"
if ! DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >"$stage.log" 2>&1; then
    cat "$stage.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi
root=$stage$prefix

# The whole list: anything else (a test library, a benchmark, a test program) is a mistake.
expected="bin/vantric
bin/vantric-batch
share/applications/vantric.desktop
share/bash-completion/completions/vantric-batch
share/doc/vantric/changelog.gz
share/doc/vantric/copyright
share/icons/hicolor/256x256/apps/vantric.png
share/icons/hicolor/48x48/apps/vantric.png
share/icons/hicolor/scalable/apps/vantric.svg
share/man/man1/vantric-batch.1.gz
share/man/man1/vantric.1.gz
share/metainfo/com.example.vantric.metainfo.xml"
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
    fail "installed files differ from the expected list"
    diff <(echo "$expected") <(echo "$actual")
fi
stray=$(cd "$stage" && find . \( -type f -o -type l \) ! -path "./${prefix#/}/*")
[ -z "$stray" ] || fail "files installed outside the prefix: $stray"

for program in vantric vantric-batch; do
    path=$root/bin/$program
    [ -x "$path" ] || { fail "$program is not executable"; continue; }
    # A run path into the build tree would make the installed program load build-tree libraries.
    if readelf -d "$path" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
        fail "$program keeps a run path into the build tree"
    fi
done

# The installed batch program builds a sheet without the build tree. An empty drive root means
# no drive D: built-in margins, nothing written.
drives=$(mktemp -d)
dump=$(VANTRIC_DRIVES=$drives QT_QPA_PLATFORM=offscreen "$root/bin/vantric-batch" single 3 --dump 2>&1)
status=$?
[ $status -eq 0 ] || fail "installed vantric-batch exited with $status: $dump"
echo "$dump" | grep -qF '3/3' || fail "installed vantric-batch dumped no 3/3 label"
[ -z "$(ls -A "$drives")" ] || fail "vantric-batch wrote into a drive root without drive D"
rm -rf "$drives"

# The desktop entry names a program and an icon that are installed.
desktop=$root/share/applications/vantric.desktop
if [ -f "$desktop" ]; then
    key() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(key Name)" = Vantric ] || fail "desktop Name is '$(key Name)'"
    [ "$(key Type)" = Application ] || fail "desktop Type is '$(key Type)'"
    exec_program=$(key Exec | cut -d' ' -f1)
    [ -x "$root/bin/$exec_program" ] || fail "desktop Exec '$exec_program' is not an installed program"
    icon=$(key Icon)
    for file in "scalable/apps/$icon.svg" "48x48/apps/$icon.png" "256x256/apps/$icon.png"; do
        [ -f "$root/share/icons/hicolor/$file" ] || fail "desktop Icon '$icon' has no $file"
    done
    case ";$(key Categories)" in *";Office;"*) ;; *) fail "desktop Categories lack Office" ;; esac
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
    else
        echo "note: desktop-file-validate not installed; entry checked by the rules above only"
    fi
fi

# Each PNG is a PNG of the size its folder promises.
for size in 48 256; do
    png=$root/share/icons/hicolor/${size}x${size}/apps/vantric.png
    [ -f "$png" ] || continue
    magic=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    [ "$magic" = 89504e470d0a1a0a ] || fail "${size}x${size} icon is not a PNG"
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$dims" = "${size}x${size}" ] || fail "${size}x${size} icon is $dims"
done
svg=$root/share/icons/hicolor/scalable/apps/vantric.svg
[ ! -f "$svg" ] || grep -q '<svg[^>]*viewBox=' "$svg" || fail "scalable icon is not an SVG with a viewBox"

copyright=$root/share/doc/vantric/copyright
[ ! -f "$copyright" ] || grep -q '^Copyright: .* The Vantric developers' "$copyright" \
    || fail "copyright file lacks the copyright line"

# Each program names itself and its version without a window or a display: the window program
# would fail on the xcb platform with no display if it started one.
version=$(sed -n 's/^project(Vantric VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for program in vantric vantric-batch; do
    [ -x "$root/bin/$program" ] || continue
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/$program" --version 2>&1)
    [ "$out" = "$program $version" ] || fail "$program --version says '$out', not '$program $version'"
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/$program" --help 2>&1)
    case $help in
        "usage: $program "*) ;;
        *) fail "$program --help does not start with its usage: $(echo "$help" | head -1)" ;;
    esac
done

[ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "install layout ok"
