#!/usr/bin/env bash
# Builds the program if needed and starts it under wine64, with the shipped
# default Tarvex.db beside it. Uses the current display, or a private Xvfb
# display when there is none (its number is printed, for a screenshot).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TarvexAV >/dev/null
exe="build/win64/bin/TarvexAV.exe"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  sleep 1
  echo "run: no display; the program runs on Xvfb display $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
fi
"$wine" "$exe"
