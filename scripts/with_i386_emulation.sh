#!/usr/bin/env bash
# Runs a command in which 32-bit x86 Linux programs start under qemu-user:
# the kernel of the test machines runs no 32-bit code, and wine needs to
# start its 32-bit loader again for every 32-bit Windows program that a
# program starts (and wineboot for the 32-bit half of a prefix).
#
# The command runs in a user and mount namespace of its own, with a
# binfmt_misc of its own (Linux 6.7 and later) in which qemu is registered
# for i386 programs. The host's binfmt_misc is never touched, so nothing is
# left registered when the command ends or is killed, and wine runs outside
# the namespace (the 64-bit tests beside it) never see the registration.
set -euo pipefail

if [ -z "${TARVEX_I386_NAMESPACE:-}" ]; then
  exec unshare --user --map-root-user --mount env TARVEX_I386_NAMESPACE=1 "$0" "$@"
fi

qemu=/usr/bin/qemu-i386-static
binfmt=/proc/sys/fs/binfmt_misc
if ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
  echo "with_i386_emulation: this kernel has no binfmt_misc of a user namespace's own (Linux 6.7 or later needed)" >&2
  exit 125
fi
# An ELF file for Intel 80386, executable or shared (position-independent);
# F: qemu is opened now, so it is found whatever the program's own root.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf '%s' ":tarvex-i386:M::$magic:$mask:$qemu:F" >"$binfmt/register"
exec "$@"
