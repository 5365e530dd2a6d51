#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run the
# program, then makes the wine prefix that the tests clone
# (scripts/wine_template.sh); --no-prefix leaves that to the caller.
# Safe to run again: it only calls apt-get when a package is missing, and
# makes the prefix only when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ make file
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine64 fonts-wine fonts-liberation xvfb xauth imagemagick
  googletest libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
  clang libclang-rt-dev
  # The 32-bit build's tests: the 32-bit wine loader (with the i386 C
  # library the preload library of emulation/ links), run by qemu-user.
  qemu-user-static wine32:i386
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  # No fsync after every file: on a failed install the machine is set up
  # again anyway, and it saves a good part of the install's time.
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "${missing[@]}" >/dev/null
fi

if [ "${1:-}" != --no-prefix ]; then
  scripts/wine_template.sh
fi
