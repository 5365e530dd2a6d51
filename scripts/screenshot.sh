#!/usr/bin/env bash
# Takes the README's screenshots of the main window under a private Xvfb
# display: idle as a new user sees it (docs/main-window.png), and in the
# middle of a scan of a small folder holding the EICAR test file
# (docs/main-window-scanning.png), and each window of the menu over it
# (docs/frm-*.png). The scan runs in the test helper, the real program whose
# folder browser answers that folder (and whose open-file dialog answers a
# small packed program for the file analysis window).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --no-prefix
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target TarvexAV tarvex-scan tarvex_program_helper >/dev/null
mkdir -p docs
. scripts/private_display.sh
picture_prefix screenshot

# A folder to scan: a few hundred ordinary files and the EICAR test file.
files="$PWD/build/win64/screenshot-files"
rm -rf "$files"
mkdir -p "$files/Dokumen" "$files/Unduhan"
printf '%s' 'X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*' >"$files/eicar.com"
for i in $(seq 1 300); do echo "catatan $i" >"$files/Dokumen/catatan-$i.txt"; done
for i in $(seq 1 300); do echo "berkas $i" >"$files/Unduhan/berkas-$i.dat"; done
{ printf 'MZ'; head -c 30000 /dev/zero; printf 'UPX!\x0c\x09'; head -c 9000 /dev/zero; printf '\0\0\0MSVBVM60.DLL\0\0\0'; } >"$files/Unduhan/setup.exe"
winpath() { echo "Z:$1" | tr / '\\'; }
# The folder is drive E: of the prefix, as a user's flash disk would be, so
# the pictures show the paths a user has.
ln -sfn "$files" "$WINEPREFIX/dosdevices/e:"
stickpath() {
  local rest="${1#"$files"}"
  echo "E:${rest:-/}" | tr / '\\'
}

start_private_display 800x480x24 95
shot() {  # out, seconds, program and arguments
  local out="$1" wait="$2"
  shift 2
  "$wine" "$@" &
  local app=$!
  sleep "$wait"
  import -window root "$out"
  kill "$app" 2>/dev/null || true
  /usr/lib/wine/wineserver -k || true
  echo "screenshot: $out"
}
helper=build/win64/tests/tarvex_program_helper.exe
shot docs/main-window.png "${SETTLE_SECONDS:-6}" "$helper" "$(stickpath "$files")" "$(winpath "$PWD/resources")" quiet
shot docs/main-window-scanning.png "${SCAN_SECONDS:-18}" "$helper" "$(stickpath "$files")" "$(winpath "$PWD/resources")" "quiet scan"
# What the quarantine window shows: the stick's worms moved into the
# prefix's C:\Karantina by the console's --move, which keeps the manifest.
rm -rf "$WINEPREFIX/drive_c/Karantina"
mkdir -p "$files/tugas" "$files/foto"
cp "$files/eicar.com" "$files/tugas/eicar.com"
cp "$files/eicar.com" "$files/foto/eicar.com"
{ printf 'MZ'; head -c 2000 /dev/zero; } >"$files/foto/liburan.jpg.exe"
"$wine" build/win64/bin/tarvex-scan.exe --no-summary --move 'C:\Karantina' 'E:\tugas' 'E:\foto' >/dev/null || true
for w in temp tool signature about karantina; do
  arg="$files"
  [ "$w" = temp ] && arg="$files/Unduhan/setup.exe"
  shot "docs/frm-$w.png" "${SETTLE_SECONDS:-6}" "$helper" "$(stickpath "$arg")" "$(winpath "$PWD/resources")" "quiet $w"
done
