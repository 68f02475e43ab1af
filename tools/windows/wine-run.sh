#!/usr/bin/env bash
# Runs a 64-bit Windows program of the build under Wine, as a desk PC would run it: the Qt and
# MinGW runtime DLLs on its path, a Chinese Windows code page (936) when the machine has the
# locale, and a font that stands in for Arial. CMake runs every Windows test through it
# (CMAKE_CROSSCOMPILING_EMULATOR).
#
#   tools/windows/wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# The Wine prefix is $VANTRIC_WINEPREFIX (default ~/.cache/vantric/wine-windows); it is made on
# first use. Its drive D, when a desk needs one, is a link in $WINEPREFIX/dosdevices.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }

export WINEPREFIX=${VANTRIC_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/vantric/wine-windows}
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install Mono or Gecko: Vantric needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)

# Programs without a byte-order mark and messages of the system in the code page of Chinese
# Windows, as on the desks.
if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    export LC_ALL=zh_CN.UTF-8
fi

windows_path() { echo "Z:${1//\//\\}"; }

# Windows programs draw through Wine's X11 driver: without a display, on a private X server of
# their own (the desktop tests' way of starting one). Qt's offscreen platform needs none, and
# neither does listing a test program's tests.
case " $* " in *" --gtest_list_tests "*) export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ;; esac
if [ -z "${DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ] &&
   [ -z "${VANTRIC_WINE_NO_DISPLAY:-}" ]; then
    export VANTRIC_WINE_NO_DISPLAY=1
    exec python3 "$HERE/../../tests/ui/under_xvfb.py" "$0" "$@"
fi

# The DLLs: Qt's own, and the C++ and thread runtimes of the MinGW compiler.
QT_PREFIX=$("$HERE/build-qt.sh" --prefix)
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
WINEPATH="$(windows_path "$QT_PREFIX/bin");$(windows_path "$gcc_runtime")"
WINEPATH+=";$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH

# The prefix is made once, whoever runs first; the others wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.vantric-ready" ]; then
    "$HERE/make-prefix.sh" "$WINEPREFIX"
    touch "$WINEPREFIX/.vantric-ready"
fi
# Qt's offscreen platform reads fonts from one folder, not from Windows: the label fonts.
fonts="$WINEPREFIX/vantric-fonts"
if [ ! -d "$fonts" ]; then
    mkdir -p "$fonts"
    ln -sf /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf \
        /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
fi
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-$(windows_path "$fonts")}
# Wine hands no QT_ variable to Windows programs: a small launcher of our own passes them on.
launcher="$WINEPREFIX/vantric-with-env.exe"
if [ ! -f "$launcher" ] || [ "$HERE/with-env.cpp" -nt "$launcher" ]; then
    x86_64-w64-mingw32-g++-posix -municode -static -O1 -o "$launcher" "$HERE/with-env.cpp"
fi
flock -u 9
exec 9>&-

# Qt's messages (and QTest's log) go to standard error and output even without a Windows
# console, instead of to a debugger.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
qt_variables=()
while IFS= read -r -d '' variable; do
    case "$variable" in
        QT_QPA_PLATFORM=xcb) ;;  # Linux's platform, set by the X server's starter
        QT_*=*) qt_variables+=("$variable") ;;
    esac
done < <(env -0)
exec "$WINE" "$launcher" "${qt_variables[@]}" -- "$@"
