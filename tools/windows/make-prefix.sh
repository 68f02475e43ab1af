#!/usr/bin/env bash
# Makes a fresh Wine prefix set up as a packing desk's Windows PC is for Vantric, replacing
# whatever is in the folder, and waits until Wine has written it out.
#
#   tools/windows/make-prefix.sh PREFIX
#
# A desk has Arial, the labels' face; a Wine prefix has not. Liberation Sans has Arial's
# measures: the font substitute Windows programs read, and Wine's own replacement (the one that
# makes the font list offer "Arial", which is what Qt asks for), both name it.
# The Wine session started here uses $DISPLAY when set: start it under the X server the programs
# will run on, or the screen Wine remembers for the session is a 1024x768 one without X.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }

export WINEPREFIX=$1
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to install Mono or Gecko: Vantric needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
[ -x "$WINE" ] || WINE=$(command -v wine64 || command -v wine)

rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
"$WINE" wineboot -i >/dev/null 2>&1 || true
"$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
# The registry reaches the prefix's files when the session ends.
wineserver -w
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "make-prefix: Wine made no prefix in $WINEPREFIX" >&2
    exit 1
fi
