#!/usr/bin/env bash
# Runs a Windows program under wine64 in the prefix named by WINEPREFIX.
# The prefix is made on first use; when there is no display, a private X server is started for the run.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the wine prefix to use}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No mono or gecko installer dialogs: the program needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=/usr/lib/wine/wine64

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # Unmanaged windows: without a window manager on the test display, wine
    # would wait two seconds for every managed window to go away.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
  # The test prefixes in a build folder get a removable drive R: over a folder
  # beside the prefix, for the flash-disk guard's tests (wine reads the drive
  # types when its services start); a prefix of the user's own is left alone.
  case "$WINEPREFIX" in
    */build/*/wineprefix-*)
      mkdir -p "$WINEPREFIX-flash"
      ln -sfn "$WINEPREFIX-flash" "$WINEPREFIX/dosdevices/r:"
      if ! grep -q '^"r:"="floppy"' "$WINEPREFIX/system.reg"; then
        "$wine" reg add 'HKLM\Software\Wine\Drives' /v r: /d floppy /f >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w || true
      fi
      ;;
  esac
  # Wine links the user's Desktop, Documents, ... to the host's home folder; a
  # program under test that walks or changes C:\users would reach into it.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
  done
) 9>"$WINEPREFIX.lock"

status=0
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$@" || status=$?
else
  "$wine" "$@" || status=$?
fi
# Wine's helper processes (console hosts, services) outlive the program and
# keep its output pipes open; end them so the caller sees the run finish.
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit "$status"
