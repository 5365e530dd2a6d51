#!/usr/bin/env bash
# Runs a Windows program under wine in the prefix named by WINEPREFIX:
# an x86_64 program under wine64, an i686 one under the 32-bit wine loader
# emulated by qemu-user (this machine's kernel runs no 32-bit code; see
# scripts/with_i386_emulation.sh and emulation/).
#   scripts/wine.sh PROGRAM.exe ARGS...         with a private X server when there is no display
#   scripts/wine.sh --bare PROGRAM.exe ARGS...  no display, and the wine server is left up: for
#                                               a script that runs many console programs in a row
# The prefix is cloned from scripts/wine_template.sh's on first use (made
# then if need be), a second or less instead of half a minute of wineboot.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the wine prefix to use}"
root=$(cd "$(dirname "$0")/.." && pwd)
template=${TARVEX_WINE_TEMPLATE:-$root/build/wineprefix-template}
export TARVEX_WINE_TEMPLATE=$template
export WINEDEBUG="${WINEDEBUG:--all}"
# No mono or gecko installer dialogs: the program needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
bare=
if [ "${1:-}" = --bare ]; then bare=1; shift; fi
program=${1:?usage: scripts/wine.sh [--bare] PROGRAM.exe ARGS...}

# The machine field of the PE header: 014c for i386, 8664 for x86_64.
pe_machine() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' '
}

clone_template() {
  local tmp=$WINEPREFIX.clone
  rm -rf "$tmp" "$WINEPREFIX"
  cp -al "$template" "$tmp"
  # The system's program files stay shared (wine never writes them while
  # the template's wine version is the installed one); the registry and
  # whatever else a run may change in place get copies of their own.
  find "$tmp" -type f ! -path '*/windows/system32/*' ! -path '*/windows/syswow64/*' \
    ! -path '*/windows/winsxs/*' -exec sh -c 'for f; do cp -p "$f" "$f.own" && mv -f "$f.own" "$f"; done' sh {} +
  mv "$tmp" "$WINEPREFIX"
}

"$root/scripts/wine_template.sh"
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.complete" ] || [ "$WINEPREFIX/.complete" -ot "$template/.complete" ]; then
    # Shared: no one remakes the template while it is cloned.
    flock -s 8
    clone_template
  fi
  # The test prefixes in a build folder get a removable drive R: over a folder
  # beside the prefix, for the flash-disk guard's tests (wine reads the drive
  # types when its services start); a prefix of the user's own is left alone.
  case "$WINEPREFIX" in
    */build/*/wineprefix-*)
      mkdir -p "$WINEPREFIX-flash"
      ln -sfn "$WINEPREFIX-flash" "$WINEPREFIX/dosdevices/r:"
      if ! grep -q '^"r:"="floppy"' "$WINEPREFIX/system.reg"; then
        /usr/lib/wine/wine64 reg add 'HKLM\Software\Wine\Drives' /v r: /d floppy /f >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w || true
      fi
      ;;
  esac
) 9>"$WINEPREFIX.lock" 8>"$template.lock"

if [ "$(pe_machine "$program")" = 014c ]; then
  # The preload library built with the program (the win32 build's
  # emulation/), or the template's when run by hand.
  emulation=${TARVEX_EMULATION_DIR:-$template.emulation}
  export WINELOADERNOEXEC=1 LD_PRELOAD="$emulation/\$LIB/libtarvex_noreplace.so"
  # A crashing program would start the debugger, which hangs under
  # emulation until the test's time-out: let the crash end the program.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
  wine=("$root/scripts/with_i386_emulation.sh" /usr/bin/qemu-i386-static /usr/lib/wine/wine)
else
  wine=(/usr/lib/wine/wine64)
fi

if [ -n "$bare" ]; then
  exec "${wine[@]}" "$@"
fi
status=0
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${wine[@]}" "$@" || status=$?
else
  "${wine[@]}" "$@" || status=$?
fi
# Wine's helper processes (console hosts, services) outlive the program and
# keep its output pipes open; end them so the caller sees the run finish.
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
# A test prefix whose server can no longer be found keeps that server's
# processes, and they hold the caller's pipes: wine names its server in a
# file of the prefix that it trusts only while it is read-only, and the
# unhide test of a drive mapped onto the prefix makes that file writable.
# So end every process still started in the prefix.
case "$WINEPREFIX" in
  */build/*/wineprefix-*)
    for environ in /proc/[0-9]*/environ; do
      pid=${environ#/proc/}
      pid=${pid%/environ}
      # Wine's own programs only: the caller may carry the prefix too.
      case $(readlink "/proc/$pid/exe" 2>/dev/null) in
        /usr/lib/wine/* | */qemu-i386-static) ;;
        *) continue ;;
      esac
      grep -qsxzF "WINEPREFIX=$WINEPREFIX" "$environ" && kill -9 "$pid" 2>/dev/null || true
    done
    ;;
esac
exit "$status"
