# Sourced by the scripts that show the program without a display of their own:
# starts Xvfb on a free display number, exports DISPLAY, stops it on exit;
# and the wine prefix their pictures are taken in.

# build/win64/wineprefix-NAME, made once: wine64 in $wine, and wine drawing
# the windows' frames, as the private display has no window manager.
picture_prefix() {
  export WINEPREFIX="$PWD/build/win64/wineprefix-$1"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine=/usr/lib/wine/wine64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
}

start_private_display() {
  local size="$1" n="${2:-90}"
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  private_display_pid=$!
  trap 'kill $private_display_pid 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  sleep 1
}
