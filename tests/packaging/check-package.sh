#!/usr/bin/env bash
# check-package.sh BUILD_DIR OUT_DIR
# Builds the Debian package with cpack and judges it the way Debian and the desktop do: lintian
# (no errors, no warnings), appstreamcli on the installed tree (the metadata, and that it names a
# desktop entry that is installed), desktop-file-validate, and the manual pages and changelog as
# man and dpkg read them.
set -u
build=$1
out=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

missing=
for tool in cpack dpkg-deb dpkg-parsechangelog lintian appstreamcli desktop-file-validate man; do
    command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "skipped: missing$missing (./dev test installs dpkg-dev, lintian, appstream, desktop-file-utils)"
    exit 77
fi

rm -rf "$out"
mkdir -p "$out"
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
deb=$(ls "$out"/vantric_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "FAIL: cpack made no vantric_*.deb"; exit 1; }
tree=$out/tree
dpkg-deb -x "$deb" "$tree"

# lintian: every error and warning fails; info tags are printed for whoever reads the log.
lintian --info "$deb" >"$out/lintian.log" 2>&1
grep -E '^[EWI]: ' "$out/lintian.log"
if grep -qE '^[EW]: ' "$out/lintian.log"; then
    fail "lintian reports errors or warnings"
fi

appstreamcli validate-tree --no-net "$tree" || fail "appstreamcli rejects the installed metadata"
desktop-file-validate "$tree/usr/share/applications/vantric.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"

# The metadata's launchable is the installed desktop entry, its screenshots are the README's.
metainfo=$(ls "$tree"/usr/share/metainfo/*.metainfo.xml)
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -f "$tree/usr/share/applications/$launchable" ] ||
    fail "metainfo launches '$launchable', which is not installed"
readme=$(dirname "$0")/../../README.md
for shot in $(sed -n 's|.*<image[^>]*>.*/\(docs/[^<]*\)</image>.*|\1|p' "$metainfo"); do
    grep -qF "($shot)" "$readme" || fail "metainfo screenshot $shot is not in the README"
done
[ "$(grep -c '<screenshot' "$metainfo")" -ge 2 ] || fail "metainfo has fewer than two screenshots"

# Manual pages: compressed at the most, rendered without a warning, describing what they must.
for program in vantric vantric-batch; do
    page=$tree/usr/share/man/man1/$program.1.gz
    if [ ! -f "$page" ]; then
        fail "no manual page for $program"
        continue
    fi
    gzip -t "$page" || fail "$program.1.gz is not gzip"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$program(1) renders with warnings: $warnings"
    text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS" EXAMPLES; do
        grep -q "^$section" <<<"$text" || fail "$program(1) has no $section section"
    done
    grep -qF 'D:/data/dypz.ini' <<<"$text" || fail "$program(1) does not name the settings file"
    grep -q 'Vantric [0-9]' <<<"$text" || fail "$program(1) carries no version"
done

# The changelog is the package's: a Debian changelog whose latest entry is the package version.
version=$(dpkg-deb -f "$deb" Version)
logged=$(zcat "$tree/usr/share/doc/vantric/changelog.gz" | dpkg-parsechangelog -l- -SVersion)
[ "$logged" = "$version" ] || fail "changelog's latest version is '$logged', the package's '$version'"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$tree/usr/share/doc/vantric/copyright" || fail "copyright file is not machine-readable"

[ $failures -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package ok: $(basename "$deb")"
