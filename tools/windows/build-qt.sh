#!/usr/bin/env bash
# Builds the Qt modules Vantric uses for 64-bit Windows, once, into a cache folder outside the
# tree, from Debian's own qt6-base source package (the same version as the build machine's Qt,
# whose code generators the cross build runs).
#
#   tools/windows/build-qt.sh            build unless the cache already holds this build
#   tools/windows/build-qt.sh --prefix   print the cache folder and exit
#
# The cache folder is $VANTRIC_QT_WINDOWS (default ~/.cache/vantric/qt-<version>-mingw64). A run
# with a finished build there does nothing; an unfinished one (no stamp) is built again.
# Needs: dpkg-dev, cmake, ninja-build, g++-mingw-w64-x86-64-posix, qt6-base-dev (host tools),
# and a deb-src entry for the archive the host Qt came from (added here when missing).
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)

QT_VERSION=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/[+-].*//')
QT_VERSION=${QT_VERSION:-6.4.2}
PREFIX=${VANTRIC_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/vantric/qt-$QT_VERSION-mingw64}

# Every choice of the build, in one place; the stamp records them, so changing one builds anew.
QT_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  # Code generators (moc, rcc, uic, ...) are the build machine's own, of the same version.
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  # The labels need Core, Gui, Widgets, PrintSupport; the tests need Test. Nothing else.
  -DFEATURE_opengl=OFF
  # Choosing between OpenGL libraries at run time means nothing without OpenGL, and the Windows
  # platform plugin of this version does not build with it on and OpenGL off.
  -DFEATURE_dynamicgl=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  # Debian's source lacks the tablet header the Windows platform plugin includes for it.
  -DFEATURE_tabletevent=OFF
  # Libraries of the build machine must not leak in: zlib, PNG, HarfBuzz, PCRE2 and FreeType are
  # Qt's bundled copies, found without pkg-config.
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF
)

if [ "${1:-}" = "--prefix" ]; then
  echo "$PREFIX"
  exit 0
fi

STAMP_TEXT="qt6-base $QT_VERSION mingw64 ${QT_OPTIONS[*]} $(sha256sum "$HERE/mingw-w64.cmake" | cut -c1-16)"
if [ -f "$PREFIX/.vantric-stamp" ] && [ "$(cat "$PREFIX/.vantric-stamp")" = "$STAMP_TEXT" ]; then
  echo "qt for windows: cached in $PREFIX"
  exit 0
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# apt-get source needs a deb-src entry for the archive the installed binary packages came from:
# the release, its updates, or its security archive once that carries a newer qt6-base.
QT_PACKAGE_VERSION=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if ! apt-get source --print-uris "qt6-base=$QT_PACKAGE_VERSION" >/dev/null 2>&1; then
  echo "qt for windows: adding deb-src entries for Debian's archive and its security archive"
  as_root tee /etc/apt/sources.list.d/vantric-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  as_root apt-get update -qq
fi

WORK=${VANTRIC_QT_WINDOWS_WORK:-$(dirname "$PREFIX")/qt-$QT_VERSION-work}
rm -rf "$WORK" "$PREFIX"
mkdir -p "$WORK" "$PREFIX"
cd "$WORK"
# apt checks the source package against the signed archive index (sizes and SHA-256 sums).
apt-get source -qq "qt6-base=$QT_PACKAGE_VERSION" >/dev/null
SRC=$(find "$WORK" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$SRC" ] || { echo "qt for windows: no source unpacked in $WORK" >&2; exit 1; }

# The toolchain file travels with the build: Qt's own toolchain file refers to it.
cp "$HERE/mingw-w64.cmake" "$PREFIX/mingw-w64.cmake"

echo "qt for windows: configuring $SRC"
cmake -S "$SRC" -B "$WORK/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PREFIX/mingw-w64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" \
  "${QT_OPTIONS[@]}" >"$WORK/configure.log" 2>&1 ||
  { tail -n 40 "$WORK/configure.log" >&2; exit 1; }
echo "qt for windows: building (about 1,150 steps)"
cmake --build "$WORK/build" -j "$(nproc)" >"$WORK/build.log" 2>&1 ||
  { grep -m 20 -B 2 -A 10 'error' "$WORK/build.log" >&2 || tail -n 40 "$WORK/build.log" >&2; exit 1; }
cmake --install "$WORK/build" >/dev/null
# The licence texts the installer carries.
mkdir -p "$PREFIX/licenses"
cp "$SRC"/LICENSES/LGPL-3.0-only.txt "$SRC"/LICENSES/GPL-3.0-only.txt "$PREFIX/licenses/" 2>/dev/null || true
cp "$SRC/debian/copyright" "$PREFIX/licenses/debian-copyright" 2>/dev/null || true
# Where the source came from: the address of the package's signed description (.dsc). Asked
# from another folder: apt names no file that the current folder already holds.
(cd / && apt-get source --print-uris "qt6-base=$QT_PACKAGE_VERSION" 2>/dev/null |
  awk '/\.dsc /{gsub("\047", "", $1); print $1}') | sed 's/%2[bB]/+/g' >"$PREFIX/licenses/SOURCE"
[ -s "$PREFIX/licenses/SOURCE" ] || { echo "qt for windows: no address of the source" >&2; exit 1; }
rm -rf "$WORK"
echo "$STAMP_TEXT" >"$PREFIX/.vantric-stamp"
echo "qt for windows: installed in $PREFIX ($(du -sh "$PREFIX" | cut -f1))"
