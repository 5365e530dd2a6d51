#!/usr/bin/env bash
# Builds the releases: dist/TarvexAV-1.00-win32.zip (the 32-bit programs, the
# database, the batch file and the read-me) and, for Linux,
# dist/tarvex-scan_1.00_amd64.deb (tarvex-scan, the database, its manual page
# and bash completion).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --no-prefix native windows
# ccache where the machine has it (setup.sh does not install it).
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER+set}" ] && command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
fi
mkdir -p dist
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target TarvexAV tarvex-scan
(cd build/win32 && cpack -G ZIP -B "$PWD/../../dist" >/dev/null)
cmake --preset native >/dev/null
cmake --build --preset native --target tarvex-scan tarvex_scan_package_files
(cd build/native && cpack -G DEB -B "$PWD/../../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls -l dist/TarvexAV-*-win32.zip dist/tarvex-scan_*.deb
