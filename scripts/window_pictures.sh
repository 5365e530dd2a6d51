#!/usr/bin/env bash
# Every window of the program, held still, as a picture of the whole private
# display, so that two builds can be compared pixel for pixel: a change that
# should change nothing the user sees is checked by taking the pictures
# before it and after it.
#
#   scripts/window_pictures.sh DIR              # the pictures of this tree's build into DIR
#   scripts/window_pictures.sh --compare A B    # each picture of A against B's: the pixels that differ
#
# The windows: the main window idle and after a scan of a small stick with
# the EICAR test file, each window of the menu over it, the update reminder
# and the download window. The program runs in the test helper (folder
# browser, open-file dialog and message boxes answered, nothing handed to a
# browser), with every timer of the window it opens stopped before its first
# tick and the caret hidden, so that nothing moves between two runs.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --compare ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --compare BEFORE AFTER" >&2; exit 2; }
  before=$2 after=$3 differ=0
  mkdir -p "$after/diff"
  for picture in "$before"/*.png; do
    name=$(basename "$picture")
    if [ ! -f "$after/$name" ]; then
      echo "$name: missing in $after"
      differ=1
      continue
    fi
    # AE: the number of pixels that differ at all (no fuzz).
    pixels=$(compare -metric AE "$picture" "$after/$name" "$after/diff/$name" 2>&1 >/dev/null || true)
    echo "$name: $pixels pixels differ"
    [ "$pixels" = 0 ] || differ=1
  done
  exit $differ
fi

[ $# -eq 1 ] || { echo "usage: $0 DIR | --compare BEFORE AFTER" >&2; exit 2; }
out=$(mkdir -p "$1" && cd "$1" && pwd)
scripts/setup.sh --no-prefix
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TarvexAV tarvex-scan tarvex_program_helper >/dev/null
. scripts/private_display.sh
picture_prefix pictures

# A small stick: the scan ends before the elapsed-time clock's first tick.
files="$PWD/build/win64/pictures-files"
rm -rf "$files"
mkdir -p "$files/Dokumen" "$files/tugas" "$files/foto"
eicar='X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*'
printf '%s' "$eicar" >"$files/eicar.com"
for i in 1 2 3; do echo "catatan $i" >"$files/Dokumen/catatan-$i.txt"; done
{ printf 'MZ'; head -c 30000 /dev/zero; printf 'UPX!\x0c\x09'; head -c 9000 /dev/zero; printf '\0\0\0MSVBVM60.DLL\0\0\0'; } >"$files/Dokumen/setup.exe"
ln -sfn "$files" "$WINEPREFIX/dosdevices/e:"
winpath() { echo "Z:$1" | tr / '\\'; }

# The quarantine window's rows: worms moved in by the console, the times of
# their manifest lines fixed.
rm -rf "$WINEPREFIX/drive_c/Karantina"
printf '%s' "$eicar" >"$files/tugas/eicar.com"
printf '%s' "$eicar" >"$files/foto/eicar.com"
{ printf 'MZ'; head -c 2000 /dev/zero; } >"$files/foto/liburan.jpg.exe"
"$wine" build/win64/bin/tarvex-scan.exe --no-summary --move 'C:\Karantina' 'E:\tugas' 'E:\foto' >/dev/null || true
sed -i -E 's/^(karantina\t)[^\t]*/\12026-12-08 18:30:05/' "$WINEPREFIX/drive_c/Karantina/karantina.txt"

start_private_display 800x480x24 95
shot() {  # name, what to scan (or analyse), options
  "$wine" build/win64/tests/tarvex_program_helper.exe "$2" "$(winpath "$PWD/resources")" "quiet still $3" &
  local app=$!
  sleep "${SETTLE_SECONDS:-8}"
  import -window root "$out/$1.png"
  kill "$app" 2>/dev/null || true
  /usr/lib/wine/wineserver -k || true
  echo "picture: $out/$1.png"
}
# Wine's first program on a new display places its windows as if on a
# screen of 1024 x 768: a first showing that is no picture.
shot warm-up 'E:\' "" && rm "$out/warm-up.png"
shot main-idle 'E:\' ""
shot main-scanned 'E:\' scan
shot frm-temp 'E:\Dokumen\setup.exe' temp
for w in tool signature about karantina update download; do shot "frm-$w" 'E:\' "$w"; done
