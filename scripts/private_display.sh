# Sourced by the scripts that show the program without a display of their own:
# starts Xvfb on a free display number, exports DISPLAY, stops it on exit.
start_private_display() {
  local size="$1" n="${2:-90}"
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  private_display_pid=$!
  trap 'kill $private_display_pid 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  sleep 1
}
