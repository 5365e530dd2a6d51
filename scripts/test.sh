#!/usr/bin/env bash
# Builds everything (native, win64, win32 and the fuzz targets) and runs every
# test; the 32-bit build's under qemu-user (see scripts/wine.sh).
#
# The builds go one after the other, each on both cores; a build's tests start
# as soon as it is built and run beside the next build, which is niced so the
# timing-sensitive window tests keep their pace. What the Windows builds need
# is installed, and the wine prefix that every Windows test clones is made,
# beside the native build.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
presets=(native win64 win32 fuzz)
logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
scripts/setup.sh --no-prefix native

# "name: N s" lines, printed with the summary: where the time went.
timing() { printf '%-22s %4d s (from %d s to %d s)\n' "$1:" $(($3 - $2)) $(($2 - start)) $(($3 - start)) >>"$logs/times"; }
timing "setup: native" "$start" "$SECONDS"

(
  trap 'touch "$logs/setup-windows.ended"' EXIT
  t=$SECONDS
  scripts/setup.sh --no-prefix windows
  timing "setup: windows" "$t" "$SECONDS"
) >"$logs/setup-windows.log" 2>&1 &
windows_setup=$!
# A Windows test that starts before the template is made waits for it (the
# template is made under a lock).
(
  while [ ! -e "$logs/setup-windows.ended" ]; do sleep 1; done
  t=$SECONDS
  scripts/wine_template.sh >"$logs/wine-template.log" 2>&1 || true
  timing "wine prefix template" "$t" "$SECONDS"
) &
background=($!)

for preset in "${presets[@]}"; do
  if [ "$preset" = win64 ] && ! wait "$windows_setup"; then
    cat "$logs/setup-windows.log"
    echo "== setup of the Windows builds failed"
    wait "${background[@]}" || true
    exit 1
  fi
  echo "== build: $preset"
  t=$SECONDS
  if ! { cmake --preset "$preset" >/dev/null && nice cmake --build --preset "$preset"; }; then
    echo "== build of $preset failed"
    wait "${background[@]}" || true
    exit 1
  fi
  timing "build $preset" "$t" "$SECONDS"
  (
    t=$SECONDS
    status=0
    # Each fuzz test runs for a set time whatever the load: all four at once.
    jobs=2
    [ "$preset" != fuzz ] || jobs=4
    ctest --test-dir "build/$preset" --output-on-failure -j$jobs >"$logs/$preset.log" 2>&1 || status=$?
    echo "$status" >"$logs/$preset.status"
    timing "test $preset" "$t" "$SECONDS"
  ) &
  background+=($!)
done
wait "${background[@]}" || true

# Each build's CTest output in order; the last line adds up their summaries.
passed=0 failed=0 status=0
for preset in "${presets[@]}"; do
  echo "== test: $preset"
  cat "$logs/$preset.log"
  [ "$(cat "$logs/$preset.status" 2>/dev/null)" = 0 ] || status=1
  while read -r line; do
    if [[ $line =~ ([0-9]+)%\ tests\ passed,\ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
      failed=$((failed + BASH_REMATCH[2]))
      passed=$((passed + BASH_REMATCH[3] - BASH_REMATCH[2]))
    fi
  done <"$logs/$preset.log"
done
timing total "$start" "$SECONDS"
echo "== times"
cat "$logs/times"
echo "all builds: $passed passed, $failed failed"
exit $status
