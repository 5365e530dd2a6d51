#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run the
# program, then makes the wine prefix that the tests clone
# (scripts/wine_template.sh).
#   scripts/setup.sh [--no-prefix] [GROUP...]
# GROUP: native (the native and fuzz builds, and the Debian package of
# tarvex-scan with its checks), windows (the MinGW builds and
# wine, 64- and 32-bit), pictures (ImageMagick, for the screenshot scripts);
# all three when none is named. --no-prefix leaves the prefix to the caller.
# Safe to run again: it only calls apt-get when a package is missing, and
# makes the prefix only when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."

make_prefix=1
groups=()
for arg in "$@"; do
  case $arg in
    --no-prefix) make_prefix= ;;
    native | windows | pictures) groups+=("$arg") ;;
    *) echo "setup: unknown argument $arg" >&2; exit 2 ;;
  esac
done
((${#groups[@]})) || groups=(native windows pictures)

packages=()
for group in "${groups[@]}"; do
  case $group in
    native) packages+=(cmake ninja-build g++ make file googletest libgtest-dev libgmock-dev
                       libbenchmark-dev zlib1g-dev clang libclang-rt-dev nlohmann-json3-dev
                       dpkg-dev lintian man-db) ;;
    # The 32-bit build's tests: the 32-bit wine loader (with the i386 C
    # library the preload library of emulation/ links), run by qemu-user.
    windows) packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
                        wine64 fonts-wine fonts-liberation xvfb xauth qemu-user-static wine32:i386
                        nlohmann-json3-dev) ;;
    pictures) packages+=(imagemagick) ;;
  esac
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  # Added before any update, so that one update serves every group.
  fresh_lists=
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  elif [ -n "$(find /var/lib/apt/lists -maxdepth 0 -mmin -30)" ]; then
    fresh_lists=1
  fi
  export DEBIAN_FRONTEND=noninteractive
  # Another install (scripts/test.sh runs two in a row) may hold the lock.
  lock=(-o DPkg::Lock::Timeout=600)
  [ -n "$fresh_lists" ] || "${sudo_cmd[@]}" apt-get "${lock[@]}" update -qq
  # No fsync after every file: on a failed install the machine is set up
  # again anyway, and it saves a good part of the install's time.
  "${sudo_cmd[@]}" apt-get "${lock[@]}" install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "${missing[@]}" >/dev/null
fi

if [ -n "$make_prefix" ] && [[ " ${groups[*]} " == *" windows "* ]]; then
  scripts/wine_template.sh
fi
