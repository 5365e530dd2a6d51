#!/usr/bin/env bash
# The release zip as a user gets it: the five files in one folder, both
# programs 32-bit, neither needing a runtime DLL that Windows lacks.
#   check_package.sh BUILD_DIR OBJDUMP
set -euo pipefail
build=$1 objdump=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G ZIP -B "$out" >/dev/null)
zip=$(ls "$out"/TarvexAV-*-win32.zip)
[ "$(basename "$zip")" = "TarvexAV-1.00-win32.zip" ] || { echo "unexpected name $zip"; exit 1; }
mkdir "$out/x" && (cd "$out/x" && cmake -E tar xf "$zip")
dir=$out/x/TarvexAV-1.00-win32
listed=$(cd "$dir" && ls | sort | tr '\n' ' ')
want="BACA-README.txt FileRecover.bat Tarvex.db TarvexAV.exe tarvex-scan.exe "
[ "$listed" = "$want" ] || { echo "zip holds: $listed"; echo "wanted:    $want"; exit 1; }
file -b "$dir/TarvexAV.exe" | grep -q '^PE32 executable (GUI) Intel 80386' || { echo "TarvexAV.exe is no 32-bit GUI program"; exit 1; }
file -b "$dir/tarvex-scan.exe" | grep -q '^PE32 executable (console) Intel 80386' || { echo "tarvex-scan.exe is no 32-bit console program"; exit 1; }
for exe in TarvexAV.exe tarvex-scan.exe; do
  if "$objdump" -p "$dir/$exe" | grep -i 'DLL Name' | grep -Eiq 'libgcc|libstdc|libwinpthread'; then
    echo "$exe needs a MinGW runtime DLL:"; "$objdump" -p "$dir/$exe" | grep -i 'DLL Name'; exit 1
  fi
done
cmp -s "$dir/Tarvex.db" "$(dirname "$0")/../resources/Tarvex.db" || { echo "Tarvex.db is not the shipped database"; exit 1; }
echo "release package: $(basename "$zip") holds $listed"
