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

n=95
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 800x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$n"
sleep 1
/usr/lib/wine/wine64 build/win64/bin/TarvexAV.exe &
app=$!
sleep "${SETTLE_SECONDS:-6}"
import -window root "$out"
kill $app 2>/dev/null || true
/usr/lib/wine/wineserver -k || true
echo "screenshot: $out"
