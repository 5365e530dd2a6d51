#!/usr/bin/env bash
# Builds everything (native, win64, win32 and the fuzz targets) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

for preset in native win64 win32 fuzz; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

# CTest prints its own summary per build; the last line adds them up.
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
status=0
for preset in native win64 win32 fuzz; do
  echo "== test: $preset"
  ctest --test-dir "build/$preset" --output-on-failure -j2 | tee -a "$summary" || status=1
done
passed=0 failed=0
while read -r line; do
  if [[ $line =~ ([0-9]+)%\ tests\ passed,\ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[2]))
    passed=$((passed + BASH_REMATCH[3] - BASH_REMATCH[2]))
  fi
done <"$summary"
echo "all builds: $passed passed, $failed failed"
exit $status
