#!/usr/bin/env bash
# Builds the release: dist/TarvexAV-1.00-win32.zip (the 32-bit programs, the
# database, the batch file and the read-me).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --no-prefix
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target TarvexAV tarvex-scan
mkdir -p dist
(cd build/win32 && cpack -G ZIP -B "$PWD/../../dist" >/dev/null)
rm -rf dist/_CPack_Packages
ls -l dist/TarvexAV-*-win32.zip
