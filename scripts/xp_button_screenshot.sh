#!/usr/bin/env bash
# Takes a screenshot of the XP button in its looks (normal, hover, focus and
# disabled in the top row, pressed in the bottom one), enlarged three times so
# that single pixels can be checked by eye.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/xp-button-looks.png}"
scripts/setup.sh --no-prefix
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tarvex_xp_button_gallery >/dev/null
gallery=build/win64/tests/tarvex_xp_button_gallery.exe
mkdir -p "$(dirname "$out")"
export WINEPREFIX="$PWD/build/win64/wineprefix-screenshot"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true; /usr/lib/wine/wineserver -w || true; }

. scripts/private_display.sh
start_private_display 480x45x24 95
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $private_display_pid 2>/dev/null || true' EXIT
for row in looks pressed; do
  /usr/lib/wine/wine64 "$gallery" "$row" &
  app=$!
  sleep "${SETTLE_SECONDS:-4}"
  import -window root "$work/$row.png"
  kill $app 2>/dev/null || true
  /usr/lib/wine/wineserver -k || true
done
convert "$work/looks.png" "$work/pressed.png" -append -filter point -resize 300% "$out"
echo "screenshot: $out"
