#!/usr/bin/env bash
# Makes the wine prefix that every test's prefix is cloned from (by
# scripts/wine.sh), once: build/wineprefix-template, or the folder named by
# TARVEX_WINE_TEMPLATE. It has both halves, 64-bit and 32-bit (syswow64), so
# one prefix serves the x86_64 and the i686 tests. wineboot makes the 32-bit
# half only where it can start 32-bit programs, so it runs under
# scripts/with_i386_emulation.sh, with the preload library that makes a
# 32-bit wine start take seconds instead of a minute under qemu.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
template=${TARVEX_WINE_TEMPLATE:-$root/build/wineprefix-template}
mkdir -p "$(dirname "$template")"

exec 9>"$template.lock"
flock 9
# A template of another wine version would be updated by wine in every clone,
# writing through the files the clones share with it.
# (wine writes the time stamp with a CR LF.)
if [ -f "$template/.complete" ] &&
   [ "$(tr -d '\r\n' <"$template/.update-timestamp")" = "$(stat -c %Y /usr/share/wine/wine.inf)" ]; then
  exit 0
fi

rm -rf "$template" "$template.emulation"
"$root/emulation/build.sh" "$template.emulation"
export WINEPREFIX=$template WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADERNOEXEC=1
export LD_PRELOAD="$template.emulation/\$LIB/libtarvex_noreplace.so"
"$root/scripts/with_i386_emulation.sh" bash -c '
  /usr/lib/wine/wine64 wineboot -i
  # Unmanaged windows: without a window manager on the test display, wine
  # would wait two seconds for every managed window to go away.
  /usr/lib/wine/wine64 reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f
  /usr/lib/wine/wineserver -w' >"$template.log" 2>&1 || { cat "$template.log" >&2; exit 1; }
if [ ! -d "$template/drive_c/windows/syswow64" ]; then
  echo "wine_template: wineboot made no 32-bit half (see $template.log)" >&2
  exit 1
fi
# Wine links the user's Desktop, Documents, ... to the host's home folder; a
# program under test that walks or changes C:\users would reach into it.
for link in "$template"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
done
touch "$template/.complete"
