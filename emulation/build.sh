#!/usr/bin/env bash
# Builds the preload library for 32-bit wine under qemu-user into OUT_DIR, in
# the two folders that "$LIB" in LD_PRELOAD names: OUT_DIR/lib/i386-linux-gnu
# for the emulated 32-bit processes, OUT_DIR/lib/x86_64-linux-gnu (what the wine
# server needs, see server_twin.c) for wine's native 64-bit processes. Needs the host's gcc
# and the i386 C library (libc6:i386, which wine32:i386 brings).
set -euo pipefail
out=${1:?usage: emulation/build.sh OUT_DIR}
here=$(cd "$(dirname "$0")" && pwd)
name=libtarvex_noreplace.so
mkdir -p "$out/lib/i386-linux-gnu" "$out/lib/x86_64-linux-gnu"
gcc -m32 -O2 -Wall -Wextra -Werror -ffreestanding -nostdlib -shared -fPIC \
  "$here/noreplace_mmap.c" /lib/i386-linux-gnu/libc.so.6 -o "$out/lib/i386-linux-gnu/$name.tmp"
gcc -O2 -Wall -Wextra -Werror -shared -fPIC "$here/server_twin.c" -ldl -o "$out/lib/x86_64-linux-gnu/$name.tmp"
# Renamed into place whole: a wine start beside this build never preloads half a file.
mv -f "$out/lib/i386-linux-gnu/$name.tmp" "$out/lib/i386-linux-gnu/$name"
mv -f "$out/lib/x86_64-linux-gnu/$name.tmp" "$out/lib/x86_64-linux-gnu/$name"
