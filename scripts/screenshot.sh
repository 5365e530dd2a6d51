#!/usr/bin/env bash
# Takes a screenshot of the main window as a new user sees it, for the README:
# the program runs under a private Xvfb display with the shipped database.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/main-window.png}"
scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TarvexAV >/dev/null
mkdir -p "$(dirname "$out")"
export WINEPREFIX="$PWD/build/win64/wineprefix-screenshot"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true; /usr/lib/wine/wineserver -w || true; }

. scripts/private_display.sh
start_private_display 800x480x24 95
/usr/lib/wine/wine64 build/win64/bin/TarvexAV.exe &
app=$!
sleep "${SETTLE_SECONDS:-6}"
import -window root "$out"
kill $app 2>/dev/null || true
/usr/lib/wine/wineserver -k || true
echo "screenshot: $out"
